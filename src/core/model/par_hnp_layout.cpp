#include "core/model/par_hnp_layout.h"

#include "core/text/number_format.h"
#include "core/text/text_file.h"

namespace mk {

std::string CurveName(int kind) {
    switch (kind) {
        case 1:
            return "ＭITSCHERLICH式  ";
        case 2:
            return "logistic式       ";
        case 3:
            return "ＧOMPERTZ式      ";
        default:
            return {};
    }
}

std::string ParameterLine(std::string_view label, double value) {
    return std::string(label) + FormatRight(value, "0.000000E+00", 13);
}

namespace {

void AddLine(std::string& text, std::string_view line) {
    text += line;
    text += kCrLf;
}

// The survey name as line 2 records it. The reader takes the line's fields
// apart at commas and drops the blanks around them, so a name with a comma
// or blanks at its ends is quoted to come back as it was.
std::string RecordedName(std::string_view name) {
    const bool plain = name.find(',') == std::string_view::npos &&
                       (name.empty() || (name.front() != ' ' && name.back() != ' '));
    if (plain) return std::string(name);
    // Appended piece by piece: GCC 12 at -O2 warns (-Wrestrict, falsely) on
    // a literal + std::string here, which fails the release build in CI.
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted += '"';
    quoted += name;
    quoted += '"';
    return quoted;
}

}  // namespace

std::string ParFileText(std::string_view surveyFileName, int kind, bool bestFit, double m, double b,
                        double k, double bandCoefficient, double residualSumOfSquares) {
    std::string text;
    AddLine(text, kParHeader);
    AddLine(text, "ファイル名, " + RecordedName(surveyFileName));
    // A kind without a name still needs the blank after it that the reader
    // looks for, or the kind would be lost (found by fuzzing).
    const std::string name = CurveName(kind);
    AddLine(text, AlignRight(IntText(kind), 2) + " " + (name.empty() ? " " : name) +
                      (bestFit ? "（最適曲線）" : ""));
    AddLine(text, ParameterLine(kParameterLabel1, m));
    AddLine(text, ParameterLine(kParameterLabel2, b));
    AddLine(text, ParameterLine(kParameterLabel3, k));
    AddLine(text, ParameterLine(kBandLabel, bandCoefficient));
    AddLine(text, ParameterLine(kResidualLabel, residualSumOfSquares));
    return text;
}

std::string HnpFileText(std::string_view surveyFileName, double p1, double p2, double p3, double p4,
                        double residualSumOfSquares) {
    std::string text;
    AddLine(text, kHnpHeader);
    AddLine(text, surveyFileName);
    AddLine(text, ParameterLine(kParameterLabel1, p1));
    AddLine(text, ParameterLine(kParameterLabel2, p2));
    AddLine(text, ParameterLine(kParameterLabel3, p3));
    AddLine(text, ParameterLine(kParameterLabel4, p4));
    AddLine(text, ParameterLine(kResidualLabel, residualSumOfSquares));
    return text;
}

}  // namespace mk
