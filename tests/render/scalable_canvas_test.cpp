#include "render/scalable_canvas.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <limits>

namespace mk {
namespace {

// One drawing of every kind of primitive, with values a graph may produce
// by accident (not a number, far outside the picture).
void DrawSample(Canvas& c) {
    c.Clear();
    c.Box(20, 20, 540, 400, colors::Black, false);
    c.Line(20, 100, 540, 100, colors::Red);
    c.Point(300, 300, colors::Blue);
    c.SetCurrentX(40);
    c.SetCurrentY(60);
    c.LineTo(200, 380, colors::DarkBlue);
    c.SetFillStyle(FillStyle::Solid);
    c.SetFillColor(colors::Red);
    c.Circle(400, 200, 5, colors::Black);
    c.SetFillStyle(FillStyle::Transparent);
    c.Circle(420, 200, 3, colors::Blue);
    c.Box(100, 300, 120, 310, colors::Blue, true);
    c.SetInkColor(colors::Black);
    c.SetCurrentX(60);
    c.SetCurrentY(30);
    c.Print("林齢－上層樹高 0.80");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    c.Line(nan, 0, 10, 10, colors::Black);
    c.Point(nan, nan, colors::Black);
    c.Line(-1e300, 250, 1e300, 250, colors::Blue);
    c.Circle(1e200, 5, 3, colors::Black);
}

QImage PaintAt(const ScalableCanvas& canvas, int width, int height) {
    QImage shown(width, height, QImage::Format_RGB32);
    shown.fill(Qt::gray);
    QPainter painter(&shown);
    canvas.PaintScaled(painter, QRectF(0, 0, width, height));
    return shown;
}

bool Dark(QRgb p) { return qGray(p) < 160; }

TEST(ScalableCanvasTest, SavedPictureIsExactlyThatOfTheBatchToolsCanvas) {
    ImageCanvas batch;
    ScalableCanvas shown;
    DrawSample(batch);
    DrawSample(shown);
    EXPECT_EQ(shown.image(), batch.image());
    EXPECT_EQ(shown.CurrentX(), batch.CurrentX());
    EXPECT_EQ(shown.CurrentY(), batch.CurrentY());
    EXPECT_EQ(shown.TextWidth("林齢"), batch.TextWidth("林齢"));
    // What cannot be drawn is not kept either.
    EXPECT_EQ(shown.KeptCount(), 9u);
    shown.Clear();
    EXPECT_EQ(shown.KeptCount(), 0u);
}

TEST(ScalableCanvasTest, PaintedAtTwiceTheSizeLinesStayWhereTheyAreAndTwiceAsThick) {
    ScalableCanvas canvas;
    DrawSample(canvas);
    const QImage big = PaintAt(canvas, 1120, 840);
    // The red line on row 100 covers rows 200 and 201, nothing around.
    for (int x : {100, 500, 1000}) {
        EXPECT_EQ(big.pixel(x, 200), qRgb(255, 0, 0)) << x;
        EXPECT_EQ(big.pixel(x, 201), qRgb(255, 0, 0)) << x;
        EXPECT_EQ(big.pixel(x, 199), qRgb(255, 255, 255)) << x;
        EXPECT_EQ(big.pixel(x, 202), qRgb(255, 255, 255)) << x;
    }
    // The filled box 100..120 x 300..310 covers 200..241 x 600..621.
    EXPECT_EQ(big.pixel(200, 600), qRgb(0, 0, 255));
    EXPECT_EQ(big.pixel(241, 621), qRgb(0, 0, 255));
    EXPECT_EQ(big.pixel(242, 621), qRgb(255, 255, 255));
    // The filled circle's inside is red at its centre.
    EXPECT_EQ(big.pixel(801, 401), qRgb(255, 0, 0));
    // The text is drawn at the larger size, not enlarged: far more of its
    // pixels are dark than in the small picture.
    int small = 0, large = 0;
    for (int y = 30; y < 45; ++y)
        for (int x = 60; x < 200; ++x) small += Dark(canvas.image().pixel(x, y));
    for (int y = 60; y < 90; ++y)
        for (int x = 120; x < 400; ++x) large += Dark(big.pixel(x, y));
    EXPECT_GT(small, 30);
    EXPECT_GT(large, 3 * small);
}

TEST(ScalableCanvasTest, ALoadedPictureIsStretchedToTheSpace) {
    ScalableCanvas canvas;
    QImage loaded(560, 420, QImage::Format_RGB32);
    loaded.fill(qRgb(0, 128, 0));
    DrawSample(canvas);
    canvas.ShowImage(loaded);
    EXPECT_EQ(canvas.image().pixel(300, 300), qRgb(0, 128, 0));
    const QImage half = PaintAt(canvas, 280, 210);
    EXPECT_EQ(half.pixel(0, 0), qRgb(0, 128, 0));
    EXPECT_EQ(half.pixel(279, 209), qRgb(0, 128, 0));
}

}  // namespace
}  // namespace mk
