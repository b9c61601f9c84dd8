// The comparison of the five plans: its figures are those of the plan table
// it sits beside, and the best of each column is marked the right way.

#include "core/planning/plan_comparison.h"

#include <gtest/gtest.h>

#include "core/text/cp932.h"
#include "core/text/number_parse.h"
#include "plan_case.h"

namespace mk::test {
namespace {

std::string Field(const std::string& row, std::size_t from, std::size_t width) {
    const std::string field = row.substr(from, width);
    return field.substr(field.find_first_not_of(' '));
}

class PlanComparisonOfTable : public ::testing::TestWithParam<const char*> {};

// Every figure of a plan's comparison row is found in that plan's table:
// the end age's row, its thinning rows, and for a plan that runs forward the
// total yield column.
TEST_P(PlanComparisonOfTable, FiguresAreThoseOfThePlanTable) {
    PlanRunFixture run(GetParam());
    ASSERT_FALSE(run.Run().empty());
    const PlanComparison comparison = ComparePlans(run.ws());
    const auto plans = PlanRows(Cp932ToUtf8(run.WrittenBytes()).value_or(""));
    ASSERT_EQ(plans.size(), 5u);
    const bool backward = PlanModeOf(run.ws().Plan) == PlanMode::Backward;
    for (int k = 1; k <= kPlanCount; ++k) {
        SCOPED_TRACE(k);
        const PlanComparisonRow& row = comparison.rows[static_cast<std::size_t>(k - 1)];
        const auto& rows = plans[static_cast<std::size_t>(k - 1)];
        int thinnings = 0;
        double thinned = 0;
        const std::string* endRow = nullptr;
        for (const std::string& line : rows) {
            if (IsThinningRow(line)) {
                ++thinnings;
                thinned += ParseReal(line.substr(74, 6)).value_or(-1e9);  // 副林木の幹材積
            }
            if (RowAge(line) == comparison.endAge) endRow = &line;
        }
        ASSERT_TRUE(row.complete);
        ASSERT_NE(endRow, nullptr);
        EXPECT_EQ(ComparisonCell(row, 0), std::to_string(thinnings));
        EXPECT_NEAR(row.values[1], thinned, 0.05 * thinnings + 1e-9);
        EXPECT_EQ(ComparisonCell(row, 2), Field(*endRow, 28, 7));
        EXPECT_EQ(ComparisonCell(row, 3), Field(*endRow, 10, 6));
        EXPECT_EQ(ComparisonCell(row, 5), Field(*endRow, 47, 6));
        if (!backward) {
            EXPECT_EQ(ComparisonCell(row, 4), Field(*endRow, endRow->size() - 11, 7));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PlanComparisonOfTable,
                         ::testing::Values("mode_a", "mode_b", "mode_c", "interval", "floor_a"),
                         [](const auto& info) { return std::string(info.param); });

TEST(PlanComparison, BestIsMarkedInEachColumnsOwnDirectionAndTiesAlike) {
    PlanningState ws;
    ws.Plan.EndAge = 60;
    // thinnings, thinned, end volume, DBH, Ry; slenderness follows H and DBH.
    const double plans[5][5] = {{1, 80, 420, 24, 0.80},
                                {2, 150, 380, 26, 0.70},
                                {3, 150, 350, 28, 0.62},
                                {4, 190, 330, 30, 0.55},
                                {5, 10, 900, 40, 0.50}};
    for (int k = 1; k <= 5; ++k) {
        PlanOutcome& o = ws.Outcomes[static_cast<std::size_t>(k)];
        const double* p = plans[k - 1];
        o.ran = true;
        o.reachedEnd = k != 5;  // plan 5 stopped: never best, however good
        o.thinnings = static_cast<int>(p[0]);
        o.thinnedVolume = o.thinnedBeforeEnd = p[1];
        o.endRow.age = 60;
        o.endRow.height = 20;
        o.endRow.volume = p[2];
        o.endRow.dbh = p[3];
        o.endRow.ry = p[4];
    }
    const PlanComparison c = ComparePlans(ws);
    auto bestPlans = [&](int column) {
        std::string plansMarked;
        for (const PlanComparisonRow& row : c.rows) {
            if (row.best[static_cast<std::size_t>(column)]) plansMarked += std::to_string(row.plan);
        }
        return plansMarked;
    };
    EXPECT_EQ(bestPlans(0), "1");  // fewest thinnings
    EXPECT_EQ(bestPlans(1), "4");  // most thinned
    EXPECT_EQ(bestPlans(2), "1");  // most left standing
    EXPECT_EQ(bestPlans(3), "4");  // thickest
    EXPECT_EQ(bestPlans(4), "2");  // 380 + 150 = 530 against 500, 500 and 520
    EXPECT_EQ(bestPlans(5), "4");  // least crowded
    EXPECT_EQ(bestPlans(6), "4");  // 20 / 30: the most stable
    EXPECT_EQ(ComparisonCell(c.rows[4], 2), "");
    EXPECT_EQ(ComparisonCell(c.rows[0], 6), "83");

    // Two plans equal as shown are both best.
    ws.Outcomes[2].thinnings = 1;
    EXPECT_EQ(ComparePlans(ws).rows[1].best[0], true);
    EXPECT_EQ(ComparePlans(ws).rows[0].best[0], true);
}

TEST(PlanComparison, TextMarksTheBestAndSaysWhichWayIsBetter) {
    PlanningState ws;
    ws.Plan.EndAge = 40;
    for (int k = 1; k <= 5; ++k) {
        PlanOutcome& o = ws.Outcomes[static_cast<std::size_t>(k)];
        o.ran = o.reachedEnd = k != 3;
        o.thinnings = k;
        o.endRow = YearRowValues{40, 18, 20.0 + k, 800, 30, 300, 0, 0, 0.7};
    }
    const std::string text = PlanComparisonText(ComparePlans(ws));
    EXPECT_EQ(text.find("施業体系の比較（林齢 40 年、*：各列で最良）\n"
                        "計画    間伐回数  間伐材積計  主林木材積    平均直径    総収穫量"
                        "    収量比数      形状比\n"),
              0u)
        << text;
    // Plan 3 stopped: no figures, and plan 1 is best for fewest thinnings
    // and lowest slenderness only among the plans that reached the end.
    EXPECT_NE(text.find("\n   1          1*        0.0*      300.0*       21.0       300.0*"
                        "       0.70*         86 \n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\n   3         － "), std::string::npos) << text;
    EXPECT_NE(text.find("\n   5          5         0.0*      300.0*       25.0*      300.0*"
                        "       0.70*         72*\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("形状比：小さいほど良い（低いほど風害・雪害に強い）\n"), std::string::npos);
    EXPECT_NE(text.find("総収穫量：大きいほど良い"), std::string::npos);
}

}  // namespace
}  // namespace mk::test
