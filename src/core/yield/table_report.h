#pragma once
// The text of the yield table (.150) and of the stand volume table (.80):
// headings, rows and rules as UTF-8 lines ending in CR LF. Numbers are
// formatted with their pattern and right-aligned in their field; a wider
// value is written whole and shifts the rest of its line.

#include <string>
#include <string_view>

#include "core/yield/year_arrays.h"

namespace mk {

// "林齢と間伐率" … "形状比の上限と下限" for 1..6; empty for any other code.
std::string ThinningMethodName(int method);

// A line of count "─" followed by CR LF.
std::string RuleLine(int count);
// The line holding only a form feed, ending the table of one site class.
std::string FormFeedLine();

// Heading block of a yield table. prmName, parName: name parts of the files.
std::string YieldTableHeading(std::string_view prmName, std::string_view parName,
                              std::string_view siteName, std::string_view methodName);

// Heading block of one site class of a stand volume table.
std::string VolumeTableHeading(std::string_view siteName, std::string_view prmName,
                               std::string_view parName, std::string_view hnpName);

// The stand of one year before its thinning, as a row shows it.
struct YearRowValues {
    int age = 0;
    double height = 0;
    double dbh = 0;
    double stems = 0;
    double basalArea = 0;
    double volume = 0;
    double growth = 0;
    double meanGrowth = 0;
    double ry = 0;
};

// 23 fields, 132 columns when no value is wider than its field.
std::string ThinningRow(const YearRowValues& year, const ThinningBookkeeping& thinning,
                        double totalYield);
// Fields 1-9, 68 blanks, total yield and age: the same 132 columns.
std::string PlainRow(const YearRowValues& year, double totalYield);
// Age class, reference age and the stand: one row of a stand volume table.
std::string VolumeRow(const YearRowValues& year);

inline constexpr int kYieldRuleWidth = 67;
inline constexpr int kVolumeRuleWidth = 29;

}  // namespace mk
