// The texts that describe a run in the wizard and its confirmation.

#include "core/yield/run_summary.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/yield/table_report.h"

namespace mk::test {
namespace {

RunSettings CurrentStandRun() {
    RunSettings run;
    run.PrmFileName = "/data/diagram/sugi_type1.prm";
    run.ParFileName = "/data/sugi.PAR";
    run.SiteClass = 4;
    run.ThinningMethod = 5;
    run.StemSettingMethod = 2;
    run.CurrentAge = 25;
    run.CurrentStemNumber = 1800;
    run.EndAge = 100;
    run.RyUpper = 0.8;
    run.RyLower = 0.655;
    run.ThinningFromAge = 24;
    run.ThinningToAge = 71;
    return run;
}

CurrentStandState MeasuredStand() {
    CurrentStandState stand;
    stand.SiteText = "中・推定";
    stand.CurrentHeight = 13.2;
    stand.CurrentVolume = 200.25;
    stand.CurrentDbh = 15.05;
    stand.CurrentRy = 0.5749;
    stand.CurrentSlenderness = 87.65;
    stand.CurrentPlantingDensity = 1843;
    return stand;
}

TEST(RunSummary, CurrentStandRunWithRyBounds) {
    const std::string expected =
        "　使用ファイル：　sugi_type1.prm； sugi.PAR　\r\n"
        "　地位：　　　中・推定\r\n"
        "　間伐方式：　収量比数の上限と下限\r\n"
        "\r\n"
        "　現在の林齢：　　25\r\n"
        "　現在の立木本数：1800\r\n"
        "　計算終了年：　　100\r\n"
        "\r\n"
        "　現在の上層樹高：　13.2\r\n"
        "　現在の幹材積：　　200.3\r\n"
        "　現在の平均直径：　15.1\r\n"
        "　現在の収量比数：　0.57\r\n"
        "　現在の形状比：　　87.7\r\n"
        "　推定植栽本数：　　1843\r\n"
        "\r\n"
        "　収量比数の上限：0.80\r\n"
        "　収量比数の下限：0.66\r\n"
        "　間伐開始年：　　25\r\n"
        "　間伐終了年：　　70\r\n";
    EXPECT_EQ(RunSummary(CurrentStandRun(), MeasuredStand()), expected);
}

// The confirmation shows the stand as the starting-stand page did: Ry with
// two decimals, whole stems, and no Ry at all when the diagram gives none.
TEST(RunSummary, CurrentStandAsThePageShowedIt) {
    CurrentStandState stand = MeasuredStand();
    stand.CurrentRy = 0.645;
    stand.CurrentPlantingDensity = 3026;
    const std::string text = RunSummaryCurrentStand(stand);
    EXPECT_NE(text.find("　現在の収量比数：　0.65\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("　推定植栽本数：　　3026\r\n"), std::string::npos) << text;
    stand.CurrentRy = std::numeric_limits<double>::quiet_NaN();
    EXPECT_NE(RunSummaryCurrentStand(stand).find("　現在の収量比数：　－\r\n"), std::string::npos);
}

TEST(RunSummary, PlantingRunWithASchedule) {
    RunSettings run;
    run.PrmFileName = "sugi_type2.prm";
    run.ParFileName = "sugi.PAR";
    run.SiteClass = 1;
    run.ThinningMethod = 2;
    run.StemSettingMethod = 1;
    run.PlantingStemNumber = 3000;
    run.EndAge = 80;
    run.ThinningCount = 2;
    run.ThinningKey[1] = 9.25;
    run.ThinningRate[1] = 0.2;
    run.ThinningKey[2] = 14;
    run.ThinningRate[2] = 0.125;
    const std::string expected =
        "　使用ファイル：　sugi_type2.prm； sugi.PAR　\r\n"
        "　地位：　　　上\r\n"
        "　間伐方式：　上層樹高と間伐率\r\n"
        "\r\n"
        "　植栽本数：　　　3000\r\n"
        "　計算終了年：　　80\r\n"
        "\r\n"
        "間伐回数：　 2回　　　【上層樹高と間伐率】\r\n"
        "\r\n"
        "　　 1回目間伐：\t 9.3\t0.20\r\n"
        "　　 2回目間伐：\t 14.0\t0.13\r\n"
        "\r\n";
    EXPECT_EQ(RunSummary(run, CurrentStandState{}), expected);
}

TEST(RunSummary, ScheduleWithoutThinningsAndMethodSixBounds) {
    RunSettings run;
    run.ThinningMethod = 1;
    EXPECT_EQ(RunSummarySchedule(run), "\r\n間伐回数：　 0回　　\r\n\r\n");
    run.ThinningCount = 1;
    run.ThinningKey[1] = 18;
    run.ThinningRate[1] = 0.1;
    EXPECT_EQ(
        RunSummarySchedule(run),
        "\r\n間伐回数：　 1回　　　【林齢と間伐率】\r\n\r\n　　 1回目間伐：\t 18\t0.10\r\n\r\n");

    RunSettings six = CurrentStandRun();
    six.SiteClass = 2;
    six.ThinningMethod = 6;
    six.SlendernessUpper = 0.8;
    six.SlendernessLower = 0.7;
    const std::string text = RunSummary(six, MeasuredStand());
    EXPECT_NE(text.find("　形状比の上限：　80\r\n　形状比の下限：　70\r\n　間伐開始年：　　25\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("　地位：　　　中\r\n"), std::string::npos);
}

TEST(RunSummary, MethodNames) {
    const char* names[] = {"林齢と間伐率",     "上層樹高と間伐率",     "胸高直径と間伐率",
                           "収量比数と間伐率", "収量比数の上限と下限", "形状比の上限と下限"};
    for (int m = 1; m <= 6; ++m) EXPECT_EQ(ThinningMethodName(m), names[m - 1]);
    EXPECT_EQ(ThinningMethodName(0), "");
    EXPECT_EQ(ThinningMethodName(7), "");
}

}  // namespace
}  // namespace mk::test
