#include "render/bmp_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/graphics/density_diagram_frame.h"
#include "core/graphics/recording_canvas.h"
#include "core/host/recording_messages.h"
#include "render/image_canvas.h"
#include "support/test_files.h"

namespace mk {
namespace {

std::uint32_t Le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

// The colour at (x, y) of a 24-bit bottom-up BMP of width 560, as stored.
Color StoredPixel(const std::string& bmp, int x, int y) {
    const std::size_t row = static_cast<std::size_t>(419 - y) * 1680;
    const std::size_t at = 54 + row + static_cast<std::size_t>(x) * 3;
    const auto b = static_cast<unsigned char>(bmp[at]);
    const auto g = static_cast<unsigned char>(bmp[at + 1]);
    const auto r = static_cast<unsigned char>(bmp[at + 2]);
    return static_cast<Color>(r | (g << 8) | (b << 16));
}

DensityDiagramParameters Cedar() {
    DensityDiagramParameters d;
    d.Prm = {1,    0.084, -1.5, 5490, -2.7, 0.9, 0.38, 0.05, 0,
             0.98, 0.02,  5.3,  -1.4, 1,    1,   0.4,  0,    0};
    return d;
}

TEST(BmpFileTest, DiagramPictureIsA24BitBmpWithTheFrameAndIsolines) {
    test::TempDir dir;
    ImageCanvas canvas;
    DrawDensityDiagram(canvas, Cedar());
    const std::string path = dir.File("diagram.bmp");
    ASSERT_TRUE(SaveBmp(canvas, path));

    const std::string bmp = test::ReadBytes(path);
    ASSERT_EQ(bmp.size(), 54u + 1680u * 420u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(Le(bmp, 2, 4), bmp.size());
    EXPECT_EQ(Le(bmp, 10, 4), 54u);
    EXPECT_EQ(Le(bmp, 14, 4), 40u);
    EXPECT_EQ(Le(bmp, 18, 4), 560u);
    EXPECT_EQ(Le(bmp, 22, 4), 420u);
    EXPECT_EQ(Le(bmp, 26, 2), 1u);
    EXPECT_EQ(Le(bmp, 28, 2), 24u);
    EXPECT_EQ(Le(bmp, 30, 4), 0u);

    // The frame's corners are black.
    EXPECT_EQ(StoredPixel(bmp, 120, 18), colors::Black);
    EXPECT_EQ(StoredPixel(bmp, 480, 18), colors::Black);
    EXPECT_EQ(StoredPixel(bmp, 120, 356), colors::Black);
    EXPECT_EQ(StoredPixel(bmp, 480, 356), colors::Black);
    // The vertices of the isolines inside the frame are red, apart from the
    // few that a yield-index line, its label or the frame crosses later.
    RecordingCanvas recorded;
    DrawDensityDiagram(recorded, Cedar());
    int inside = 0, red = 0;
    for (const auto& p : recorded.OfKind(DrawnPrimitive::Kind::Line)) {
        if (p.color != colors::Red || p.x2 <= 120 || p.x2 >= 480 || p.y2 <= 18 || p.y2 >= 356)
            continue;
        ++inside;
        red += StoredPixel(bmp, static_cast<int>(p.x2), static_cast<int>(p.y2)) == colors::Red;
    }
    EXPECT_GT(inside, 300);
    EXPECT_GE(red * 10, inside * 9);
    EXPECT_EQ(StoredPixel(bmp, 231, 176), colors::Red);  // where the 20 m line begins
    // Outside the frame: white, also where the isolines ran on past the
    // right edge and the 1.0 yield-index line went over the top.
    EXPECT_EQ(StoredPixel(bmp, 5, 5), colors::White);
    EXPECT_EQ(StoredPixel(bmp, 540, 250), colors::White);
    EXPECT_EQ(StoredPixel(bmp, 312, 8), colors::White);
    EXPECT_EQ(StoredPixel(bmp, 559, 419), colors::White);
}

TEST(BmpFileTest, SavedPictureLoadsBackPixelForPixel) {
    test::TempDir dir;
    ImageCanvas canvas;
    DrawDensityDiagram(canvas, Cedar());
    const std::string path = dir.File("diagram.bmp");
    ASSERT_TRUE(SaveBmp(canvas, path));

    ImageCanvas loaded;
    ASSERT_TRUE(LoadBmp(loaded, path));
    EXPECT_EQ(loaded.image(), canvas.image());
}

TEST(BmpFileTest, ASmallerBmpIsShownAtTheTopLeftOnWhite) {
    test::TempDir dir;
    QImage small(4, 3, QImage::Format_RGB32);
    small.fill(qRgb(255, 0, 0));
    test::WriteBytes(dir.File("small.bmp"), EncodeBmp24(small));
    ImageCanvas canvas;
    canvas.Line(0, 100, 559, 100, colors::Black);
    ASSERT_TRUE(LoadBmp(canvas, dir.File("small.bmp")));
    EXPECT_EQ(canvas.PixelColor(3, 2), colors::Red);
    EXPECT_EQ(canvas.PixelColor(4, 2), colors::White);
    EXPECT_EQ(canvas.PixelColor(10, 100), colors::White);
    EXPECT_EQ(canvas.image().width(), 560);
}

TEST(BmpFileTest, RowsArePaddedToFourBytes) {
    QImage odd(3, 2, QImage::Format_RGB32);
    odd.fill(qRgb(1, 2, 3));
    const std::string bmp = EncodeBmp24(odd);
    ASSERT_EQ(bmp.size(), 54u + 12u * 2u);
    EXPECT_EQ(static_cast<unsigned char>(bmp[54]), 3);  // blue first
    EXPECT_EQ(static_cast<unsigned char>(bmp[56]), 1);
    EXPECT_EQ(bmp[63], '\0');  // padding
}

TEST(BmpFileTest, MissingOrBrokenFilesDoNotLoadAndLeaveThePicture) {
    test::TempDir dir;
    ImageCanvas canvas;
    canvas.Point(1, 1, colors::Red);
    EXPECT_FALSE(LoadBmp(canvas, dir.File("none.bmp")));
    test::WriteBytes(dir.File("broken.bmp"), "BM not a bitmap");
    EXPECT_FALSE(LoadBmp(canvas, dir.File("broken.bmp")));
    EXPECT_EQ(canvas.PixelColor(1, 1), colors::Red);
}

TEST(BmpFileTest, AFailedSaveIsReportedAndKeepsTheOldFile) {
    test::TempDir dir;
    ImageCanvas canvas;
    RecordingMessages messages;
    const std::string path = dir.File("no/such/folder/x.bmp");
    EXPECT_FALSE(SaveBmp(canvas, path, messages));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "ファイル書き込みエラー");
    EXPECT_EQ(messages.shown()[0].text, "ファイルに書き込めません。\r\n" + path);

    // A folder in the way of the file: the save fails and nothing changes.
    const std::string folder = dir.File("taken.bmp");
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(SaveBmp(canvas, folder));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

}  // namespace
}  // namespace mk
