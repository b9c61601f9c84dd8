// HNP reader, and the round trip of what it accepts through the writer of
// the curve fitting.

#include "core/model/par_hnp_files.h"
#include "core/model/par_hnp_layout.h"
#include "core/text/cp932.h"
#include "core/text/paths.h"
#include "fuzz_support.h"

namespace {

std::string Written(const mk::HnpParameters& h) {
    const auto bytes = mk::Utf8ToCp932(
        mk::HnpFileText(mk::FileNamePart(h.HnpSource), h.P1, h.P2, h.P3, h.P4, 0.0));
    mk::fuzz::Require(bytes.has_value(), "HNP text is code page 932");
    return *bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    using namespace mk;
    const auto first = ParseHnpBytes(fuzz::Bytes(data, size), "fuzz/a.HNP");
    if (!first.ok()) return 0;
    const std::string once = Written(*first.record);
    const auto second = ParseHnpBytes(once, "fuzz/a.HNP");
    fuzz::Require(second.ok(), "a written HNP reads back");
    fuzz::Require(Written(*second.record) == once, "an HNP read back is written the same");
    return 0;
}
