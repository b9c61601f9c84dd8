// The five plans compared, as a CSV file of its own for a spreadsheet.

#include <gtest/gtest.h>

#include "core/planning/planning_state.h"
#include "core/tables/plan_comparison_csv.h"

namespace mk {
namespace {

TEST(PlanComparisonCsv, OneTableWithUnitsFullFiguresAndTheBestColumnsNamed) {
    PlanningState ws;
    ws.Plan.EndAge = 60;
    for (int k = 1; k <= 5; ++k) {
        PlanOutcome& o = ws.Outcomes[static_cast<std::size_t>(k)];
        o.ran = true;
        o.reachedEnd = k != 4;  // plan 4 stopped before its end age
        o.thinnings = k;
        o.thinnedVolume = o.thinnedBeforeEnd = 10.25 * k;
        o.endRow = YearRowValues{60, 20, 25, 700, 40, 400.125, 0, 0, 0.6 + 0.01 * k};
    }
    const std::string csv = PlanComparisonCsv(ComparePlans(ws));
    const std::string expected =
        "\xEF\xBB\xBF"
        "計画,林齢,間伐回数（回）,間伐材積計（m3/ha）,主林木材積（m3/ha）,平均直径（cm）,"
        "総収穫量（m3/ha）,収量比数,形状比,最良\r\n"
        "1,60,1,10.25,400.125,25,410.375,0.61,80,間伐回数・主林木材積・平均直径・収量比数・形状比\r\n"
        "2,60,2,20.5,400.125,25,420.625,0.62,80,主林木材積・平均直径・形状比\r\n"
        "3,60,3,30.75,400.125,25,430.875,0.63,80,主林木材積・平均直径・形状比\r\n"
        "4,60,,,,,,,,\r\n"
        "5,60,5,51.25,400.125,25,451.375,0.65,80,間伐材積計・主林木材積・平均直径・総収穫量・形状比\r\n";
    EXPECT_EQ(csv, expected);
}

}  // namespace
}  // namespace mk
