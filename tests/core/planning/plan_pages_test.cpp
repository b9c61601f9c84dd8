// The values and texts the planning wizard's pages show.

#include "core/planning/plan_pages.h"

#include <gtest/gtest.h>

#include "core/host/messages.h"
#include "core/model/density_diagram.h"
#include "core/model/natural_thinning.h"
#include "core/planning/plan_settings.h"
#include "core/session/workspace.h"
#include "core/text/number_format.h"
#include "plan_case.h"

namespace mk::test {
namespace {

class PlanPages : public ::testing::Test {
protected:
    PlanRunFixture run_{"mode_b"};
    Workspace& ws() { return run_.ws(); }
    NullEventPump pump_;
};

TEST_F(PlanPages, FilesTextNamesSiteAndFiles) {
    EXPECT_EQ(PlanFilesText(ws().Run, ws().CurrentStand),
              "地位：中　使用ファイル：sugi_type1.prm,sugi.PAR");
    ws().Run.SiteClass = 4;
    ws().CurrentStand.SiteText = "中・推定";
    EXPECT_EQ(PlanFilesText(ws().Run, ws().CurrentStand),
              "地位：中・推定　使用ファイル：sugi_type1.prm,sugi.PAR");
}

TEST_F(PlanPages, YoungCurrentStandsArePlantedAtTheirStemNumber) {
    const auto& d = ws().Diagram;
    const PlanStand young = CurrentPlanStand(d, 4, 2.5, 2800, pump_);
    EXPECT_EQ(young.plantingDensity, 2800);
    const PlanStand older = CurrentPlanStand(d, 5, 2.9, 2800, pump_);
    EXPECT_EQ(older.plantingDensity, PlantingDensityThrough(d, 8400, 2800, 2.9, pump_));
    EXPECT_GT(older.plantingDensity, 2800);
    EXPECT_EQ(older.volume, StandVolume(d, 2.9, 2800));
    EXPECT_EQ(older.slenderness, 2.9 / MeanDbh(d, 2.9, 2800) * 100);
    // The target page never takes the young-stand shortcut.
    const PlanStand target = TargetPlanStand(d, 4, 2.5, 2800, pump_);
    EXPECT_EQ(target.plantingDensity, PlantingDensityThrough(d, 8400, 2800, 2.5, pump_));
}

TEST_F(PlanPages, StandDisplayUsesTheBoxPatterns) {
    PlanStand s;
    s.dbh = 12.25;
    s.volume = 310.04;
    s.ry = 0.805;
    s.slenderness = 81.96;
    s.plantingDensity = 3095;
    const PlanStandTexts t = PlanStandDisplay(s);
    EXPECT_EQ(t.dbh, "12.3");
    EXPECT_EQ(t.volume, "310.0");
    EXPECT_EQ(t.ry, "0.81");
    EXPECT_EQ(t.slenderness, "82.0");
    EXPECT_EQ(t.plantingDensity, "3095.0");
    s.ry.reset();
    EXPECT_EQ(PlanStandDisplay(s).ry, "");
}

TEST_F(PlanPages, CurrentStemBarKeepsItsValueAndAUsableMinimum) {
    const auto& d = ws().Diagram;
    const int full20 = static_cast<int>(FullDensityStems(d, 20));
    BarRange r = CurrentStemRange(d, 20, 3000);
    EXPECT_EQ(r.minimum, 1000);
    EXPECT_EQ(r.maximum, full20);
    EXPECT_EQ(r.largeStep, (full20 - 1000) / 10);
    // A value above the full-density number stays reachable.
    r = CurrentStemRange(d, 20, full20 + 50);
    EXPECT_EQ(r.maximum, full20 + 51);
    // A tall stand that cannot hold 1000 stems.
    const int full45 = static_cast<int>(FullDensityStems(d, 45));
    ASSERT_LT(full45, 1000);
    r = CurrentStemRange(d, 45, 500);
    EXPECT_EQ(r.minimum, full45);
    EXPECT_EQ(r.maximum, full45);
    EXPECT_EQ(r.largeStep, 1);
    // Very young stands stop at 10000.
    EXPECT_EQ(CurrentStemRange(d, 1, 3000).maximum, 10000);
}

TEST_F(PlanPages, TargetStemBarStaysBelowTheCurrentStand) {
    const auto& d = ws().Diagram;
    const int full20 = static_cast<int>(FullDensityStems(d, 20));
    EXPECT_EQ(TargetStemRange(d, 20, 2500).maximum, 2499);
    EXPECT_EQ(TargetStemRange(d, 20, 2500).minimum, 200);
    EXPECT_EQ(TargetStemRange(d, 20, 10000).maximum, full20);
    const BarRange age = TargetAgeRange(15);
    EXPECT_EQ(age.minimum, 16);
    EXPECT_EQ(age.maximum, 200);
    EXPECT_EQ(age.largeStep, 18);
    EXPECT_EQ(ClampToBar(age, 100), 100);
    EXPECT_EQ(ClampToBar(age, 10), 16);
}

TEST_F(PlanPages, PolicyBarsFollowTheMode) {
    PlanSettings& p = ws().Plan;
    p.EndAge = 120;
    PlanPolicyBars bars = DefaultPolicyBars(p);  // mode B, start age 12
    EXPECT_TRUE(bars.ryStepEnabled);
    EXPECT_TRUE(bars.slendernessEnabled);
    EXPECT_EQ(bars.thinStart, 12);
    EXPECT_EQ(bars.thinEnd, 100);
    PlanPolicyTexts t = PolicyTexts(bars);
    EXPECT_EQ(t.ryLimit, "0.80");
    EXPECT_EQ(t.ryStep, "0.10");
    EXPECT_EQ(t.slenderness, "80");
    EXPECT_EQ(t.interval, "5");

    p.TargetDecided = 1;  // mode A
    bars = DefaultPolicyBars(p);
    EXPECT_FALSE(bars.ryStepEnabled);
    EXPECT_EQ(PolicyTexts(bars).ryStep, "-----");
    EXPECT_EQ(ReadPolicy(PolicyTexts(bars)).ryStep, 0);

    p.StandStateKnown = 2;  // mode C, from age 1
    p.StartAge = 1;
    p.EndAge = 60;
    bars = DefaultPolicyBars(p);
    EXPECT_FALSE(bars.slendernessEnabled);
    EXPECT_EQ(bars.thinStart, 1);
    EXPECT_EQ(bars.thinEnd, 60);
    const PlanPolicy read = ReadPolicy(PolicyTexts(bars));
    EXPECT_EQ(read.slendernessLimit, 0);
    EXPECT_EQ(read.ryLimit, 0.8);
    EXPECT_EQ(read.ryStep, 0.1);
}

TEST_F(PlanPages, PolicyIsStoredWithTheWindowEdgesOutside) {
    PlanPolicy policy{0.75, 0.1, 0.7, 15, 40, 5};
    PlanSettings p;
    StorePolicy(policy, p);
    EXPECT_EQ(p.ThinStartAge, 15);
    EXPECT_EQ(p.ThinFromAge, 14);
    EXPECT_EQ(p.ThinToAge, 41);
    EXPECT_EQ(p.IntervalLessOne, 4);
    EXPECT_EQ(p.RyLimit, 0.75);
    EXPECT_EQ(p.RyStep, 0.1);
    EXPECT_EQ(p.SlendernessLimit, 0.7);
}

TEST(PlanPolicyWarnings, EachAdviceOnItsOwnLine) {
    EXPECT_EQ(PolicyWarnings({0.8, 0.1, 0.8, 1, 100, 5}), "");
    EXPECT_EQ(PolicyWarnings({0.65, 0.1, 0.8, 1, 100, 5}),
              "収量比数は 0.9 ～ 0.6 が望ましい。\r\nこのまま続行しますか？");
    EXPECT_EQ(PolicyWarnings({0.95, 0.2, 0.81, 1, 100, 5}),
              "収量比数は 0.9 ～ 0.6 が望ましい。\r\n収量比数の変化は 0.15 以下が望ましい。\r\n"
              "気象害（雪害）の恐れはありませんか。\r\nこのまま続行しますか？");
}

TEST_F(PlanPages, ConfirmationOfAPolicyPlan) {
    PlanSettings& p = ws().Plan;
    p.StartStemNumberShown = 3000;
    p.EndAge = 80;
    const PlanStand current = CurrentPlanStand(ws().Diagram, 12, 7.25, 3000, pump_);
    PlanPolicyBars bars = DefaultPolicyBars(p);
    bars.ryLimit = 75;
    const std::string text =
        PlanConfirmationText(ws().Run, ws().CurrentStand, p, current, PolicyTexts(bars));
    const std::string expected =
        "この設定で宜しいか？\r\n\r\n地位：中　使用ファイル：sugi_type1.prm,sugi.PAR\r\n\r\n"
        "【現在の林分状態】\r\n"
        "　林齢=　　　　  12\r\n"
        "　上層樹高=　　   7.3\r\n"
        "　立木本数=　　 3000\r\n"
        "　平均直径=　　" +
        FormatRight(current.dbh, "0.0", 5) +
        "\r\n"
        "　幹材積=　　　" +
        FormatRight(current.volume, "0.0", 5) +
        "\r\n"
        "　収量比数=　　" +
        FormatRight(*current.ry, "0.00", 6) +
        "\r\n"
        "　形状比=　　　" +
        FormatRight(current.slenderness, "0.0", 5) +
        "\r\n"
        "　推定植栽本数= 3095\r\n"
        "\r\n　計算終了林齢=80\r\n"
        "\r\n【間伐方針】\r\n"
        "　収量比数上限=  0.75\r\n"
        "　収量比数変化量=  0.10\r\n"
        "　形状比上限=    80\r\n"
        "　間伐開始林齢=  12\r\n"
        "　間伐終了林齢=  80\r\n"
        "　最低間伐間隔=   5\r\n";
    EXPECT_EQ(text, expected);
}

TEST_F(PlanPages, ConfirmationOfAForwardPlanAndItsLabels) {
    PlanSettings& p = ws().Plan;
    p.TargetDecided = 1;
    p.StartStemNumberShown = 3000;
    p.EndAge = 60;
    p.TargetHeight = 23.4;
    p.TargetStemNumber = 700;
    PlanStand current;
    current.height = 7.25;
    PlanPolicyBars bars = DefaultPolicyBars(p);
    const std::string text =
        PlanConfirmationText(ws().Run, ws().CurrentStand, p, current, PolicyTexts(bars));
    const std::string stands =
        "【現在の林分状態】\r\n　　　林齢:　　  12\r\n　　　上層樹高:   7.3\r\n"
        "　　　立木本数: 3000\r\n【目標とする林型】\r\n　　　林齢:　　  60\r\n"
        "　　　上層樹高:  23.4\r\n　　　立木本数:  700\r\n\r\n【間伐方針】\r\n"
        "　収量比数上限=  0.80\r\n　収量比数変化量= -----\r\n";
    EXPECT_NE(text.find(stands), std::string::npos) << text;
    EXPECT_EQ(PolicyStandLabel("目標とする林型", 60, 23.4, 700),
              "目標とする林型\t林齢:  60 上層樹高:  23.4 立木本数:  700");
}

}  // namespace
}  // namespace mk::test
