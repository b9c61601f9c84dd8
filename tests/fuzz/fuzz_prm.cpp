// PRM reader, and the round trip of what it accepts through the writer: a
// saved diagram must open again with the same values.

#include "core/model/prm_file.h"
#include "core/text/cp932.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    using namespace mk;
    const auto first = ParsePrmBytes(fuzz::Bytes(data, size));
    if (!first.ok()) return 0;
    DensityDiagramParameters written = *first.record;
    if (written.Prm[0] != 2.0) written.Prm[16] = written.Prm[17] = 0.0;  // as the writer stores it
    const auto bytes = Utf8ToCp932(PrmFileText(written));
    fuzz::Require(bytes.has_value(), "PRM text is code page 932");
    const auto second = ParsePrmBytes(*bytes);
    fuzz::Require(second.ok(), "a written PRM reads back");
    fuzz::Require(second.messages.empty(), "a written PRM reads back without a warning");
    fuzz::Require(second.record->Prm == written.Prm, "a written PRM reads back to its values");
    return 0;
}
