// DAT reader, and the round trip of what it accepts through the survey
// editor's writer: the file reads back, values of one decimal or more than
// fifteen digits come back as they were, and saving again changes nothing.

#include <cmath>

#include "core/basedata/survey_data.h"
#include "core/text/cp932.h"
#include "fuzz_support.h"

namespace {

std::string Written(const std::vector<mk::SurveyRecord>& records) {
    mk::SurveyDataSet set;
    set.records = records;
    set.count = static_cast<int>(records.size());
    const auto bytes = mk::Utf8ToCp932(mk::FormatSurveyText(set));
    mk::fuzz::Require(bytes.has_value(), "DAT text is code page 932");
    return *bytes;
}

bool Kept(double before, double after) {
    return std::fabs(before) < 1e15 ? std::fabs(before - after) <= 0.05 + 1e-9 * std::fabs(before)
                                    : before == after;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    using namespace mk;
    const auto first = ParseSurveyBytes(fuzz::Bytes(data, size));
    if (!first.ok) return 0;
    const std::string once = Written(first.records);
    const auto second = ParseSurveyBytes(once);
    fuzz::Require(second.ok, "a written DAT reads back");
    fuzz::Require(second.records.size() == first.records.size(), "a written DAT keeps its count");
    for (size_t i = 0; i < first.records.size(); ++i) {
        const SurveyRecord& a = first.records[i];
        const SurveyRecord& b = second.records[i];
        fuzz::Require(a.plot == b.plot && a.stemsPerHa == b.stemsPerHa && a.standAge == b.standAge,
                      "whole numbers of a DAT read back");
        fuzz::Require(Kept(a.dominantHeight, b.dominantHeight) &&
                          Kept(a.stemVolume, b.stemVolume) && Kept(a.basalArea, b.basalArea) &&
                          Kept(a.meanDiameter, b.meanDiameter) && Kept(a.meanHeight, b.meanHeight),
                      "reals of a DAT read back to their written value");
    }
    fuzz::Require(Written(second.records) == once, "a DAT read back is written the same");
    return 0;
}
