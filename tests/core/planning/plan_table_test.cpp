// Whole plan tables compared byte for byte with the independent computation
// of reference/plan_reference.py, and the properties of the plans that the
// tables must show.

#include <gtest/gtest.h>

#include <cmath>

#include "core/model/natural_thinning.h"
#include "core/model/site_class.h"
#include "core/planning/plan_simulation.h"
#include "core/text/cp932.h"
#include "core/text/number_format.h"
#include "core/text/paths.h"
#include "plan_case.h"

namespace mk::test {
namespace {

std::string Utf8(const std::string& cp932) { return Cp932ToUtf8(cp932).value_or(""); }

class PlanGoldenFile : public ::testing::TestWithParam<const char*> {};

TEST_P(PlanGoldenFile, TableAndMessagesMatchTheIndependentComputation) {
    const std::string name = GetParam();
    PlanRunFixture run(name);
    const std::string path = run.Run();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(FileNamePart(path), "YIELD_AA.160");
    EXPECT_EQ(FolderPart(path), run.dir().path() + "/");
    const std::string expected = ReadBytes(PlanDataPath(name + ".160"));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(run.WrittenBytes(), expected);
    EXPECT_EQ(run.MessageList(), ReadBytes(PlanDataPath(name + ".msg")));
    for (const ShownMessage& m : run.messages().shown()) {
        EXPECT_EQ(m.icon, MessageIcon::Error);
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PlanGoldenFile,
                         ::testing::Values("mode_a", "mode_b", "mode_c", "never", "step_ratio",
                                           "interval", "floor_a", "floor_b"),
                         [](const auto& info) { return std::string(info.param); });

TEST(PlanTable, FiveCompleteTablesEvenWhenThePlansAgree) {
    PlanRunFixture run("never");
    ASSERT_FALSE(run.Run().empty());
    const std::string table = Utf8(run.WrittenBytes());
    const auto plans = PlanRows(table);
    ASSERT_EQ(plans.size(), 5u);
    for (const auto& rows : plans) EXPECT_EQ(rows, plans[0]);
    EXPECT_EQ(
        table.find("収穫予測    使用ファイル：sugi_type1.prm & sugi.PAR\r\n  （地位中）\r\n\r\n"),
        0u);
    // The table ends with the closing rule of plan 5.
    std::string rule;
    for (int i = 0; i < 67; ++i) rule += "─";
    EXPECT_EQ(table.substr(table.size() - rule.size() - 2), rule + "\r\n");
}

TEST(PlanTable, ATriggerThatNeverFiresLeavesTheUntreatedStand) {
    PlanRunFixture run("never");
    ASSERT_FALSE(run.Run().empty());
    for (const auto& rows : PlanRows(Utf8(run.WrittenBytes()))) {
        ASSERT_EQ(rows.size(), 20u);  // ages 5, 10, ..., 100
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_FALSE(IsThinningRow(rows[i])) << rows[i];
            EXPECT_EQ(rows[i].size(), 132u);
            EXPECT_EQ(RowAge(rows[i]), static_cast<int>(5 * (i + 1)));
        }
    }
    Workspace& ws = run.ws();
    for (int age = 1; age <= 100; ++age) {
        const double H = *SiteHeight(ws.HeightCurve, ws.Run.SiteCurveScale, age);
        const double untreated = NaturalThinningStems(ws.Diagram, 3000, H);
        for (int k = 1; k <= 5; ++k) {
            EXPECT_EQ(ws.Results.PlanStems[age][k], untreated) << age << " " << k;
            EXPECT_EQ(ws.Results.PlanHeight[age][k], H);
        }
    }
}

std::vector<int> ThinningAges(const std::vector<std::string>& rows) {
    std::vector<int> ages;
    for (const std::string& row : rows) {
        if (IsThinningRow(row)) ages.push_back(RowAge(row));
    }
    return ages;
}

TEST(PlanTable, StepRatioOfOneOrMoreThinsOnlyPlanOneOntoTheTargetCurve) {
    PlanRunFixture run("step_ratio");
    ASSERT_FALSE(run.Run().empty());
    const auto plans = PlanRows(Utf8(run.WrittenBytes()));
    ASSERT_EQ(plans.size(), 5u);
    const std::vector<int> plan1 = ThinningAges(plans[0]);
    ASSERT_EQ(plan1.size(), 1u);
    for (int k = 2; k <= 5; ++k) EXPECT_TRUE(ThinningAges(plans[k - 1]).empty()) << k;

    // Plan 1 leaves exactly the target's curve at the thinning's height.
    Workspace& ws = run.ws();
    const int age = plan1[0];
    const double H = *SiteHeight(ws.HeightCurve, ws.Run.SiteCurveScale, age);
    const double target = NaturalThinningStems(ws.Diagram, 2000, H);
    for (const std::string& row : plans[0]) {
        if (IsThinningRow(row)) {
            EXPECT_EQ(row.substr(97, 6), FormatRight(target, "####0", 6));
        }
    }
}

TEST(PlanTable, ThinningsKeepTheMinimumIntervalInsideTheWindow) {
    // The slenderness limit is below every stand's, so the trigger fires in
    // every year the interval and the window allow.
    PlanRunFixture run("interval");
    ASSERT_FALSE(run.Run().empty());
    const auto plans = PlanRows(Utf8(run.WrittenBytes()));
    ASSERT_EQ(plans.size(), 5u);
    const std::vector<int> all{14, 18, 22, 26, 30};
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(ThinningAges(plans[k - 1]), std::vector<int>(all.begin(), all.begin() + k)) << k;
    }
}

TEST(PlanTable, AShorterWindowCutsTheLastThinning) {
    PlanRunFixture run("interval");
    run.ws().Plan.ThinToAge = 30;  // last thinning age 29
    run.ws().Plan.IntervalLessOne = 4;
    ASSERT_FALSE(run.Run().empty());
    const auto plans = PlanRows(Utf8(run.WrittenBytes()));
    ASSERT_EQ(plans.size(), 5u);
    EXPECT_EQ(ThinningAges(plans[4]), (std::vector<int>{14, 19, 24, 29}));
    EXPECT_EQ(ThinningAges(plans[3]), (std::vector<int>{14, 19, 24, 29}));
    EXPECT_EQ(ThinningAges(plans[1]), (std::vector<int>{14, 19}));
}

TEST(PlanTable, BackwardPlansWriteTheirRowsInFallingAgeOrder) {
    PlanRunFixture run("mode_c");
    ASSERT_FALSE(run.Run().empty());
    const auto plans = PlanRows(Utf8(run.WrittenBytes()));
    ASSERT_EQ(plans.size(), 5u);
    for (const auto& rows : plans) {
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(RowAge(rows.front()), 70);
        EXPECT_EQ(RowAge(rows.back()), 5);
        for (std::size_t i = 1; i < rows.size(); ++i) {
            EXPECT_LT(RowAge(rows[i]), RowAge(rows[i - 1]));
        }
    }
    // Plan k thins at most k times.
    for (int k = 1; k <= 5; ++k) EXPECT_LE(ThinningAges(plans[k - 1]).size(), std::size_t(k));
    // The progress label counts down from the target age.
    ASSERT_FALSE(run.labels().empty());
    EXPECT_EQ(run.labels().front(), "1:　林　齢　＝　70");
    EXPECT_EQ(run.labels().back(), "5:　林　齢　＝　1");
}

TEST(PlanTable, ResultColumnsHoldEachPlan) {
    PlanRunFixture run("mode_a");
    ASSERT_FALSE(run.Run().empty());
    const ResultArrays& r = run.ws().Results;
    // Plan 1 thins once at 22 down to the target curve, plan 5 in small
    // steps: the stands differ from age 23 on.
    EXPECT_EQ(r.PlanStems[22][1], r.PlanStems[22][5]);
    EXPECT_LT(r.PlanStems[23][1], r.PlanStems[23][5]);
    EXPECT_EQ(r.PlanVolume[15][1], r.PlanVolume[15][3]);
}

}  // namespace
}  // namespace mk::test
