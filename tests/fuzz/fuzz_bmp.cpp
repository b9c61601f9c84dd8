// The BMP loader that opens saved pictures into a picture box.

#include "fuzz_support.h"
#include "render/bmp_file.h"
#include "render/image_canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    using namespace mk;
    if (const auto image = DecodeBmp(fuzz::Bytes(data, size))) {
        ImageCanvas canvas;
        canvas.ShowImage(*image);
    }
    return 0;
}
