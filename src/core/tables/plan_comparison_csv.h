#pragma once
// The comparison of the five plans as a CSV file of its own: one table per
// file is what a spreadsheet sorts and filters, so the comparison does not
// ride under the plan table's rows. Same form as the table's CSV (UTF-8 with
// a byte-order mark, CR LF, figures at full precision).

#include <string>

#include "core/planning/plan_comparison.h"

namespace mk {

class Messages;

// Columns: 計画, 林齢, the comparison's columns with their units, and 最良
// (the headings of the columns in which the plan is best, separated by
// "・"). A plan that did not reach its end age has empty figures.
std::string PlanComparisonCsv(const PlanComparison& comparison);

// Writes it whole or not at all; a failure is reported as a write error.
bool WritePlanComparisonCsv(const std::string& path, const PlanComparison& comparison,
                            Messages& messages);

}  // namespace mk
