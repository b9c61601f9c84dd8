#include "core/yield/table_report.h"

#include "core/text/number_format.h"

namespace mk {

namespace {

#include "core/yield/table_headings.inc"

constexpr std::string_view kCrLfText = "\r\n";

void AppendLine(std::string& text, std::string_view line) {
    text += line;
    text += kCrLfText;
}

// The fields every row begins with: age, height, DBH, stems, basal area,
// volume, growth, mean growth and Ry.
std::string StandFields(const YearRowValues& y) {
    std::string row;
    row += FormatRight(y.age, "##0", 4);
    row += FormatRight(y.height, "##0.0", 6);
    row += FormatRight(y.dbh, "##0.0", 6);
    row += FormatRight(y.stems, "####0", 6);
    row += FormatRight(y.basalArea, "##0.0", 6);
    row += FormatRight(y.volume, "###0.0", 7);
    row += FormatRight(y.growth, "##0.0", 6);
    row += FormatRight(y.meanGrowth, "##0.0", 6);
    row += FormatRight(y.ry, "0.00", 6);
    return row;
}

std::string ClosingFields(double totalYield, int age) {
    return FormatRight(totalYield, "###0.0", 7) + FormatRight(age, "##0", 4);
}

}  // namespace

std::string ThinningMethodName(int method) {
    switch (method) {
        case 1:
            return "林齢と間伐率";
        case 2:
            return "上層樹高と間伐率";
        case 3:
            return "胸高直径と間伐率";
        case 4:
            return "収量比数と間伐率";
        case 5:
            return "収量比数の上限と下限";
        case 6:
            return "形状比の上限と下限";
        default:
            return {};
    }
}

std::string RuleLine(int count) {
    std::string line;
    for (int i = 0; i < count; ++i) line += "─";
    line += kCrLfText;
    return line;
}

std::string FormFeedLine() { return std::string("\f") + std::string(kCrLfText); }

std::string YieldTableHeading(std::string_view prmName, std::string_view parName,
                              std::string_view siteName, std::string_view methodName) {
    std::string text;
    AppendLine(text, "林分収穫予測表    使用ファイル：" + std::string(prmName) + " & " +
                         std::string(parName));
    AppendLine(
        text, "  （地位" + std::string(siteName) + "    間伐方式" + std::string(methodName) + "）");
    AppendLine(text, "");
    text += RuleLine(kYieldRuleWidth);
    for (const char* line : kYieldHeadingTop) AppendLine(text, line);
    text += RuleLine(kYieldRuleWidth);
    AppendLine(text, kYieldUnitLine);
    text += RuleLine(kYieldRuleWidth);
    return text;
}

std::string VolumeTableHeading(std::string_view siteName, std::string_view prmName,
                               std::string_view parName, std::string_view hnpName) {
    std::string text;
    AppendLine(text, "        林分材積表     （地位 " + std::string(siteName) + "）");
    AppendLine(text, "");
    AppendLine(text, "  使用ファイル：" + std::string(prmName) + ", " + std::string(parName) +
                         ", " + std::string(hnpName));
    AppendLine(text, "");
    text += RuleLine(kVolumeRuleWidth);
    for (const char* line : kVolumeHeadingTop) AppendLine(text, line);
    text += RuleLine(kVolumeRuleWidth);
    AppendLine(text, kVolumeUnitLine);
    text += RuleLine(kVolumeRuleWidth);
    return text;
}

std::string ThinningRow(const YearRowValues& year, const ThinningBookkeeping& t,
                        double totalYield) {
    std::string row = StandFields(year);
    row += FormatRight(t.ThinnedDbh, "#0.0", 5);
    row += FormatRight(t.StemsThinned, "###0", 6);
    row += FormatRight(t.StemThinningRate, "##0", 4);
    row += FormatRight(t.BasalAreaThinned, "##0.0", 6);
    row += FormatRight(t.VolumeThinned, "##0.0", 6);
    row += FormatRight(t.VolumeThinningRate, "##0", 4);
    row += FormatRight(t.CumulativeThinnedVolume, "###0.0", 7);
    row += FormatRight(t.DbhAfter, "##0.0", 6);
    row += FormatRight(t.StemsAfter, "####0", 6);
    row += FormatRight(t.BasalAreaAfter, "##0.0", 6);
    row += FormatRight(t.VolumeAfter, "###0.0", 7);
    row += FormatRight(t.RyAfter, "0.00", 5);
    row += ClosingFields(totalYield, year.age);
    row += kCrLfText;
    return row;
}

std::string PlainRow(const YearRowValues& year, double totalYield) {
    std::string row = StandFields(year);
    row += std::string(68, ' ');
    row += ClosingFields(totalYield, year.age);
    row += kCrLfText;
    return row;
}

std::string VolumeRow(const YearRowValues& y) {
    std::string row;
    row += FormatRight((y.age + 2) / 5, "##0", 4);
    row += FormatRight(y.age, "##0", 4);
    row += FormatRight(y.height, "##0.0", 6);
    row += FormatRight(y.dbh, "##0.0", 6);
    row += FormatRight(y.stems, "####0", 6);
    row += FormatRight(y.basalArea, "##0.0", 6);
    row += FormatRight(y.volume, "###0.0", 7);
    row += FormatRight(y.growth, "##0.0", 6);
    row += FormatRight(y.meanGrowth, "##0.0", 6);
    row += FormatRight(y.ry, "0.00", 6);
    row += kCrLfText;
    return row;
}

}  // namespace mk
