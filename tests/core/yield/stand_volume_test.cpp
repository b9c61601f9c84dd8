// The stand volume run: three site classes in one file, their series of
// the result arrays, and the refusals that leave no file behind.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/model/natural_thinning.h"
#include "core/model/site_class.h"
#include "core/yield/stand_volume_run.h"
#include "yield_fixture.h"

namespace mk::test {
namespace {

namespace fs = std::filesystem;

class StandVolumeTest : public YieldRunTest {
protected:
    StandVolumeOutcome RunAll() {
        ws.Run.EndAge = 100;
        Canvas* const pictures[3] = {&classes[0], &classes[1], &classes[2]};
        const ProgressText labels[3] = {
            [this](const std::string& t) { progress.push_back("1" + t); },
            [this](const std::string& t) { progress.push_back("2" + t); },
            [this](const std::string& t) { progress.push_back("3" + t); }};
        return RunStandVolumeTable(ws, pictures, labels, messages, pump);
    }
    RecordingCanvas classes[3];
};

TEST_F(StandVolumeTest, ThreeClassesFillSeriesOneToThree) {
    ws.VolumeTableSiteClass = 3;
    const StandVolumeOutcome outcome = RunAll();
    ASSERT_EQ(outcome.writtenPath, tmp.File("YIELD_AA.80"));
    EXPECT_EQ(ws.VolumeTableSiteClass, 1);
    EXPECT_FALSE(ws.OutputFile.IsOpen());
    for (int k = 1; k <= 3; ++k) {
        const double scale = *SiteCurveScale(ws.HeightCurve, k);
        EXPECT_EQ(ws.Results.PlanHeight[40][k], *SiteHeight(ws.HeightCurve, scale, 40)) << k;
        const double h = ws.Results.PlanHeight[40][k];
        const double hnp = HnpStems(ws.Hnp, h);
        const double full = FullDensityStems(ws.Diagram, h);
        EXPECT_EQ(ws.Results.PlanStems[40][k], full < hnp ? full : hnp);
    }
    EXPECT_GT(ws.Results.PlanHeight[50][1], ws.Results.PlanHeight[50][2]);
    EXPECT_GT(ws.Results.PlanHeight[50][2], ws.Results.PlanHeight[50][3]);
    EXPECT_EQ(progress.size(), 300u);
    EXPECT_EQ(progress[100], "2　林　齢　＝　1");
    for (const RecordingCanvas& c : classes) EXPECT_FALSE(c.primitives().empty());

    // Rows at ages 3, 8, ..., 98, each class closed by its rule and form feed.
    const std::vector<std::string> lines = TableLines(outcome.writtenPath);
    std::vector<int> ages;
    int formFeeds = 0;
    for (const std::string& line : lines) {
        if (IsRow(line)) ages.push_back(std::stoi(line.substr(4, 4)));
        if (line == "\f") ++formFeeds;
    }
    ASSERT_EQ(ages.size(), 60u);
    EXPECT_EQ(ages.front(), 3);
    EXPECT_EQ(ages[19], 98);
    EXPECT_EQ(formFeeds, 3);
    EXPECT_EQ(lines.back(), "\f");
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(StandVolumeTest, AnUnknownDiagramTypeIsRefusedOnceWithoutAFile) {
    ws.Diagram.Prm[0] = 5;
    const StandVolumeOutcome outcome = RunAll();
    EXPECT_TRUE(outcome.writtenPath.empty());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "TABLECALC");
    EXPECT_FALSE(fs::exists(tmp.File("YIELD_AA.80")));
}

TEST_F(StandVolumeTest, AClassThatCannotBeComputedStopsAloneAndTheNextOneRuns) {
    ws.Hnp.P4 = -1;  // no stems at all: every class fails at its first year
    const StandVolumeOutcome outcome = RunAll();
    ASSERT_EQ(messages.shown().size(), 3u);
    for (const ShownMessage& m : messages.shown()) {
        EXPECT_EQ(m.text, "林齢 1 で計算できない値になりました。パラメータを確認してください。");
    }
    const std::vector<std::string> lines = TableLines(outcome.writtenPath);
    int headings = 0;
    for (const std::string& line : lines) headings += line.find("林分材積表") != std::string::npos;
    EXPECT_EQ(headings, 3);
}

TEST_F(StandVolumeTest, NoFreeNameRunsNothing) {
    for (char a = 'A'; a <= 'Z'; ++a) {
        for (char b = 'A'; b <= 'Z'; ++b) {
            WriteBytes(tmp.File(std::string("YIELD_") + a + b + ".80"), "x");
        }
    }
    const StandVolumeOutcome outcome = RunAll();
    EXPECT_TRUE(outcome.writtenPath.empty());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "SAVENAME Error");
    EXPECT_TRUE(progress.empty());
}

}  // namespace
}  // namespace mk::test
