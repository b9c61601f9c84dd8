#include "core/graphics/age_graph.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/graphics/recording_canvas.h"

namespace mk {
namespace {

using Kind = DrawnPrimitive::Kind;

// A stand of 3000 stems losing 40 stems a year, growing 0.5 m, 0.6 cm and
// 10 m3 a year, with Ry rising 0.01 and H/D falling 0.002 a year.
std::unique_ptr<ResultArrays> SteadyStand(int series) {
    auto r = std::make_unique<ResultArrays>();
    for (int a = 0; a <= kMaxAge; ++a) {
        r->PlanStems[a][series] = 3000 - 40.0 * a;
        r->PlanHeight[a][series] = 0.5 * a;
        r->PlanDbh[a][series] = 0.6 * a;
        r->PlanVolume[a][series] = 10.0 * a;
        r->PlanRy[a][series] = 0.2 + 0.01 * a;
        r->PlanSlenderness[a][series] = 1.0 - 0.002 * a;
    }
    return r;
}

class AgeGraphTest : public ::testing::Test {
protected:
    void Draw(int kind, int endAge, int startAge = 1, double scale = 22) {
        canvas = RecordingCanvas();
        run.results = results.get();
        run.startAge = startAge;
        run.endAge = endAge;
        run.siteCurveScale = scale;
        DrawAgeGraph(canvas, kind, run, axis);
    }
    std::vector<DrawnPrimitive> Lines(Color color) const {
        std::vector<DrawnPrimitive> out;
        for (const auto& p : canvas.OfKind(Kind::Line))
            if (p.color == color) out.push_back(p);
        return out;
    }
    std::vector<DrawnPrimitive> Circles(Color color) const {
        std::vector<DrawnPrimitive> out;
        for (const auto& p : canvas.OfKind(Kind::Circle))
            if (p.color == color) out.push_back(p);
        return out;
    }
    // Texts printed at x, in drawing order.
    std::vector<std::string> TextsAt(double x) const {
        std::vector<std::string> out;
        for (const auto& p : canvas.OfKind(Kind::Text))
            if (p.x1 == x) out.push_back(p.text);
        return out;
    }
    // The vertical grid: lines from y 60 down to 380.
    std::vector<double> AgeGridX() const {
        std::vector<double> out;
        for (const auto& p : Lines(colors::Black))
            if (p.x1 == p.x2 && p.y1 == 60 && p.y2 == 380) out.push_back(p.x1);
        return out;
    }
    std::vector<std::string> AgeLabels() const {
        std::vector<std::string> out;
        for (const auto& p : canvas.OfKind(Kind::Text))
            if (p.y1 == 385) out.push_back(p.text);
        return out;
    }

    std::unique_ptr<ResultArrays> results = SteadyStand(1);
    AgeGraphRun run;
    AgeAxisSettings axis;
    RecordingCanvas canvas;
};

TEST_F(AgeGraphTest, FiftyYearsUseFiveYearTicksAndTenYearLabels) {
    Draw(kHeightGraph, 50);
    EXPECT_EQ(axis.AgeAxisMax, 50);
    EXPECT_EQ(axis.AgeTickStep, 5);
    EXPECT_EQ(axis.PixelsPerYear, 8);
    const auto xs = AgeGridX();
    ASSERT_EQ(xs.size(), 11u);
    EXPECT_EQ(xs[1], 150);
    EXPECT_EQ(xs.back(), 510);
    EXPECT_EQ(AgeLabels(), std::vector<std::string>({"0", "10", "20", "30", "40", "50"}));
    for (const auto& p : canvas.OfKind(Kind::Text))
        if (p.text == "50" && p.y1 == 385) {
            EXPECT_EQ(p.x1, 494);
        }
}

TEST_F(AgeGraphTest, FiftyOneYearsSwitchToAHundred) {
    Draw(kHeightGraph, 51);
    EXPECT_EQ(axis.AgeAxisMax, 100);
    EXPECT_EQ(axis.AgeTickStep, 10);
    EXPECT_EQ(axis.PixelsPerYear, 4);
    const auto xs = AgeGridX();
    ASSERT_EQ(xs.size(), 11u);
    EXPECT_EQ(xs[1], 150);
    EXPECT_EQ(AgeLabels(), std::vector<std::string>({"0", "20", "40", "60", "80", "100"}));
}

TEST_F(AgeGraphTest, AHundredAndOneYearsSwitchToTwoHundred) {
    Draw(kHeightGraph, 100);
    EXPECT_EQ(axis.AgeAxisMax, 100);
    Draw(kHeightGraph, 101);
    EXPECT_EQ(axis.AgeAxisMax, 200);
    EXPECT_EQ(axis.AgeTickStep, 20);
    EXPECT_EQ(axis.PixelsPerYear, 2);
    EXPECT_EQ(AgeGridX().size(), 11u);
    EXPECT_EQ(AgeLabels(), std::vector<std::string>({"0", "40", "80", "120", "160", "200"}));
    // The curve's last point sits at 110 + 101 x 2.
    const auto blue = Lines(colors::Blue);
    ASSERT_FALSE(blue.empty());
    EXPECT_EQ(blue.back().x2, 312);
}

TEST_F(AgeGraphTest, StemGridAndLeftLabels) {
    Draw(kRyGraph, 40);
    std::vector<double> ys;
    for (const auto& p : Lines(colors::Black))
        if (p.y1 == p.y2 && p.x1 == 110 && p.x2 == 510) ys.push_back(p.y1);
    EXPECT_EQ(ys, std::vector<double>({380, 340, 300, 260, 220, 180, 140, 100, 60}));
    EXPECT_EQ(TextsAt(60), std::vector<std::string>({"0", "2000", "4000", "6000", "8000"}));
    EXPECT_EQ(TextsAt(515), std::vector<std::string>({"0.2", "0.4", "0.6", "0.8", "1.0"}));
    for (const auto& p : canvas.OfKind(Kind::Text)) {
        if (p.x1 == 60 && p.text == "8000") {
            EXPECT_EQ(p.y1, 52);
        }
        if (p.x1 == 515 && p.text == "0.2") {
            EXPECT_EQ(p.y1, 372);
        }
    }
}

TEST_F(AgeGraphTest, RightAxisFollowsKindAndSiteScale) {
    Draw(kHeightGraph, 40, 1, 20);
    EXPECT_EQ(TextsAt(515), std::vector<std::string>({"0", "20", "40", "60", "80"}));
    Draw(kHeightGraph, 40, 1, 19.99);
    EXPECT_EQ(TextsAt(515), std::vector<std::string>({"0", "10", "20", "30", "40"}));
    Draw(kDbhGraph, 40, 1, 25);
    EXPECT_EQ(TextsAt(515), std::vector<std::string>({"0", "20", "40", "60", "80"}));
    Draw(kVolumeGraph, 40, 1, 25);
    EXPECT_EQ(TextsAt(515), std::vector<std::string>({"0", "400", "800", "1200", "1600"}));
    Draw(kVolumeGraph, 40, 1, 15);
    EXPECT_EQ(TextsAt(515), std::vector<std::string>({"0", "200", "400", "600", "800"}));
    Draw(kSlendernessGraph, 40);
    EXPECT_EQ(TextsAt(515), std::vector<std::string>({"40", "60", "80", "100", "120"}));
    // Plans switch to the large scales only from 30.
    run.largeScaleFrom = AgeGraphRun::kPlanLargeScaleFrom;
    Draw(kVolumeGraph, 40, 1, 25);
    EXPECT_EQ(TextsAt(515), std::vector<std::string>({"0", "200", "400", "600", "800"}));
    Draw(kVolumeGraph, 40, 1, 30);
    EXPECT_EQ(TextsAt(515), std::vector<std::string>({"0", "400", "800", "1200", "1600"}));
}

TEST_F(AgeGraphTest, SeriesYByKindRoundsHalvesToEven) {
    Draw(kHeightGraph, 40, 1, 22);     // factor 4
    EXPECT_EQ(axis.SeriesY[25], 330);  // 12.5 m
    Draw(kHeightGraph, 40, 1, 12);     // factor 8
    EXPECT_EQ(axis.SeriesY[25], 280);
    Draw(kDbhGraph, 40, 1, 22);
    EXPECT_EQ(axis.SeriesY[10], 356);  // 6 cm
    Draw(kRyGraph, 40);
    EXPECT_EQ(axis.SeriesY[30], 260);  // Ry 0.5
    Draw(kSlendernessGraph, 40);
    EXPECT_EQ(axis.SeriesY[10], 148);  // H/D 0.98: 380 - 0.58 x 400
    EXPECT_EQ(axis.SeriesY[40], 172);  // H/D 0.92: 380 - 0.52 x 400
    // Volume at factor 0.2: 2.5 m3 gives 379.5 -> 380, 7.5 m3 gives 378.5 -> 378.
    results->PlanVolume[3][1] = 2.5;
    results->PlanVolume[4][1] = 7.5;
    Draw(kVolumeGraph, 40, 1, 22);
    EXPECT_EQ(axis.SeriesY[3], 380);
    EXPECT_EQ(axis.SeriesY[4], 378);
}

TEST_F(AgeGraphTest, FirstStemMarkerFollowsTheSurfaceFillLaterOnesAreFilled) {
    Draw(kHeightGraph, 50);
    const auto red = Circles(colors::Red);
    // Age 1, then 5, 10, …, 50.
    ASSERT_EQ(red.size(), 11u);
    EXPECT_EQ(red[0].x1, 118);
    EXPECT_EQ(red[0].y1, 380 - 2960 * 0.04);
    EXPECT_EQ(red[0].fillStyle, FillStyle::Transparent);
    for (std::size_t i = 1; i < red.size(); ++i) {
        EXPECT_EQ(red[i].fillStyle, FillStyle::Solid) << i;
        EXPECT_EQ(red[i].fillColor, colors::Red) << i;
    }
    EXPECT_EQ(red[1].x1, 150);
    // The fill settings are back as they were.
    EXPECT_EQ(canvas.GetFillStyle(), FillStyle::Transparent);
    EXPECT_EQ(canvas.FillColor(), colors::Black);
}

TEST_F(AgeGraphTest, ASolidSurfaceFillMakesTheFirstMarkerSolidToo) {
    canvas.SetFillStyle(FillStyle::Solid);
    canvas.SetFillColor(colors::White);
    run.results = results.get();
    run.startAge = 1;
    run.endAge = 12;
    DrawAgeGraph(canvas, kHeightGraph, run, axis);
    const auto red = Circles(colors::Red);
    ASSERT_EQ(red.size(), 4u);  // 1, 5, 10 and the last age 12
    EXPECT_EQ(red[0].fillStyle, FillStyle::Solid);
    EXPECT_EQ(red[0].fillColor, colors::White);
    EXPECT_EQ(red[3].x1, 110 + 12 * 8);
    EXPECT_EQ(canvas.FillColor(), colors::White);
}

TEST_F(AgeGraphTest, BlueCurveHasFilledMarkersAtFirstFifthAndLastAges) {
    Draw(kHeightGraph, 51);
    const auto blue = Circles(colors::Blue);
    ASSERT_EQ(blue.size(), 12u);  // 1, 5..50, 51
    for (const auto& c : blue) {
        EXPECT_EQ(c.fillStyle, FillStyle::Solid);
        EXPECT_EQ(c.fillColor, colors::Blue);
        EXPECT_EQ(c.radius, 3);
    }
    EXPECT_EQ(blue.front().x1, 114);
    EXPECT_EQ(blue.back().x1, 110 + 51 * 4);
    // The blue curve starts with a point at the first age and has one line
    // for each later age.
    const auto lines = Lines(colors::Blue);
    EXPECT_EQ(lines.size(), 50u);
    std::size_t firstBlue = 0;
    const auto& all = canvas.primitives();
    while (all[firstBlue].color != colors::Blue) ++firstBlue;
    EXPECT_EQ(all[firstBlue].kind, Kind::Point);
    EXPECT_EQ(all[firstBlue].y1, axis.SeriesY[1]);
    EXPECT_EQ(lines[0].x1, 114);
    EXPECT_EQ(lines[0].x2, 118);
}

TEST_F(AgeGraphTest, ACurrentStandStartsAtItsAge) {
    Draw(kRyGraph, 60, 23);
    const auto red = Circles(colors::Red);
    ASSERT_FALSE(red.empty());
    EXPECT_EQ(red[0].x1, 110 + 23 * 4);
    EXPECT_EQ(red[0].fillStyle, FillStyle::Transparent);
    EXPECT_EQ(Lines(colors::Red).size(), 37u);
    EXPECT_EQ(Circles(colors::Blue).size(), 1u + 8u);  // 23, then 25..60
}

TEST_F(AgeGraphTest, ValuesAboveTheAxesAreDrawnAboveThePlot) {
    results->PlanStems[10][1] = 9000;
    results->PlanHeight[10][1] = 90;
    Draw(kHeightGraph, 20, 1, 22);
    bool found = false;
    for (const auto& c : Circles(colors::Red))
        if (c.x1 == 190) {
            EXPECT_EQ(c.y1, 20);
            found = true;
        }
    EXPECT_TRUE(found);
    EXPECT_EQ(axis.SeriesY[10], 20);
}

TEST_F(AgeGraphTest, TitlesAndTheVolumeSuperscript) {
    Draw(kVolumeGraph, 40);
    auto vertical = [&](double x) {
        std::string text;
        double y = 50;
        for (const auto& p : canvas.OfKind(Kind::Text))
            if (p.x1 == x) {
                EXPECT_EQ(p.y1, y);
                y += RecordingCanvas::kLineHeight;
                text += p.text;
            }
        return text;
    };
    EXPECT_EQ(vertical(35), "立木本数  本／ヘクタ｜ル");
    EXPECT_EQ(vertical(550), "幹 材 積  m／ヘ　ク　タ　｜　ル");
    EXPECT_EQ(TextsAt(560), std::vector<std::string>({"3"}));
    for (const auto& p : canvas.OfKind(Kind::Text)) {
        if (p.x1 == 560) {
            EXPECT_EQ(p.y1, 155);
        }
        if (p.text == "林   齢（年）") {
            EXPECT_EQ(p.x1, 290);
            EXPECT_EQ(p.y1, 400);
        }
        EXPECT_EQ(p.color, colors::Black);
    }
    Draw(kHeightGraph, 40);
    EXPECT_TRUE(TextsAt(560).empty());
    std::string title;
    for (const auto& p : canvas.OfKind(Kind::Text))
        if (p.x1 == 550) title += p.text;
    EXPECT_EQ(title, "　上 層 樹 高 ｍ");
}

TEST_F(AgeGraphTest, TheSeriesOfASiteClass) {
    results = SteadyStand(3);
    results->PlanStems[10][3] = 1000;
    run.series = AgeGraphSeries(true, 3);
    Draw(kHeightGraph, 20);
    EXPECT_EQ(axis.SeriesY[10], 380 - 20);  // 5 m at factor 4
    bool found = false;
    for (const auto& c : Circles(colors::Red))
        if (c.x1 == 190) found = c.y1 == 340;
    EXPECT_TRUE(found);
    EXPECT_EQ(AgeGraphSeries(false, 3), 1);
}

TEST_F(AgeGraphTest, GraphStartsWithAClearAndBlackInk) {
    canvas.SetInkColor(colors::Red);
    run.results = results.get();
    run.endAge = 10;
    DrawAgeGraph(canvas, kDbhGraph, run, axis);
    EXPECT_EQ(canvas.primitives().front().kind, Kind::Clear);
    for (const auto& p : canvas.OfKind(Kind::Text)) EXPECT_EQ(p.color, colors::Black);
}

TEST(AgeGraphTitleTest, CaptionsOfTheFiveKinds) {
    EXPECT_STREQ(AgeGraphTitle(1), "林齢－上層樹高");
    EXPECT_STREQ(AgeGraphTitle(2), "林齢－平均胸高直径");
    EXPECT_STREQ(AgeGraphTitle(3), "林齢－幹材積");
    EXPECT_STREQ(AgeGraphTitle(4), "林齢－収量比数");
    EXPECT_STREQ(AgeGraphTitle(5), "林齢－形状比");
    EXPECT_STREQ(AgeGraphTitle(6), "");
}

TEST(AgeGraphKindTest, AnUnknownKindDrawsOnlyTheClear) {
    RecordingCanvas canvas;
    ResultArrays results;
    AgeGraphRun run;
    run.results = &results;
    AgeAxisSettings axis;
    DrawAgeGraph(canvas, 6, run, axis);
    ASSERT_EQ(canvas.primitives().size(), 1u);
    EXPECT_EQ(canvas.primitives()[0].kind, Kind::Clear);
}

}  // namespace
}  // namespace mk
