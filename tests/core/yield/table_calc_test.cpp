// The year-by-year simulation: thinning windows and schedules, the
// full-density line, the drawing of the stand's path, progress and the
// messages of a run.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numeric>

#include "core/model/density_diagram.h"
#include "core/model/natural_thinning.h"
#include "core/model/site_class.h"
#include "core/yield/table_calc_internal.h"
#include "core/yield/table_report.h"
#include "support/step_limit_pump.h"
#include "yield_fixture.h"

namespace mk::test {
namespace {

namespace fs = std::filesystem;

using Kind = DrawnPrimitive::Kind;

TEST_F(YieldRunTest, Method4ThinsEveryYearOfTheWindowAndNeverAtItsBounds) {
    ws.Run.ThinningMethod = 4;
    ws.Run.PlantingStemNumber = 5000;
    ws.Run.SiteClass = 1;
    ws.Run.SiteCurveScale = *SiteCurveScale(ws.HeightCurve, 1);
    ws.Run.RyTarget = 0.30;
    ws.Run.BoundThinningRate = 0.05;
    ws.Run.ThinningFromAge = 19;
    ws.Run.ThinningToAge = 31;
    const TableCalcOutcome outcome = Run();
    ASSERT_FALSE(outcome.writtenPath.empty());

    std::vector<int> window(11);
    std::iota(window.begin(), window.end(), 20);
    EXPECT_EQ(ThinningAges(TableLines(outcome.writtenPath)), window);
    // Ry was above the target at both bounds, so only the window kept them out.
    EXPECT_GE(ws.Years.YearRy[19], 0.30);
    EXPECT_GE(ws.Years.YearRy[31], 0.30);
    for (int a = 20; a <= 30; ++a) EXPECT_GE(ws.Years.YearRy[a], 0.30) << a;
}

TEST_F(YieldRunTest, Method4WaitsWhileRyIsBelowTheTarget) {
    ws.Run.ThinningMethod = 4;
    ws.Run.RyTarget = 0.80;
    ws.Run.BoundThinningRate = 0.25;
    ws.Run.ThinningFromAge = 14;
    ws.Run.ThinningToAge = 71;
    ws.Run.EndAge = 100;
    const TableCalcOutcome outcome = Run();
    const std::vector<int> ages = ThinningAges(TableLines(outcome.writtenPath));
    ASSERT_FALSE(ages.empty());
    for (int a = 15; a < ages.front(); ++a) EXPECT_LT(ws.Years.YearRy[a], 0.80) << a;
    EXPECT_GE(ws.Years.YearRy[ages.front()], 0.80);
}

TEST_F(YieldRunTest, ScheduledAgesThatAreNeverReachedOrNotWholeNeverThin) {
    Schedule(1, {15, 22.5, 30, 150}, {0.2, 0.2, 0.2, 0.2});
    ws.Run.EndAge = 80;
    const TableCalcOutcome outcome = Run();
    EXPECT_EQ(ThinningAges(TableLines(outcome.writtenPath)), (std::vector<int>{15, 30}));
    EXPECT_EQ(ws.Working.ScheduleKey[1], 10000);
    EXPECT_EQ(ws.Working.ScheduleKey[2], 22.5);
    EXPECT_EQ(ws.Working.ScheduleKey[3], 10000);
    EXPECT_EQ(ws.Working.ScheduleKey[4], 150);
    // Preparing again restores the schedule used up by the run.
    PrepareRunSettings(ws);
    EXPECT_EQ(ws.Working.ScheduleKey[1], 15);
}

TEST_F(YieldRunTest, TwoHeightsReachedInOneYearAreBothThinnedFromTheSameStand) {
    Schedule(2, {9, 9.1}, {0.2, 0.1});
    ws.Run.SiteClass = 3;
    ws.Run.SiteCurveScale = *SiteCurveScale(ws.HeightCurve, 3);
    // The run ends in the thinning year, so its bookkeeping is still there.
    ws.Run.EndAge = 18;
    const TableCalcOutcome outcome = Run();
    const std::vector<int> ages = ThinningAges(TableLines(outcome.writtenPath));
    ASSERT_EQ(ages, std::vector<int>{18});
    const int a = ages[0];
    const double h = ws.Years.YearHeight[a];
    const double n = ws.Years.YearStems[a];
    const double v = ws.Years.YearVolume[a];
    ASSERT_GE(h, 9.1);
    ASSERT_LT(ws.Years.YearHeight[a - 1], 9);
    // The row shows the second thinning, the cumulative volume both.
    const double second = v - StandVolume(ws.Diagram, h, n - 0.1 * n);
    const double first = v - StandVolume(ws.Diagram, h, n - 0.2 * n);
    EXPECT_DOUBLE_EQ(ws.Thinning.VolumeThinned, second);
    EXPECT_DOUBLE_EQ(ws.Thinning.StemsAfter, n - 0.1 * n);
    EXPECT_NEAR(ws.Thinning.CumulativeThinnedVolume, first + second, 1e-9);
}

TEST_F(YieldRunTest, AFirstYearOffTheFiveYearGridStartsTheTableAtTheNextMultipleOfFive) {
    ws.Run.ThinningMethod = 1;
    ws.Run.StemSettingMethod = 2;
    ws.Run.CurrentAge = 12;
    ws.Run.CurrentStemNumber = 2500;
    ws.CurrentStand.CurrentPlantingDensity = 2600;
    const TableCalcOutcome outcome = Run();
    std::vector<int> rowAges;
    for (const std::string& line : TableLines(outcome.writtenPath)) {
        if (IsRow(line)) rowAges.push_back(std::stoi(line.substr(0, 4)));
    }
    ASSERT_FALSE(rowAges.empty());
    EXPECT_EQ(rowAges.front(), 15);
    EXPECT_EQ(rowAges.back(), 60);
    EXPECT_EQ(progress.front(), "　林　齢　＝　12");
    EXPECT_EQ(progress.size(), 49u);
}

TEST_F(YieldRunTest, ACurrentStandOfAgeOneUsesAgeZeroAsTheYearBefore) {
    ws.Run.ThinningMethod = 1;
    ws.Run.StemSettingMethod = 2;
    ws.Run.CurrentAge = 1;
    ws.Run.CurrentStemNumber = 3000;
    ws.CurrentStand.CurrentPlantingDensity = 3000;
    Run();
    const double h0 = *SiteHeight(ws.HeightCurve, ws.Run.SiteCurveScale, 0);
    EXPECT_EQ(ws.Years.YearHeight[0], h0);
    EXPECT_EQ(ws.Years.YearStems[0], NaturalThinningStems(ws.Diagram, 3000, h0));
}

TEST_F(YieldRunTest, TheStandSwitchesToTheFullDensityLineAndLeavesItAtAThinning) {
    // A steep natural-thinning curve against a flat full-density line.
    ws.Diagram.Prm[11] = 3.5;
    ws.Diagram.Prm[12] = -0.3;
    Schedule(1, {40}, {0.3});
    ws.Run.EndAge = 60;
    Run();
    int switchAge = 0;
    for (int a = 2; a <= 39; ++a) {
        const double full = FullDensityStems(ws.Diagram, ws.Years.YearHeight[a]);
        if (switchAge == 0 && ws.Years.YearStems[a] == full) switchAge = a;
        if (switchAge != 0) {
            EXPECT_EQ(ws.Years.YearStems[a], full) << a;
        }
    }
    ASSERT_EQ(switchAge, 28);
    EXPECT_EQ(ws.Years.YearStems[27],
              NaturalThinningStems(ws.Diagram, 3000, ws.Years.YearHeight[27]));

    // After the thinning at 40 the stand follows the curve through the
    // thinned stand, without a full-density check in the year after.
    NullEventPump quiet;
    const double through = PlantingDensityThrough(ws.Diagram, 3000, ws.Years.YearStems[40] * 0.7,
                                                  ws.Years.YearHeight[40], quiet);
    EXPECT_EQ(ws.Years.YearStems[41],
              NaturalThinningStems(ws.Diagram, through, ws.Years.YearHeight[41]));
    EXPECT_NE(ws.Years.YearStems[41], FullDensityStems(ws.Diagram, ws.Years.YearHeight[41]));
}

TEST_F(YieldRunTest, ThePathIsDrawnFromTheLowerEdgeWithCirclesAndThinningLines) {
    Schedule(1, {30}, {0.3});
    ws.Run.EndAge = 35;
    Run();
    const auto& drawn = canvas.primitives();
    int firstDrawn = 0;
    for (int a = 1; a <= 35; ++a) {
        if (ws.Years.YearVolume[a] >= 20) {
            firstDrawn = a;
            break;
        }
    }
    ASSERT_GT(firstDrawn, 1);
    // One parked point per undrawn year, all on the lower edge.
    const double edge = std::trunc(DiagramY(20));
    for (int i = 0; i < firstDrawn - 1; ++i) {
        EXPECT_EQ(drawn[i].kind, Kind::Point);
        EXPECT_EQ(drawn[i].y1, edge);
        EXPECT_EQ(drawn[i].color, colors::DarkBlue);
    }
    // The first drawn year is joined from the edge below the last undrawn one.
    const DrawnPrimitive& join = drawn[firstDrawn - 1];
    ASSERT_EQ(join.kind, Kind::Line);
    EXPECT_EQ(join.x1, DiagramX(ws.Years.YearStems[firstDrawn - 1]));
    EXPECT_EQ(join.y1, edge);
    EXPECT_EQ(join.x2, DiagramX(ws.Years.YearStems[firstDrawn]));
    EXPECT_EQ(join.y2, DiagramY(ws.Years.YearVolume[firstDrawn]));
    EXPECT_EQ(drawn[firstDrawn].kind, Kind::Circle);
    EXPECT_EQ(drawn[firstDrawn].radius, 3);

    const auto circles = canvas.OfKind(Kind::Circle);
    EXPECT_EQ(circles.size(), static_cast<std::size_t>(35 - firstDrawn + 1 + 1));
    // The thinning: a line from the year's point to the thinned stand.
    const auto lines = canvas.OfKind(Kind::Line);
    bool found = false;
    for (const DrawnPrimitive& line : lines) {
        if (line.x1 == DiagramX(ws.Years.YearStems[30]) &&
            line.y1 == DiagramY(ws.Years.YearVolume[30]) &&
            line.x2 == DiagramX(ws.Years.YearStems[30] - 0.3 * ws.Years.YearStems[30])) {
            found = true;
        }
    }
    EXPECT_TRUE(found);
    for (const DrawnPrimitive& p : drawn) EXPECT_EQ(p.color, colors::DarkBlue);
}

TEST_F(YieldRunTest, ProgressAndEventsComeOncePerYear) {
    Schedule(1, {}, {});
    ws.Run.EndAge = 50;
    Run();
    ASSERT_EQ(progress.size(), 50u);
    EXPECT_EQ(progress[0], "　林　齢　＝　1");
    EXPECT_EQ(progress[49], "　林　齢　＝　50");
    EXPECT_EQ(pump.count, 50);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(YieldRunTest, AThinningBelowTheFloorIsReportedAndLeaves150Stems) {
    Schedule(1, {18}, {0.97});
    const TableCalcOutcome outcome = Run();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "間伐率 97％まで落せません。");
    EXPECT_EQ(messages.shown()[0].title, "SUBCALC");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(ThinningAges(TableLines(outcome.writtenPath)), (std::vector<int>{18}));
    EXPECT_EQ(
        ws.Years.YearStems[19],
        NaturalThinningStems(ws.Diagram, ws.Working.CurvePlantingDensity, ws.Years.YearHeight[19]));
    EXPECT_LT(ws.Years.YearStems[19], 150);
}

TEST_F(YieldRunTest, AFractionalRateKeepsAllItsDigitsInTheFloorMessage) {
    Schedule(1, {18}, {0.955});
    Run();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "間伐率 95.5％まで落せません。");
}

TEST_F(YieldRunTest, AThinningThatRemovesNothingIsNotMade) {
    Schedule(1, {20, 25}, {0.0, 0.2});
    const TableCalcOutcome outcome = Run();
    EXPECT_EQ(ThinningAges(TableLines(outcome.writtenPath)), (std::vector<int>{25}));
    EXPECT_EQ(ws.Working.ScheduleKey[1], 10000) << "a skipped thinning still counts as used";
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(YieldRunTest, NoFreeNameEndsTheRunBeforeAnythingIsSimulated) {
    for (char a = 'A'; a <= 'Z'; ++a) {
        for (char b = 'A'; b <= 'Z'; ++b) {
            WriteBytes(tmp.File(std::string("YIELD_") + a + b + ".150"), "x");
        }
    }
    ws.Run.ThinningMethod = 4;
    const TableCalcOutcome outcome = Run();
    EXPECT_FALSE(outcome.started);
    EXPECT_TRUE(outcome.writtenPath.empty());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "作成可能なファイル名がありません");
    EXPECT_EQ(messages.shown()[0].title, "SAVENAME Error");
    EXPECT_TRUE(progress.empty());
    EXPECT_TRUE(canvas.primitives().empty());
}

TEST_F(YieldRunTest, ATableThatCannotBeSavedIsReportedAndNotClaimed) {
    ws.HeightCurve.HeightCurveSource = tmp.File("missing/folder/sugi_survey.dat");
    ws.Run.ThinningMethod = 4;
    const TableCalcOutcome outcome = Run();
    EXPECT_TRUE(outcome.started);
    EXPECT_TRUE(outcome.writtenPath.empty());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              "ファイルに書き込めません。\r\n" + tmp.File("missing/folder/YIELD_AA.150"));
    EXPECT_EQ(messages.shown()[0].title, "ファイル書き込みエラー");
    EXPECT_FALSE(ws.OutputFile.IsOpen());
}

TEST_F(YieldRunTest, ADiagramOfUnknownTypeIsRefusedWithoutAFile) {
    ws.Diagram.Prm[0] = 0;
    ws.Run.ThinningMethod = 4;
    const TableCalcOutcome outcome = Run();
    EXPECT_FALSE(outcome.started);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "林分密度管理図の種類が正しくありません（1または2）。");
    EXPECT_EQ(messages.shown()[0].title, "TABLECALC");
    EXPECT_FALSE(fs::exists(tmp.File("YIELD_AA.150")));
}

TEST_F(YieldRunTest, AYearThatCannotBeComputedStopsTheRunAndClosesTheTable) {
    ws.Run.ThinningMethod = 4;
    ws.Run.RyTarget = 2;
    // The stems follow a curve through a negative planting density.
    ws.Run.PlantingStemNumber = -5;
    const TableCalcOutcome outcome = Run();
    EXPECT_TRUE(outcome.stopped);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              "林齢 1 で計算できない値になりました。パラメータを確認してください。");
    EXPECT_EQ(messages.shown()[0].title, "TABLECALC");
    const std::vector<std::string> lines = TableLines(outcome.writtenPath);
    EXPECT_EQ(lines.back(), std::string(RuleLine(67)).substr(0, 67 * 3));
    for (const std::string& line : lines) EXPECT_EQ(line.find("nan"), std::string::npos);
    EXPECT_TRUE(canvas.primitives().empty());
}

TEST_F(YieldRunTest, AnAgeThatCannotBeComputedLeavesNothingButNumbersForTheGraphs) {
    ws.Run.ThinningMethod = 4;
    ws.Run.RyTarget = 2;
    ws.Run.PlantingStemNumber = -5;
    ASSERT_TRUE(Run().stopped);
    for (int a = 0; a <= kMaxAge; ++a) {
        for (const AgeSeriesArray* column :
             {&ws.Results.PlanHeight, &ws.Results.PlanDbh, &ws.Results.PlanVolume,
              &ws.Results.PlanRy, &ws.Results.PlanSlenderness, &ws.Results.PlanStems}) {
            EXPECT_TRUE(std::isfinite((*column)[a][1])) << "age " << a;
        }
    }
}

TEST_F(YieldRunTest, TheResultArraysHoldTheRunInSeriesOne) {
    ws.Run.ThinningMethod = 4;
    ws.Run.EndAge = 40;
    Run();
    for (int a = 1; a <= 40; ++a) {
        EXPECT_EQ(ws.Results.PlanHeight[a][1], ws.Years.YearHeight[a]);
        EXPECT_EQ(ws.Results.PlanStems[a][1], ws.Years.YearStems[a]);
        EXPECT_EQ(ws.Results.PlanRy[a][1], ws.Years.YearRy[a]);
    }
    EXPECT_EQ(ws.Results.PlanVolume[41][1], 0);
}

// The method 5 and 6 searches on one prepared year.
class ThinningSearchTest : public YieldRunTest {
protected:
    void PrepareYear(int method, double height, double stems) {
        ws.Run.ThinningMethod = method;
        PrepareRunSettings(ws);
        ws.Working.NextThinAfterAge = 0;
        ws.Working.ThinBeforeAge = 100;
        auto& y = ws.Years;
        y.YearHeight[age] = height;
        y.YearStems[age] = stems;
        y.YearVolume[age] = StandVolume(ws.Diagram, height, stems);
        y.YearDbh[age] = MeanDbh(ws.Diagram, height, stems);
        y.YearSlenderness[age] = height / y.YearDbh[age];
        y.YearRy[age] = *YieldIndex(ws.Diagram, height, stems);
        ws.Thinning.BasalAreaBefore = BasalArea(ws.Diagram, height, stems);
    }
    const int age = 50;
};

TEST_F(ThinningSearchTest, Method5FindsTheFirstStemNumberBelowTheLowerBound) {
    PrepareYear(5, 20, 2000);
    ws.Working.BoundUpper = 0.7;
    ws.Working.BoundLower = 0.6;
    ASSERT_GE(ws.Years.YearRy[age], 0.7);
    detail::ThinningDecision(ws, age, messages, pump);
    ASSERT_TRUE(ws.Working.ThinnedThisYear);
    const double after = ws.Thinning.StemsAfter;
    EXPECT_LT(*YieldIndex(ws.Diagram, 20, after), 0.6);
    EXPECT_GE(*YieldIndex(ws.Diagram, 20, after + 1), 0.6);
    EXPECT_GT(pump.count, 3);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ThinningSearchTest, Method5ThatCannotReachTheLowerBoundThinsTo150) {
    PrepareYear(5, 20, 2000);
    ws.Working.BoundUpper = 0.7;
    ws.Working.BoundLower = 0.01;
    detail::ThinningDecision(ws, age, messages, pump);
    EXPECT_EQ(ws.Thinning.StemsAfter, 150);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "収量比数 0.01 まで落せません。");
    EXPECT_EQ(messages.shown()[0].title, "TABLECALC Case5");
}

TEST_F(ThinningSearchTest, Method6ThatEndsAt150WithALowRyIsReported) {
    // Tall, sparse stand: 240 stems hold Ry above 0.3, 150 stems below it.
    PrepareYear(6, 40, 240);
    ws.Working.BoundUpper = 0.8;
    ws.Working.BoundLower = 0.5;
    ASSERT_GE(ws.Years.YearSlenderness[age], 0.8);
    ASSERT_GE(*YieldIndex(ws.Diagram, 40, 240), 0.3);
    ASSERT_LT(*YieldIndex(ws.Diagram, 40, 150), 0.3);
    detail::ThinningDecision(ws, age, messages, pump);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "形状比 50 まで落せません。");
    EXPECT_EQ(messages.shown()[0].title, "TABLECALC Case6");
    EXPECT_EQ(ws.Thinning.StemsAfter, 150);
    EXPECT_TRUE(ws.Working.ThinnedThisYear);
}

TEST_F(ThinningSearchTest, Method6FineSearchStopsAtTheFloor) {
    PrepareYear(6, 40, 1000);
    ws.Working.BoundUpper = 0.8;
    ws.Working.BoundLower = 0.2;  // a slenderness no stand of this height reaches
    ASSERT_GE(ws.Years.YearSlenderness[age], 0.8);
    detail::ThinningDecision(ws, age, messages, pump);
    EXPECT_EQ(ws.Thinning.StemsAfter, 150);
}

TEST_F(ThinningSearchTest, Method6LeavesALowVolumeStandAlone) {
    PrepareYear(6, 5, 3000);
    ws.Working.BoundUpper = 0.1;
    ws.Working.BoundLower = 0.05;
    ASSERT_LE(ws.Years.YearVolume[age], 40);
    detail::ThinningDecision(ws, age, messages, pump);
    EXPECT_FALSE(ws.Working.ThinnedThisYear);
}

TEST_F(ThinningSearchTest, StandsFarBeyondAnyPlantingCannotBeSearched) {
    // Taking 100 stems at a time off 1e17 or 1e20 stems changes nothing, and
    // off 1e7 it takes 100000 steps: the searches once ran for ever (or
    // nearly). They give up after the steps that bring 100000 stems to the
    // floor, and the year cannot be computed.
    // (Far beyond, the diagram gives no mean diameter any more, and the
    // slenderness search ends at once.)
    const std::pair<int, double> cases[] = {{5, 1e7}, {5, 1e17}, {5, 1e20}, {6, 1e7}};
    for (const auto& [method, stems] : cases) {
        SCOPED_TRACE(std::to_string(method) + " " + std::to_string(stems));
        PrepareYear(method, 20, stems);
        ASSERT_TRUE(std::isfinite(ws.Years.YearSlenderness[age]));
        ws.Working.BoundUpper = 0;
        ws.Working.BoundLower = 0.01;  // no stand reaches it
        const ThinningBookkeeping before = ws.Thinning;
        const double slenderness = ws.Years.YearSlenderness[age];
        test::StepLimitPump bounded(5000);
        EXPECT_FALSE(detail::ThinningDecision(ws, age, messages, bounded));
        EXPECT_LE(bounded.count, 1000);
        EXPECT_FALSE(ws.Working.ThinnedThisYear);
        EXPECT_EQ(ws.Thinning.StemsAfter, before.StemsAfter);
        EXPECT_EQ(ws.Years.YearSlenderness[age], slenderness);
    }
    EXPECT_TRUE(messages.shown().empty());
    // A stand at the ceiling is still searched down to the floor.
    PrepareYear(5, 20, 100000);
    ws.Working.BoundUpper = 0;
    ws.Working.BoundLower = 0.01;
    EXPECT_TRUE(detail::ThinningDecision(ws, age, messages, pump));
    EXPECT_EQ(ws.Thinning.StemsAfter, 150);
}

TEST_F(YieldRunTest, HugePlantingsEndInTime) {
    // Plantings of 1e12 and 1e20 stems under the Ry bounds (method 5): the
    // first thinning year cannot be computed, and the run says so there.
    // Under a thinning rate (method 4) the run goes on: the bisection
    // through each thinned stand ends where doubles are too coarse for 0.05.
    for (double planting : {1e12, 1e20}) {
        for (int method : {4, 5}) {
            SCOPED_TRACE(std::to_string(method) + " " + std::to_string(planting));
            ws.Run.ThinningMethod = method;
            ws.Run.PlantingStemNumber = planting;
            ws.Run.RyTarget = ws.Run.RyUpper = 0.8;
            ws.Run.BoundThinningRate = 0.25;
            ws.Run.RyLower = 0.65;
            ws.Run.ThinningFromAge = 14;
            ws.Run.ThinningToAge = 81;
            messages = RecordingMessages{};
            PrepareRunSettings(ws);
            test::StepLimitPump bounded(200000);
            const TableCalcOutcome outcome =
                TABLECALC(ws, kYieldTableMode, canvas, ProgressText{}, messages, bounded);
            ASSERT_FALSE(outcome.writtenPath.empty());
            if (method == 5) {
                EXPECT_TRUE(outcome.stopped);
                ASSERT_EQ(messages.shown().size(), 1u);
                EXPECT_EQ(messages.shown()[0].text,
                          "林齢 15 で計算できない値になりました。パラメータを確認してください。");
                EXPECT_EQ(messages.shown()[0].title, "TABLECALC");
            }
        }
    }
}

TEST_F(ThinningSearchTest, StandsAtTheFloorAreNotSearched) {
    for (int method : {5, 6}) {
        PrepareYear(method, 40, 140);
        ws.Working.BoundUpper = 0;
        ws.Working.BoundLower = 0;
        const ThinningBookkeeping before = ws.Thinning;
        detail::ThinningDecision(ws, age, messages, pump);
        EXPECT_FALSE(ws.Working.ThinnedThisYear) << method;
        EXPECT_EQ(ws.Thinning.StemsAfter, before.StemsAfter) << method;
        EXPECT_EQ(pump.count, 0) << method;
    }
    EXPECT_TRUE(messages.shown().empty());
}

}  // namespace
}  // namespace mk::test
