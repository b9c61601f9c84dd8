// PAR reader, and the round trip of what it accepts through the writer of
// the curve fitting: the file it writes reads back, and writing what was
// read gives the same file again.

#include "core/model/par_hnp_files.h"
#include "core/model/par_hnp_layout.h"
#include "core/text/cp932.h"
#include "core/text/paths.h"
#include "fuzz_support.h"

namespace {

std::string Written(const mk::HeightCurveParameters& c) {
    const auto bytes = mk::Utf8ToCp932(
        mk::ParFileText(mk::FileNamePart(c.HeightCurveSource), c.CurveKind, false, c.CurveM,
                        c.CurveB, c.CurveK, c.BandCoefficient, c.ResidualSumOfSquares));
    mk::fuzz::Require(bytes.has_value(), "PAR text is code page 932");
    return *bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    using namespace mk;
    const HeightCurveParameters none;
    const auto first = ParseParBytes(fuzz::Bytes(data, size), "fuzz/a.PAR", none);
    if (!first.ok()) return 0;
    const std::string once = Written(*first.record);
    const auto second = ParseParBytes(once, "fuzz/a.PAR", none);
    fuzz::Require(second.ok(), "a written PAR reads back");
    fuzz::Require(second.record->CurveKind == first.record->CurveKind,
                  "a written PAR keeps its curve kind");
    // A name with a quote mark in it cannot be recorded exactly (the reader
    // takes quotes as the ends of a field); its numbers still must.
    const std::string name = FileNamePart(first.record->HeightCurveSource);
    if (name.find('"') == std::string::npos) {
        fuzz::Require(second.record->HeightCurveSource == first.record->HeightCurveSource,
                      "a written PAR keeps its survey name");
    }
    const std::string twice = Written(*second.record);
    fuzz::Require(twice.substr(twice.find("\r\n", twice.find("\r\n") + 2)) ==
                      once.substr(once.find("\r\n", once.find("\r\n") + 2)),
                  "a PAR read back is written the same");
    return 0;
}
