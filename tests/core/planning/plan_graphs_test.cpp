// The plan graphs: column k of the result arrays over the plan's ages, with
// the larger scales only from a site curve scale of 30.

#include "core/planning/plan_graphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/graphics/recording_canvas.h"
#include "plan_case.h"

namespace mk::test {
namespace {

bool HasText(const RecordingCanvas& canvas, const std::string& text) {
    const auto texts = canvas.Texts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(PlanGraphs, LargerScalesOnlyFromThirty) {
    PlanRunFixture run("mode_b");
    ASSERT_FALSE(run.Run().empty());
    Workspace& ws = run.ws();
    for (double scale : {25.0, 29.99, 30.0, 31.0}) {
        ws.Run.SiteCurveScale = scale;
        RecordingCanvas plan;
        AgeAxisSettings axis;
        DrawPlanGraph(plan, kVolumeGraph, ws, 2, axis);
        EXPECT_EQ(HasText(plan, "1600"), scale >= 30) << scale;
        EXPECT_EQ(HasText(plan, "600"), scale < 30) << scale;
        RecordingCanvas height;
        DrawPlanGraph(height, kHeightGraph, ws, 2, axis);
        EXPECT_EQ(HasText(height, "30"), scale < 30) << scale;
    }
    // A yield graph of the same site already switches at 20.
    ws.Run.SiteCurveScale = 25;
    AgeGraphRun yield = PlanGraphs(ws, 1);
    yield.largeScaleFrom = AgeGraphRun::kYieldLargeScaleFrom;
    RecordingCanvas canvas;
    AgeAxisSettings axis;
    DrawAgeGraph(canvas, kVolumeGraph, yield, axis);
    EXPECT_TRUE(HasText(canvas, "1600"));
}

TEST(PlanGraphs, SeriesIsThePlansColumnOverItsAges) {
    PlanRunFixture run("mode_b");
    ASSERT_FALSE(run.Run().empty());
    Workspace& ws = run.ws();
    const AgeGraphRun graphs = PlanGraphs(ws, 4);
    EXPECT_EQ(graphs.series, 4);
    EXPECT_EQ(graphs.startAge, 12);
    EXPECT_EQ(graphs.endAge, 80);
    EXPECT_EQ(graphs.results, &ws.Results);
    RecordingCanvas canvas;
    AgeAxisSettings axis;
    DrawPlanGraph(canvas, kRyGraph, ws, 4, axis);
    EXPECT_EQ(axis.AgeAxisMax, 100);
    EXPECT_EQ(axis.PixelsPerYear, 4);
    EXPECT_EQ(axis.SeriesY[65],
              static_cast<int>(std::nearbyint(380 - (ws.Results.PlanRy[65][4] - 0.2) * 400)));
}

TEST(PlanGraphs, WindowTexts) {
    PlanRunFixture run("mode_b");
    Workspace& ws = run.ws();
    ws.HeightCurve.HeightCurveSource = "/data/forest/sugi_survey.dat";
    EXPECT_EQ(PlanWindowCaption(), "システム収穫表：杜の暦『構想』－収穫予測");
    EXPECT_EQ(PlanFileLabel(ws), "ファイル：sugi_survey.dat");
    EXPECT_EQ(PlanSiteLabel(ws), "地位：中");
    EXPECT_EQ(PlanNumberLabel(3), "間伐回数：3");
    EXPECT_EQ(PlanImageCounter(0), "画像 1/6");
    EXPECT_EQ(PlanImageCounter(5), "画像 6/6");
    EXPECT_EQ(PlanAllImageCaption(ws, 2), "収穫予測 sugi_survey.dat 地位：中 間伐回数：2");
}

}  // namespace
}  // namespace mk::test
