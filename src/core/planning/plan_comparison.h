#pragma once
// The five plans side by side: for each plan the number of thinnings, the
// volume they take out, and the stand at the end (or target) age, with the
// best value of every column marked. The plan result window, the batch
// tool and the CSV export all show this one computation.

#include <array>
#include <string>

#include "core/planning/plan_simulation.h"

namespace mk {

struct PlanningState;

inline constexpr int kComparisonColumns = 7;

struct ComparisonColumn {
    const char* heading;  // "間伐回数"
    const char* unit;     // "回", "m3/ha", "cm", or "" for a ratio
    const char* format;   // as the number is shown
    bool higherIsBetter;
    const char* why;  // the reason one direction is better, as the legend says it
};

// The columns in their order: 間伐回数, 間伐材積計, 主林木材積, 平均直径,
// 総収穫量, 収量比数, 形状比.
const std::array<ComparisonColumn, kComparisonColumns>& ComparisonColumns();

struct PlanComparisonRow {
    int plan = 0;
    // False when the plan did not reach its end age (a year it could not
    // compute): its end columns are empty and it is never marked best.
    bool complete = false;
    std::array<double, kComparisonColumns> values{};
    std::array<bool, kComparisonColumns> best{};
};

struct PlanComparison {
    int endAge = 0;
    std::array<PlanComparisonRow, kPlanCount> rows;  // plans 1..5
};

// From the outcomes of the plans last run. The end stand is the row the
// plan table shows for the end (or target) age; the total yield is its
// volume and the volume thinned before that age, which is the table's total
// yield column of a plan that runs forward. Best values are found among the
// values as shown, so that equal figures are marked alike.
PlanComparison ComparePlans(const PlanningState& workspace);

// A value as its column shows it; empty for a plan without it.
std::string ComparisonCell(const PlanComparisonRow& row, int column);

// The comparison as the batch tool prints it: a heading, one line per plan
// with "*" after each best value, and a legend saying which way each
// column is better and why. Lines end in "\n".
std::string PlanComparisonText(const PlanComparison& comparison);

}  // namespace mk
