#include "render/image_canvas.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

namespace mk {
namespace {

// Every colour found in a rectangle of the picture.
std::set<Color> ColoursIn(const ImageCanvas& c, int x1, int y1, int x2, int y2) {
    std::set<Color> out;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) out.insert(c.PixelColor(x, y));
    return out;
}

TEST(ImageCanvasTest, NewAndClearedPicturesAreWhite560By420) {
    ImageCanvas c;
    EXPECT_EQ(c.image().width(), 560);
    EXPECT_EQ(c.image().height(), 420);
    c.Line(0, 0, 559, 419, colors::Black);
    c.SetCurrentX(40);
    c.Clear();
    EXPECT_EQ(ColoursIn(c, 0, 0, 559, 419), std::set<Color>({colors::White}));
    EXPECT_EQ(c.CurrentX(), 0);
    EXPECT_EQ(c.CurrentY(), 0);
}

TEST(ImageCanvasTest, ColoursKeepRedInTheLowByte) {
    ImageCanvas c;
    c.Point(10, 10, colors::Red);
    c.Point(11, 10, colors::Blue);
    c.Point(12, 10, colors::DarkBlue);
    EXPECT_EQ(c.image().pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(c.image().pixel(11, 10), qRgb(0, 0, 255));
    EXPECT_EQ(c.image().pixel(12, 10), qRgb(0, 0, 128));
    EXPECT_EQ(c.PixelColor(12, 10), colors::DarkBlue);
}

TEST(ImageCanvasTest, PointAndLineMoveTheCurrentPosition) {
    ImageCanvas c;
    c.Point(20, 30, colors::Black);
    c.LineTo(40, 30, colors::Red);
    EXPECT_EQ(c.CurrentX(), 40);
    EXPECT_EQ(c.CurrentY(), 30);
    // Both ends belong to the line, in its pure colour.
    EXPECT_EQ(ColoursIn(c, 21, 30, 40, 30), std::set<Color>({colors::Red}));
    EXPECT_EQ(c.PixelColor(41, 30), colors::White);
    c.LineTo(40, 50, colors::Blue);
    EXPECT_EQ(ColoursIn(c, 40, 31, 40, 50), std::set<Color>({colors::Blue}));
}

TEST(ImageCanvasTest, DiagonalLinesAreOnePixelAndUnbroken) {
    ImageCanvas c;
    c.Line(100, 100, 110, 105, colors::Black);
    int lit = 0;
    for (int x = 100; x <= 110; ++x) {
        int inColumn = 0;
        for (int y = 95; y <= 110; ++y) inColumn += c.PixelColor(x, y) == colors::Black;
        EXPECT_EQ(inColumn, 1) << x;
        lit += inColumn;
    }
    EXPECT_EQ(lit, 11);
}

TEST(ImageCanvasTest, CoordinatesRoundHalvesToEven) {
    ImageCanvas c;
    c.Point(2.5, 3.5, colors::Black);
    EXPECT_EQ(c.PixelColor(2, 4), colors::Black);
    EXPECT_EQ(c.PixelColor(3, 4), colors::White);
}

TEST(ImageCanvasTest, WildCoordinatesAreCutNotLooped) {
    ImageCanvas c;
    c.Line(-1e12, 10, 1e12, 10, colors::Red);
    EXPECT_EQ(ColoursIn(c, 0, 10, 559, 10), std::set<Color>({colors::Red}));
    c.Line(0, 0, 1e300, 1e300, colors::Black);
    c.Circle(1e15, 1e15, 3, colors::Black);
    c.Circle(100, 100, 1e300, colors::Black);
    c.Box(-1e9, -1e9, 1e9, 5, colors::Blue, true);
    EXPECT_EQ(ColoursIn(c, 0, 0, 559, 5), std::set<Color>({colors::Blue}));
    c.Point(std::nan(""), 4, colors::Red);
    EXPECT_TRUE(std::isnan(c.CurrentX()));
}

TEST(ImageCanvasTest, CoordinatesBeyondTheRangeOfIntAreClampedNotConverted) {
    // Far outside, every primitive draws nothing and leaves the picture as
    // it was; a line through the picture from far away still crosses it.
    const double huge = std::numeric_limits<double>::max();
    for (double v : {1e28, 1e254, huge, 2147483648.0, -2147483649.0, 1e10}) {
        SCOPED_TRACE(v);
        for (double sign : {1.0, -1.0}) {
            const double w = sign * v;
            ImageCanvas c;
            c.Point(w, w, colors::Black);
            c.Line(w, w, w, 2 * w, colors::Black);
            c.Line(w, -w, w, w, colors::Black);
            c.LineTo(w, 0, colors::Black);
            c.Circle(w, 10, 3, colors::Black);
            c.Box(w, w, 2 * w, 2 * w, colors::Black, true);
            c.SetCurrentX(w);
            c.SetCurrentY(10);
            c.Print("林");
            EXPECT_EQ(ColoursIn(c, 0, 0, 559, 419), std::set<Color>({colors::White}));

            c.Line(-w, 10, w, 10, colors::Red);
            c.Line(100, -w, 100, w, colors::Blue);
            EXPECT_EQ(ColoursIn(c, 0, 10, 99, 10), std::set<Color>({colors::Red}));
            EXPECT_EQ(ColoursIn(c, 101, 10, 559, 10), std::set<Color>({colors::Red}));
            EXPECT_EQ(ColoursIn(c, 100, 0, 100, 419), std::set<Color>({colors::Blue}));
        }
    }
}

TEST(ImageCanvasTest, BoxOutlineAndFilledBoxIncludeBothCorners) {
    ImageCanvas c;
    c.Box(10, 10, 20, 15, colors::Black, false);
    EXPECT_EQ(c.PixelColor(10, 10), colors::Black);
    EXPECT_EQ(c.PixelColor(20, 15), colors::Black);
    EXPECT_EQ(c.PixelColor(15, 12), colors::White);
    c.Box(30, 30, 25, 25, colors::Red, true);  // corners in either order
    EXPECT_EQ(ColoursIn(c, 25, 25, 30, 30), std::set<Color>({colors::Red}));
    EXPECT_EQ(c.PixelColor(31, 30), colors::White);
}

TEST(ImageCanvasTest, CirclesAreHollowByDefaultAndFilledWhenSolid) {
    ImageCanvas c;
    c.Circle(50, 50, 3, colors::Red);
    EXPECT_EQ(c.PixelColor(50, 50), colors::White);
    EXPECT_EQ(c.PixelColor(53, 50), colors::Red);
    EXPECT_EQ(c.PixelColor(50, 47), colors::Red);
    EXPECT_EQ(c.PixelColor(54, 50), colors::White);
    EXPECT_EQ(c.CurrentX(), 50);
    EXPECT_EQ(c.CurrentY(), 50);

    c.SetFillStyle(FillStyle::Solid);
    c.SetFillColor(colors::Blue);
    c.Circle(80, 50, 3, colors::Red);
    EXPECT_EQ(c.PixelColor(80, 50), colors::Blue);
    EXPECT_EQ(c.PixelColor(81, 51), colors::Blue);
    EXPECT_EQ(c.PixelColor(83, 50), colors::Red);
    // A closed outline: every row of the circle has its outer pixels drawn.
    for (int dy = -3; dy <= 3; ++dy) {
        int reds = 0;
        for (int x = 76; x <= 84; ++x) reds += c.PixelColor(x, 50 + dy) == colors::Red;
        EXPECT_GE(reds, 2) << dy;
    }
}

TEST(ImageCanvasTest, PrintWritesInInkAndMovesToTheNextLine) {
    ImageCanvas c;
    c.SetInkColor(colors::Red);
    c.SetCurrentX(100);
    c.SetCurrentY(200);
    c.Print("林齢８");
    EXPECT_EQ(c.CurrentX(), 0);
    EXPECT_EQ(c.CurrentY(), 200 + kImageLineHeight);
    EXPECT_EQ(c.TextHeight("x"), kImageLineHeight);
    // The text is there, in the pure ink colour only, within its line.
    const auto inLine = ColoursIn(c, 100, 200, 100 + 3 * 12, 200 + kImageLineHeight - 1);
    EXPECT_EQ(inLine, std::set<Color>({colors::White, colors::Red}));
    EXPECT_EQ(ColoursIn(c, 0, 0, 559, 199), std::set<Color>({colors::White}));
    EXPECT_EQ(ColoursIn(c, 0, 200 + kImageLineHeight, 559, 419), std::set<Color>({colors::White}));
    EXPECT_GT(c.TextWidth("林齢"), c.TextWidth("林"));
}

TEST(ImageCanvasTest, FullWidthCharactersFitTheLastTenPixels) {
    // The right-axis titles start at x 550, ten pixels from the edge.
    for (const char* ch : {"幹", "積", "層", "高", "径", "収", "ル", "／"}) {
        ImageCanvas c;
        c.SetCurrentX(100);
        c.SetCurrentY(100);
        c.Print(ch);
        EXPECT_NE(ColoursIn(c, 100, 100, 109, 114), std::set<Color>({colors::White})) << ch;
        EXPECT_EQ(ColoursIn(c, 110, 90, 130, 130), std::set<Color>({colors::White})) << ch;
    }
}

}  // namespace
}  // namespace mk

namespace mk {
namespace {

TEST(ImageCanvasTest, ALargerPlotDrawsBelowItsRaisedOrigin) {
    ImageCanvas plot(560, 470, 24);
    EXPECT_EQ(plot.image().width(), 560);
    EXPECT_EQ(plot.image().height(), 470);
    // Drawing y = -20 is still inside: 24 rows were set aside above y = 0.
    plot.Point(10, -20, colors::Red);
    EXPECT_EQ(plot.PixelColor(10, 4), colors::Red);
    plot.Line(0, 0, 559, 0, colors::Blue);
    EXPECT_EQ(plot.PixelColor(300, 24), colors::Blue);
    EXPECT_EQ(plot.PixelColor(300, 0), colors::White);
    plot.Box(100, 440, 110, 445, colors::Black, true);
    EXPECT_EQ(plot.PixelColor(105, 466), colors::Black);
    plot.SetFillStyle(FillStyle::Solid);
    plot.SetFillColor(colors::Red);
    plot.Circle(200, 100, 3, colors::Red);
    EXPECT_EQ(plot.PixelColor(200, 124), colors::Red);
    EXPECT_EQ(plot.PixelColor(200, 100), colors::White);
    // The current position stays in drawing coordinates.
    EXPECT_EQ(plot.CurrentY(), 100);
}

}  // namespace
}  // namespace mk
