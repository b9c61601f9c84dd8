#include "core/graphics/density_diagram_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/graphics/recording_canvas.h"
#include "diagram_fixture.h"

namespace mk {
namespace {

using Kind = DrawnPrimitive::Kind;

class DensityDiagramFrameTest : public ::testing::Test {
protected:
    void SetUp() override { DrawDensityDiagram(canvas, test::CedarDiagram()); }

    std::vector<DrawnPrimitive> Where(Kind kind, Color color) const {
        std::vector<DrawnPrimitive> out;
        for (const auto& p : canvas.primitives())
            if (p.kind == kind && p.color == color) out.push_back(p);
        return out;
    }
    // Index of the first primitive matching, or -1.
    int IndexOf(Kind kind, Color color) const {
        const auto& all = canvas.primitives();
        for (std::size_t i = 0; i < all.size(); ++i)
            if (all[i].kind == kind && all[i].color == color) return static_cast<int>(i);
        return -1;
    }
    const DrawnPrimitive* Text(const std::string& text, double x, double y) const {
        for (const auto& p : canvas.primitives())
            if (p.kind == Kind::Text && p.text == text && p.x1 == x && p.y1 == y) return &p;
        return nullptr;
    }

    RecordingCanvas canvas;
};

TEST(DiagramCoordinatesTest, FrameIsAtThePixelsOfItsCornerValues) {
    const DiagramFrame f = DensityDiagramFrame();
    EXPECT_EQ(f.top, 18);
    EXPECT_EQ(f.bottom, 356);
    EXPECT_EQ(f.left, 120);
    EXPECT_EQ(f.right, 480);
    EXPECT_EQ(DiagramPixelX(200), 174);
    EXPECT_EQ(DiagramPixelX(500), 246);
    EXPECT_EQ(DiagramPixelY(50), 284);
    EXPECT_EQ(DiagramPixelY(200), 176);
}

TEST_F(DensityDiagramFrameTest, StartsWithAClearAndTheTopEdge) {
    const auto& all = canvas.primitives();
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[0].kind, Kind::Clear);
    EXPECT_EQ(all[1].kind, Kind::Line);
    EXPECT_EQ(all[1].color, colors::Black);
    EXPECT_EQ(std::vector<double>({all[1].x1, all[1].y1, all[1].x2, all[1].y2}),
              std::vector<double>({120, 18, 480, 18}));
}

TEST_F(DensityDiagramFrameTest, GridHasNineteenStemLinesAndEighteenVolumeLines) {
    std::vector<double> xs, ys;
    for (const auto& p : Where(Kind::Line, colors::Black)) {
        if (p.x1 == p.x2 && p.y1 == 18 && p.y2 == 356) xs.push_back(p.x1);
        if (p.y1 == p.y2 && p.x1 == 120 && p.x2 == 480) ys.push_back(p.y1);
    }
    ASSERT_EQ(xs.size(), 19u);  // 100..900 and 1000..10000
    EXPECT_EQ(xs.front(), 120);
    EXPECT_EQ(xs[1], 174);   // 200
    EXPECT_EQ(xs[4], 246);   // 500
    EXPECT_EQ(xs[9], 300);   // 1000
    EXPECT_EQ(xs[10], 354);  // 2000
    EXPECT_EQ(xs.back(), 480);
    // The top edge line is not part of the grid.
    ASSERT_EQ(ys.size(), 1u + 18u);
    EXPECT_EQ(ys[0], 18);
    EXPECT_EQ(ys[1], 356);     // 20
    EXPECT_EQ(ys[2], 324);     // 30
    EXPECT_EQ(ys[9], 230);     // 100
    EXPECT_EQ(ys[10], 176);    // 200
    EXPECT_EQ(ys.back(), 50);  // 1000
}

TEST_F(DensityDiagramFrameTest, HeightIsolinesAreRedFromThirtyPercentToFullDensity) {
    // Labels 6, 8, …, 34 in red, each followed by the red point it names.
    const auto& all = canvas.primitives();
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].kind != Kind::Text || all[i].color != colors::Red) continue;
        labels.push_back(all[i].text);
        ASSERT_LT(i + 1, all.size());
        EXPECT_EQ(all[i + 1].kind, Kind::Point);
        EXPECT_EQ(all[i + 1].color, colors::Red);
        EXPECT_EQ(all[i].x1, all[i + 1].x1 - 14);
        EXPECT_EQ(all[i].y1, all[i + 1].y1);
    }
    EXPECT_EQ(labels, std::vector<std::string>({"6", "8", "10", "12", "14", "16", "18", "20", "22",
                                                "24", "26", "28", "30", "32", "34"}));
    // 20 m: 30 % of the full-density volume is 200 m3 at 415 stems; the line
    // ends at the full-density stem number 3010 (segments every 100 stems).
    ASSERT_NE(Text("20", 217, 176), nullptr);
    // 6 m: the full-density stem number (16240) lies beyond the frame, so
    // the line stops at 10000 stems, the right edge.
    ASSERT_NE(Text("6", 339, 310), nullptr);
}

TEST_F(DensityDiagramFrameTest, IsolineSegmentsRunInStepsOfAHundredStems) {
    const auto& all = canvas.primitives();
    auto run = [&](const std::string& label) {
        std::vector<DrawnPrimitive> lines;
        std::size_t i = 0;
        while (i < all.size() &&
               !(all[i].kind == Kind::Text && all[i].text == label && all[i].color == colors::Red))
            ++i;
        for (i += 2; i < all.size() && all[i].kind == Kind::Line && all[i].color == colors::Red;
             ++i)
            lines.push_back(all[i]);
        return lines;
    };
    const auto h20 = run("20");
    ASSERT_EQ(h20.size(), 26u);  // 415, 515, …, 2915 (3015 is past 3010)
    EXPECT_EQ(h20.front().x2, 231);
    EXPECT_EQ(h20.front().y2, 176);
    EXPECT_EQ(h20.back().x2, 384);
    EXPECT_EQ(h20.back().y2, 83);
    const auto h6 = run("6");
    ASSERT_EQ(h6.size(), 81u);  // 1972 … 9972
    EXPECT_EQ(h6.back().x2, 480);
    EXPECT_EQ(h6.back().y2, 231);
    const auto h34 = run("34");
    ASSERT_EQ(h34.size(), 13u);
    EXPECT_EQ(h34.front().x2, 178);
    EXPECT_EQ(h34.back().y2, 23);
    // Each segment starts where the one before ended.
    for (std::size_t i = 1; i < h20.size(); ++i) {
        EXPECT_EQ(h20[i].x1, h20[i - 1].x2);
        EXPECT_EQ(h20[i].y1, h20[i - 1].y2);
    }
}

TEST_F(DensityDiagramFrameTest, YieldIndexLinesAreBlueWithShortLabels) {
    const auto lines = Where(Kind::Line, colors::Blue);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(std::vector<double>({lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
              std::vector<double>({310, 5, 562, 262}));
    EXPECT_EQ(std::vector<double>({lines[6].x1, lines[6].y1, lines[6].x2, lines[6].y2}),
              std::vector<double>({189, 76, 423, 334}));
    std::vector<std::string> labels;
    for (const auto& t : Where(Kind::Text, colors::Blue)) labels.push_back(t.text);
    EXPECT_EQ(labels, std::vector<std::string>({"1", "0.9", "0.8", "0.7", "0.6", "0.5", "0.4"}));
    EXPECT_NE(Text("1", 302, -3), nullptr);
    EXPECT_NE(Text("0.4", 181, 68), nullptr);
}

TEST_F(DensityDiagramFrameTest, OutlineThenWhiteMasksThenBlackTexts) {
    const auto& all = canvas.primitives();
    std::vector<std::size_t> boxes;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].kind == Kind::Box) boxes.push_back(i);
    ASSERT_EQ(boxes.size(), 5u);
    const auto& outline = all[boxes[0]];
    EXPECT_FALSE(outline.filled);
    EXPECT_EQ(outline.color, colors::Black);
    EXPECT_EQ(std::vector<double>({outline.x1, outline.y1, outline.x2, outline.y2}),
              std::vector<double>({120, 18, 480, 356}));
    const std::vector<std::vector<double>> masks = {
        {482, 18, 580, 356}, {0, 0, 119, 356}, {0, 0, 580, 17}, {119, 357, 580, 456}};
    for (std::size_t k = 0; k < 4; ++k) {
        const auto& m = all[boxes[k + 1]];
        EXPECT_TRUE(m.filled);
        EXPECT_EQ(m.color, colors::White);
        EXPECT_EQ(std::vector<double>({m.x1, m.y1, m.x2, m.y2}), masks[k]) << k;
    }
    // Nothing but texts after the masks, and all of them black.
    EXPECT_GT(boxes.back(), static_cast<std::size_t>(IndexOf(Kind::Line, colors::Blue)));
    for (std::size_t i = boxes.back() + 1; i < all.size(); ++i) {
        EXPECT_EQ(all[i].kind, Kind::Text);
        EXPECT_EQ(all[i].color, colors::Black);
    }
}

TEST_F(DensityDiagramFrameTest, AxisLabelsAndTitles) {
    EXPECT_NE(Text("1500", 80, 10), nullptr);
    EXPECT_NE(Text("100", 88, 220), nullptr);
    EXPECT_NE(Text("20", 96, 348), nullptr);
    EXPECT_NE(Text("100", 112, 357), nullptr);
    EXPECT_NE(Text("1000", 290, 357), nullptr);
    EXPECT_NE(Text("10000", 464, 357), nullptr);
    EXPECT_NE(Text("ヘクタールあたり本数", 232, 376), nullptr);
    // The volume title runs down from the frame's top, one character a line.
    const std::string vertical[] = {"ヘ", "ク", "タ", "｜", "ル", "あ",
                                    "た", "り", "幹", "材", "積"};
    for (int i = 0; i < 11; ++i)
        EXPECT_NE(Text(vertical[i], 40, 18 + i * RecordingCanvas::kLineHeight), nullptr) << i;
}

TEST(DensityDiagramFrameEdgeTest, InkInForceIsBlackAfterwards) {
    RecordingCanvas canvas;
    canvas.SetInkColor(colors::Blue);
    DrawDensityDiagram(canvas, test::CedarDiagram());
    EXPECT_EQ(canvas.InkColor(), colors::Black);
}

TEST(DensityDiagramFrameEdgeTest, UnloadedCoefficientsGiveTheFrameWithoutCurves) {
    // All coefficients 0: every volume is infinite and no isoline can be
    // placed; the frame and its texts are still drawn, and nothing else.
    RecordingCanvas canvas;
    DensityDiagramParameters empty;
    DrawDensityDiagram(canvas, empty);
    for (const auto& p : canvas.primitives()) {
        EXPECT_NE(p.color, colors::Red);
        EXPECT_NE(p.color, colors::Blue);
    }
    EXPECT_EQ(canvas.OfKind(Kind::Box).size(), 5u);
    EXPECT_EQ(canvas.Texts().size(), 6u + 1u + 11u);
}

}  // namespace
}  // namespace mk
