// The plan run around its tables: the trajectory on each plan's picture,
// refusals before a run, failures during one, and the bookkeeping of a
// single thinning.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "core/graphics/density_diagram_frame.h"
#include "core/model/density_diagram.h"
#include "core/model/natural_thinning.h"
#include "core/model/site_class.h"
#include "core/planning/plan_simulation.h"
#include "core/text/cp932.h"
#include "plan_case.h"

namespace mk::test {
namespace {

using Kind = DrawnPrimitive::Kind;

std::vector<DrawnPrimitive> Path(const RecordingCanvas& canvas) { return canvas.primitives(); }

int Count(const std::vector<DrawnPrimitive>& items, Kind kind) {
    int n = 0;
    for (const auto& p : items) n += p.kind == kind ? 1 : 0;
    return n;
}

TEST(PlanTrajectory, ForwardPlanJoinsItsYearsAndStepsToTheThinnedStand) {
    PlanRunFixture run("mode_a");
    ASSERT_FALSE(run.Run().empty());
    const auto items = Path(run.picture(1));
    // Ages 15..60: a point at the first and the last age, lines between,
    // a circle at every age; plan 1 thins once (age 22): one more line and
    // circle.
    EXPECT_EQ(Count(items, Kind::Point), 2);
    EXPECT_EQ(Count(items, Kind::Line), 44 + 1);
    EXPECT_EQ(Count(items, Kind::Circle), 46 + 1);
    for (const auto& p : items) EXPECT_EQ(p.color, colors::DarkBlue);
    ASSERT_EQ(items.front().kind, Kind::Point);
    ASSERT_EQ(items[items.size() - 2].kind, Kind::Point);

    Workspace& ws = run.ws();
    const double H = *SiteHeight(ws.HeightCurve, ws.Run.SiteCurveScale, 22);
    const double after = NaturalThinningStems(ws.Diagram, 967, H);
    // Age 15 is items 0-1; age 22 is items 14-15, then its thinning.
    const DrawnPrimitive& thinLine = items[16];
    const DrawnPrimitive& thinCircle = items[17];
    ASSERT_EQ(thinLine.kind, Kind::Line);
    EXPECT_DOUBLE_EQ(thinLine.x1, DiagramX(ws.Results.PlanStems[22][1]));
    EXPECT_DOUBLE_EQ(thinLine.x2, DiagramX(after));
    EXPECT_DOUBLE_EQ(thinLine.y2, DiagramY(StandVolume(ws.Diagram, H, after)));
    ASSERT_EQ(thinCircle.kind, Kind::Circle);
    EXPECT_EQ(thinCircle.x1, thinLine.x2);
    EXPECT_EQ(thinCircle.y1, thinLine.y2);
    EXPECT_EQ(thinCircle.radius, 3);
    // The next year starts from the thinned stand.
    EXPECT_EQ(items[18].kind, Kind::Line);
    EXPECT_EQ(items[18].x1, thinLine.x2);
}

TEST(PlanTrajectory, BackwardThinningCirclesTheStandBeforeIt) {
    PlanRunFixture run("mode_c");
    ASSERT_FALSE(run.Run().empty());
    const auto items = Path(run.picture(1));
    const ResultArrays& r = run.ws().Results;
    // Age 70 is the first year of the loop and is thinned.
    ASSERT_GE(items.size(), 5u);
    EXPECT_EQ(items[0].kind, Kind::Point);
    EXPECT_EQ(items[1].kind, Kind::Circle);
    ASSERT_EQ(items[2].kind, Kind::Line);
    EXPECT_EQ(items[2].x1, items[0].x1);  // the stand the run had reached
    EXPECT_DOUBLE_EQ(items[2].x2, items[0].x1);
    ASSERT_EQ(items[3].kind, Kind::Circle);
    EXPECT_DOUBLE_EQ(items[3].x1, DiagramX(r.PlanStems[70][1]));
    EXPECT_DOUBLE_EQ(items[3].y1, DiagramY(r.PlanVolume[70][1]));
    EXPECT_GT(r.PlanStems[70][1], 800);
    // Age 69 joins on from the stand before the thinning.
    ASSERT_EQ(items[4].kind, Kind::Line);
    EXPECT_EQ(items[4].x1, items[3].x1);
    EXPECT_EQ(items[4].y1, items[3].y1);
    // The last year of the loop is age 1: a single point on the lower edge.
    EXPECT_EQ(items.back().kind, Kind::Point);
    EXPECT_EQ(items.back().y1, DensityDiagramFrame().bottom);
}

TEST(PlanTrajectory, SmallVolumesSitOnTheLowerEdge) {
    PlanRunFixture run("floor_b");
    ASSERT_FALSE(run.Run().empty());
    const auto items = Path(run.picture(1));
    const ResultArrays& r = run.ws().Results;
    ASSERT_LT(r.PlanVolume[3][1], 20);
    ASSERT_EQ(items[0].kind, Kind::Point);
    EXPECT_DOUBLE_EQ(items[0].x1, DiagramX(r.PlanStems[3][1]));
    EXPECT_EQ(items[0].y1, DensityDiagramFrame().bottom);
    // The first year at or above 20 m3 is joined from the edge.
    int age = 3;
    while (r.PlanVolume[age][1] < 20) ++age;
    const std::size_t index = static_cast<std::size_t>(age - 3);
    ASSERT_EQ(items[index].kind, Kind::Line);
    EXPECT_EQ(items[index].y1, DensityDiagramFrame().bottom);
}

TEST(PlanRun, RefusesADiagramOfAnotherTypeBeforeAnythingIsWritten) {
    PlanRunFixture run("mode_b");
    run.ws().Diagram.Prm[0] = 3;
    EXPECT_TRUE(run.Run().empty());
    ASSERT_EQ(run.messages().shown().size(), 1u);
    EXPECT_EQ(run.messages().shown()[0].text,
              "林分密度管理図の種類が正しくありません（1または2）。");
    EXPECT_EQ(run.messages().shown()[0].title, "TABLECALC2");
    EXPECT_EQ(run.messages().shown()[0].icon, MessageIcon::Error);
    EXPECT_FALSE(std::filesystem::exists(run.dir().File("YIELD_AA.160")));
    EXPECT_TRUE(run.picture(1).primitives().empty());
}

TEST(PlanRun, NoFreeNameRunsNothing) {
    PlanRunFixture run("mode_b");
    for (char a = 'A'; a <= 'Z'; ++a) {
        for (char b = 'A'; b <= 'Z'; ++b) {
            WriteBytes(run.dir().File(std::string("YIELD_") + a + b + ".160"), "x");
        }
    }
    EXPECT_TRUE(run.Run().empty());
    ASSERT_EQ(run.messages().shown().size(), 1u);
    EXPECT_EQ(run.messages().shown()[0].title, "SAVENAME Error");
    EXPECT_TRUE(run.picture(1).primitives().empty());
    EXPECT_EQ(ReadBytes(run.dir().File("YIELD_ZZ.160")), "x");
}

TEST(PlanRun, AnotherSuffixDoesNotTakeTheName) {
    PlanRunFixture run("mode_b");
    WriteBytes(run.dir().File("YIELD_AA.150"), "x");
    WriteBytes(run.dir().File("YIELD_AA.160"), "x");
    const std::string path = run.Run();
    EXPECT_EQ(path, run.dir().File("YIELD_AB.160"));
    EXPECT_EQ(ReadBytes(run.dir().File("YIELD_AA.160")), "x");
}

TEST(PlanRun, AFileThatCannotBeWrittenIsReportedAndNotClaimed) {
    PlanRunFixture run("mode_b");
    const std::string folder = run.dir().File("gone");
    run.ws().HeightCurve.HeightCurveSource = folder + "/survey.dat";
    EXPECT_TRUE(run.Run().empty());
    ASSERT_EQ(run.messages().shown().size(), 1u);
    EXPECT_EQ(run.messages().shown()[0].title, "ファイル書き込みエラー");
    EXPECT_EQ(run.messages().shown()[0].text,
              "ファイルに書き込めません。\r\n" + folder + "/YIELD_AA.160");
    EXPECT_FALSE(run.ws().OutputFile.IsOpen());
}

TEST(PlanRun, ValuesThatAreNotNumbersStopOnlyTheirPlan) {
    PlanRunFixture run("mode_b");
    // With a negative second term the natural-thinning curve has no real
    // stem number once the stand is tall enough.
    run.ws().Diagram.Prm[3] = -20;
    run.ws().Diagram.Prm[4] = -1.0;
    ASSERT_FALSE(run.Run().empty());
    const auto& shown = run.messages().shown();
    ASSERT_EQ(shown.size(), 5u);
    const std::regex text(
        "林齢 [0-9]+ で計算できない値になりました。パラメータを確認してください。");
    for (const ShownMessage& m : shown) {
        EXPECT_TRUE(std::regex_match(m.text, text)) << m.text;
        EXPECT_EQ(m.title, "TABLECALC2");
        EXPECT_EQ(m.icon, MessageIcon::Error);
    }
    const std::string table = Cp932ToUtf8(run.WrittenBytes()).value_or("");
    EXPECT_EQ(PlanRows(table).size(), 5u);
    EXPECT_EQ(table.find("nan"), std::string::npos);
    EXPECT_EQ(table.find("inf"), std::string::npos);
}

TEST(PlanRun, StandsOfAHugePlantingEndTheirPlansAsUncomputable) {
    // A planting of 1e20 stems: taking 100 stems at a time off such a stand
    // changes nothing, and the policy's search (mode B) once ran for ever,
    // as did the bisection through the thinned stand (mode A).
    for (const char* name : {"mode_b", "mode_a"}) {
        SCOPED_TRACE(name);
        PlanRunFixture run(name);
        run.ws().Plan.StartPlantingDensity = 1e20;
        ASSERT_FALSE(run.Run().empty());
        const std::string table = Cp932ToUtf8(run.WrittenBytes()).value_or("");
        EXPECT_EQ(PlanRows(table).size(), 5u);
        EXPECT_EQ(table.find("nan"), std::string::npos);
        EXPECT_EQ(table.find("inf"), std::string::npos);
        if (std::string(name) == "mode_b") {
            const auto& shown = run.messages().shown();
            ASSERT_EQ(shown.size(), 5u);
            for (const ShownMessage& m : shown) {
                EXPECT_EQ(m.text, "林齢 12 で計算できない値になりました。パラメータを確認してください。");
                EXPECT_EQ(m.title, "TABLECALC2");
            }
        }
    }
}

TEST(PlanRun, AStandAtTheFloorIsNotSearchedAgain) {
    // After the first thinning to 150 stems the slenderness keeps firing
    // the trigger; a stand of 150 stems or fewer is left alone, silently.
    PlanRunFixture run("floor_b");
    run.ws().Plan.SlendernessLimit = 0.3;
    ASSERT_FALSE(run.Run().empty());
    EXPECT_EQ(run.messages().shown().size(), 5u);
    const auto plans = PlanRows(Cp932ToUtf8(run.WrittenBytes()).value_or(""));
    ASSERT_EQ(plans.size(), 5u);
    for (const auto& rows : plans) {
        int thinnings = 0;
        for (const auto& row : rows) thinnings += IsThinningRow(row) ? 1 : 0;
        EXPECT_EQ(thinnings, 1);
    }
}

TEST(PlanRun, PreparationCopiesThePolicy) {
    PlanRunFixture run("interval");
    Workspace& ws = run.ws();
    PreparePlanRun(ws);
    EXPECT_EQ(ws.PlanWorking.ThinBeforeAge, 31);
    EXPECT_EQ(ws.PlanWorking.IntervalLessOne, 3);
    EXPECT_EQ(ws.PlanWorking.RyLimit, 0.99);
    EXPECT_EQ(ws.PlanWorking.SlendernessLimit, 0.6);
    EXPECT_EQ(ws.Run.CurrentAge, 10);
    StartPlan(ws, 4);
    EXPECT_EQ(ws.PlanWorking.PlanThinnings, 4);
    EXPECT_EQ(ws.PlanWorking.ThinningNumber, 1);
    EXPECT_EQ(ws.PlanWorking.NextThinAfterAge, 13);
    EXPECT_EQ(ws.PlanWorking.CurvePlantingDensity, 3100);
}

class Subcalc2 : public ::testing::Test {
protected:
    void SetUp() override {
        run_ = std::make_unique<PlanRunFixture>("mode_a");
        Workspace& ws = run_->ws();
        StartPlan(ws, 3);
        ws.Years.YearHeight[30] = 15;
        ws.Years.YearStems[30] = 140;
        ws.Years.YearVolume[30] = StandVolume(ws.Diagram, 15, 140);
        ws.Years.YearDbh[30] = MeanDbh(ws.Diagram, 15, 140);
        ws.Thinning.VolumeAfter = 123;
        ws.Thinning.CumulativeThinnedVolume = 45;
    }
    std::unique_ptr<PlanRunFixture> run_;
    RecordingMessages messages_;
};

TEST_F(Subcalc2, BelowTheFloorWithNothingToRemoveMakesNoThinning) {
    Workspace& ws = run_->ws();
    ws.Thinning.StemsAfter = 100;
    ws.Thinning.StemsThinned = 40;
    ws.Thinning.StemThinningRate = 40.0 / 140 * 100;
    EXPECT_FALSE(SUBCALC2(ws, 30, messages_));
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].text, "間伐率 28.5714285714286％まで落せません。");
    EXPECT_EQ(messages_.shown()[0].title, "SUBCALC2 間伐3回");
    EXPECT_FALSE(ws.PlanWorking.ThinnedThisYear);
    EXPECT_EQ(ws.Thinning.StemsAfter, 100);
    EXPECT_EQ(ws.Thinning.VolumeAfter, 123);
    EXPECT_EQ(ws.Thinning.CumulativeThinnedVolume, 45);
}

TEST_F(Subcalc2, BelowTheFloorThinsToTheFloor) {
    Workspace& ws = run_->ws();
    ws.Years.YearStems[30] = 400;
    ws.Years.YearVolume[30] = StandVolume(ws.Diagram, 15, 400);
    ws.Years.YearDbh[30] = MeanDbh(ws.Diagram, 15, 400);
    ws.Thinning.BasalAreaBefore = BasalArea(ws.Diagram, 15, 400);
    ws.Thinning.StemsAfter = 100;
    ws.Thinning.StemsThinned = 300;
    ws.Thinning.StemThinningRate = 75;
    ws.PlanWorking.OnFullDensityLine = true;
    EXPECT_TRUE(SUBCALC2(ws, 30, messages_));
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].text, "間伐率 75％まで落せません。");
    const ThinningBookkeeping& t = ws.Thinning;
    EXPECT_EQ(t.StemsAfter, 150);
    EXPECT_EQ(t.StemsThinned, 250);
    EXPECT_EQ(t.StemThinningRate, 250.0 * 100 / 400);
    EXPECT_TRUE(ws.PlanWorking.ThinnedThisYear);
    EXPECT_FALSE(ws.PlanWorking.OnFullDensityLine);
    EXPECT_EQ(t.VolumeAfter, StandVolume(ws.Diagram, 15, 150));
    EXPECT_EQ(t.CumulativeThinnedVolume, 45 + t.VolumeThinned);
    EXPECT_EQ(t.ThinnedDbh, (ws.Years.YearDbh[30] * 400 - t.DbhAfter * 150) / 250);
    EXPECT_EQ(t.RyAfter, *YieldIndex(ws.Diagram, 15, 150));
}

}  // namespace
}  // namespace mk::test
