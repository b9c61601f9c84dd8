#include "cli/run_images.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/graphics/density_diagram_frame.h"
#include "core/host/recording_messages.h"
#include "core/session/workspace.h"
#include "render/bmp_file.h"
#include "render/image_canvas.h"
#include "support/test_files.h"

namespace mk {
namespace {

std::unique_ptr<Workspace> FinishedRun() {
    auto ws = std::make_unique<Workspace>();
    ws->Diagram.Prm = {1,    0.084, -1.5, 5490, -2.7, 0.9, 0.38, 0.05, 0,
                       0.98, 0.02,  5.3,  -1.4, 1,    1,   0.4,  0,    0};
    ws->Run.CurrentAge = 0;  // a run from planting, as a run file may leave it
    ws->Run.EndAge = 40;
    ws->Run.SiteCurveScale = 22;
    for (int a = 1; a <= 40; ++a) {
        for (int s = 1; s <= 3; ++s) {
            ws->Results.PlanStems[a][s] = 3000 - 20.0 * a * s;
            ws->Results.PlanHeight[a][s] = 0.5 * a;
            ws->Results.PlanVolume[a][s] = 12.0 * a;
        }
    }
    return ws;
}

TEST(RunImagesTest, WritesTheDiagramAndTheFiveGraphsInOrder) {
    test::TempDir dir;
    const auto ws = FinishedRun();
    ImageCanvas diagram;
    DrawDensityDiagram(diagram, ws->Diagram);
    RecordingMessages messages;
    std::vector<std::string> written;
    const std::string folder = dir.File("images/yield");  // made on the way
    const RunPictures pictures{ws->Diagram, {}, RunGraphs(*ws, false)};
    ASSERT_TRUE(WriteRunImages(folder, PictureFormat::Bmp, diagram, pictures, messages, written));
    EXPECT_TRUE(messages.shown().empty());
    ASSERT_EQ(written.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(written[static_cast<std::size_t>(i)],
                  folder + "/image" + std::to_string(i) + ".bmp");
        EXPECT_EQ(test::ReadBytes(written[static_cast<std::size_t>(i)]).size(), 54u + 1680u * 420u);
    }
    EXPECT_EQ(test::ReadBytes(written[0]), EncodeBmp24(diagram.image()));

    // image3 is the volume graph of series 1 from age 1: its first blue
    // marker (12 m3 at age 1, factor 0.2) is filled at (118, 378).
    ImageCanvas volume;
    ASSERT_TRUE(LoadBmp(volume, written[3]));
    EXPECT_EQ(volume.PixelColor(118, 378), colors::Blue);
    EXPECT_EQ(volume.PixelColor(110, 60), colors::Black);
}

TEST(RunImagesTest, GraphsOfAStandVolumeTableFollowTheChosenSiteClass) {
    const auto ws = FinishedRun();
    ws->VolumeTableSiteClass = 3;
    ws->Run.CurrentAge = 1;
    const AgeGraphRun bySite = RunGraphs(*ws, true);
    EXPECT_EQ(bySite.series, 3);
    EXPECT_EQ(bySite.startAge, 1);
    EXPECT_EQ(bySite.endAge, 40);
    EXPECT_EQ(bySite.siteCurveScale, 22);
    EXPECT_EQ(bySite.largeScaleFrom, AgeGraphRun::kYieldLargeScaleFrom);
    EXPECT_EQ(bySite.results, &ws->Results);
    EXPECT_EQ(RunGraphs(*ws, false).series, 1);
    ws->Run.CurrentAge = 23;
    EXPECT_EQ(RunGraphs(*ws, false).startAge, 23);
}

TEST(RunImagesTest, AFolderThatCannotBeMadeIsAWriteError) {
    test::TempDir dir;
    test::WriteBytes(dir.File("plain"), "a file, not a folder");
    const auto ws = FinishedRun();
    ImageCanvas diagram;
    RecordingMessages messages;
    std::vector<std::string> written;
    const std::string folder = dir.File("plain");
    const RunPictures pictures{ws->Diagram, {}, RunGraphs(*ws, false)};
    EXPECT_FALSE(WriteRunImages(folder, PictureFormat::Svg, diagram, pictures, messages, written));
    EXPECT_TRUE(written.empty());
    ASSERT_EQ(messages.shown().size(), 1u);  // one report, the rest not tried
    EXPECT_EQ(messages.shown()[0].title, "ファイル書き込みエラー");
    EXPECT_EQ(messages.shown()[0].text, "ファイルに書き込めません。\r\n" + folder + "/image0.svg");
}

}  // namespace
}  // namespace mk
