// A run's strokes kept beside its picture draw the same picture again: the
// vector images and the report show the stand's path exactly as the window
// does.

#include <gtest/gtest.h>

#include "core/graphics/recording_canvas.h"
#include "core/graphics/tee_canvas.h"
#include "render/image_canvas.h"

namespace mk {
namespace {

// Strokes like those of a simulated path: points, lines from the current
// position, filled and hollow markers, a thinning jump, a label.
void DrawPath(Canvas& c) {
    c.Point(150, 330, colors::DarkBlue);
    for (int i = 1; i < 30; ++i) {
        c.LineTo(150 + 4 * i, 330 - 9 * i, colors::DarkBlue);
        c.SetFillStyle(i % 2 == 0 ? FillStyle::Solid : FillStyle::Transparent);
        c.SetFillColor(i % 3 == 0 ? colors::Red : colors::White);
        c.Circle(150 + 4 * i, 330 - 9 * i, 3, colors::DarkBlue);
    }
    c.Line(270, 70, 230, 120, colors::DarkBlue);
    c.Box(300, 300, 320, 320, colors::Red, true);
    c.SetInkColor(colors::Blue);
    c.SetCurrentX(400);
    c.SetCurrentY(40);
    c.Print("間伐");
    c.Print("0.8");
}

TEST(TeeReplay, RecordedStrokesRedrawThePictureTheRunDrewPixelForPixel) {
    ImageCanvas shown;
    shown.Clear();
    RecordingCanvas path;
    TeeCanvas both(shown, path);
    DrawPath(both);
    // The second surface follows the first one's text position.
    EXPECT_EQ(both.CurrentY(), shown.CurrentY());

    ImageCanvas again;
    again.Clear();
    Replay(path.primitives(), again);
    EXPECT_EQ(again.image(), shown.image());
    // Replaying leaves the surface's own settings as they were.
    EXPECT_EQ(again.GetFillStyle(), FillStyle::Transparent);
    EXPECT_EQ(again.InkColor(), colors::Black);
}

}  // namespace
}  // namespace mk
