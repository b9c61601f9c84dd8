#pragma once
// The text of PAR and HNP files as the curve determination writes them:
// UTF-8 lines each ending in CR LF, numbers in "0.000000E+00" right-aligned
// in 13 columns after a fixed label. Save them with WriteCp932File.

#include <string>
#include <string_view>

namespace mk {

// "ＭITSCHERLICH式  ", "logistic式       ", "ＧOMPERTZ式      " for kinds
// 1..3 (blanks as stored); empty for any other kind.
std::string CurveName(int kind);

// A value line: label + the number in "0.000000E+00" right-aligned in 13.
std::string ParameterLine(std::string_view label, double value);

inline constexpr std::string_view kParameterLabel1 = "PARAMETER(1)   = ";
inline constexpr std::string_view kParameterLabel2 = "PARAMETER(2)   = ";
inline constexpr std::string_view kParameterLabel3 = "PARAMETER(3)   = ";
inline constexpr std::string_view kParameterLabel4 = "PARAMETER(4)   = ";
inline constexpr std::string_view kBandLabel = "変 動 帯 係 数 = ";
inline constexpr std::string_view kResidualLabel = "残 差 平 方 和 = ";
inline constexpr std::string_view kParHeader = "上層樹高生長曲線計算結果";
inline constexpr std::string_view kHnpHeader = "上層樹高－本数曲線式";

// surveyFileName is the name part of the DAT file the curve was fitted to;
// bestFit adds "（最適曲線）" to the curve name line.
std::string ParFileText(std::string_view surveyFileName, int kind, bool bestFit, double m,
                        double b, double k, double bandCoefficient, double residualSumOfSquares);

std::string HnpFileText(std::string_view surveyFileName, double p1, double p2, double p3,
                        double p4, double residualSumOfSquares);

}  // namespace mk
