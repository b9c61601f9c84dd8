#include "core/graphics/text_primitives.h"

#include <gtest/gtest.h>

#include "core/graphics/recording_canvas.h"

namespace mk {
namespace {

TEST(TextPrimitivesTest, TextAtMovesThePositionThenPrints) {
    RecordingCanvas canvas;
    DrawTextAt(canvas, 35, 60, "林分");
    const auto texts = canvas.OfKind(DrawnPrimitive::Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].x1, 35);
    EXPECT_EQ(texts[0].y1, 60);
    EXPECT_EQ(texts[0].text, "林分");
    // Printing leaves the position at the start of the next line.
    EXPECT_EQ(canvas.CurrentX(), 0);
    EXPECT_EQ(canvas.CurrentY(), 60 + RecordingCanvas::kLineHeight);
}

TEST(TextPrimitivesTest, VerticalTextPutsEachCharacterOnItsOwnLine) {
    RecordingCanvas canvas;
    DrawVerticalText(canvas, 550, 50, "幹 m／");
    const auto texts = canvas.OfKind(DrawnPrimitive::Kind::Text);
    ASSERT_EQ(texts.size(), 4u);
    const char* chars[] = {"幹", " ", "m", "／"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(texts[i].text, chars[i]);
        EXPECT_EQ(texts[i].x1, 550);
        EXPECT_EQ(texts[i].y1, 50 + i * RecordingCanvas::kLineHeight);
    }
}

TEST(TextPrimitivesTest, EmptyVerticalTextOnlySetsY) {
    RecordingCanvas canvas;
    DrawVerticalText(canvas, 10, 70, "");
    EXPECT_TRUE(canvas.primitives().empty());
    EXPECT_EQ(canvas.CurrentY(), 70);
}

}  // namespace
}  // namespace mk
