// The wizard's live path and the unthinned stand: the same simulation and
// drawing as the result window, in memory, and the words of the comparison.

#include "core/yield/stand_preview.h"

#include <gtest/gtest.h>

#include "core/graphics/density_diagram_frame.h"
#include "core/model/density_diagram.h"
#include "core/text/number_format.h"
#include "yield_fixture.h"

namespace mk::test {
namespace {

bool SamePrimitive(const DrawnPrimitive& a, const DrawnPrimitive& b) {
    return a.kind == b.kind && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 &&
           a.radius == b.radius && a.color == b.color && a.text == b.text;
}

class StandPreviewTest : public YieldRunTest {
protected:
    int FileCount() const {
        int count = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(tmp.path()))
            ++count;
        return count;
    }
};

TEST_F(StandPreviewTest, DrawsWhatTheResultWindowDrawsWithoutWritingAFile) {
    for (int method : {1, 4, 5}) {
        SCOPED_TRACE(method);
        if (method == 1) {
            Schedule(1, {15, 25, 35}, {0.3, 0.25, 0.2});
        } else {
            ws.Run.ThinningMethod = method;
            ws.Run.RyTarget = ws.Run.RyUpper = 0.8;
            ws.Run.RyLower = 0.65;
            ws.Run.BoundThinningRate = 0.25;
            ws.Run.ThinningFromAge = 9;
            ws.Run.ThinningToAge = 51;
        }
        RecordingCanvas preview;
        const PreviewOutcome outcome = DrawStandPreview(ws, preview);
        EXPECT_TRUE(outcome.pathDrawn);
        EXPECT_EQ(FileCount(), 4) << "the preview wrote a file";

        RecordingCanvas window;
        DrawDensityDiagram(window, ws.Diagram);
        const std::size_t diagramItems = window.primitives().size();
        PrepareRunSettings(ws);
        const std::string written =
            TABLECALC(ws, kYieldTableMode, window, {}, messages, pump).writtenPath;
        ASSERT_FALSE(written.empty());
        std::filesystem::remove(written);
        // The window's picture is the preview's without the shaded bounds.
        std::vector<DrawnPrimitive> withoutBounds;
        for (const DrawnPrimitive& p : preview.primitives()) {
            if (p.color != kBoundEdgeColor && p.color != kBoundShadeColor)
                withoutBounds.push_back(p);
        }
        ASSERT_EQ(withoutBounds.size(), window.primitives().size());
        for (std::size_t i = 0; i < withoutBounds.size(); ++i) {
            ASSERT_TRUE(SamePrimitive(withoutBounds[i], window.primitives()[i])) << i;
        }
        const bool shaded = withoutBounds.size() != preview.primitives().size();
        EXPECT_EQ(shaded, method != 1);
        // The bounds lie under the path: all drawn before the first year.
        if (shaded) {
            EXPECT_NE(preview.primitives()[diagramItems].color, colors::DarkBlue);
        }
    }
}

TEST_F(StandPreviewTest, ARunThatCannotBeMadeSaysWhyInsteadOfAPath) {
    struct Case {
        int stemSetting, currentAge, endAge;
        std::vector<double> keys;
        const char* note;
    };
    const Case cases[] = {
        {2, 60, 50, {}, "計算終了年（50）は現在の林齢（60）より後にしてください。"},
        {1,
         1,
         60,
         {30, 20},
         "2回目間伐の林齢（20）は1回目間伐の林齢（30）より大きくしてください。"},
        {1, 1, 60, {70}, "1回目間伐の林齢（70）が計算終了年（60）より後です。"},
    };
    for (const Case& c : cases) {
        ws.Run.StemSettingMethod = c.stemSetting;
        ws.Run.CurrentAge = c.currentAge;
        ws.Run.EndAge = c.endAge;
        Schedule(1, c.keys, std::vector<double>(c.keys.size(), 0.3));
        RecordingCanvas preview;
        const PreviewOutcome outcome = DrawStandPreview(ws, preview);
        EXPECT_FALSE(outcome.pathDrawn);
        EXPECT_EQ(outcome.note, c.note);
        for (const DrawnPrimitive& p : preview.primitives()) EXPECT_NE(p.color, colors::DarkBlue);
    }
    ws.Run.StemSettingMethod = 1;
    ws.Run.EndAge = 60;
    Schedule(1, {}, {});
    ws.Diagram.Prm[0] = 3;
    RecordingCanvas preview;
    EXPECT_FALSE(DrawStandPreview(ws, preview).pathDrawn);
    EXPECT_EQ(DrawStandPreview(ws, preview).note,
              "林分密度管理図の種類が正しくありません（1または2）。");
}

TEST_F(StandPreviewTest, UnthinnedStandKeepsItsStartAndGrowsWithoutThinning) {
    Schedule(1, {15, 25, 35}, {0.3, 0.3, 0.3});
    const InMemoryRun regime = RunInMemory(ws, false);
    const InMemoryRun baseline = RunInMemory(ws, true);
    ASSERT_EQ(regime.lastAge, 60);
    ASSERT_EQ(baseline.lastAge, 60);
    EXPECT_EQ(baseline.years.YearStems[10], regime.years.YearStems[10]);  // before any thinning
    EXPECT_GT(baseline.years.YearStems[60], regime.years.YearStems[60]);
    for (int a = 1; a <= 60; ++a) {
        // Nothing is thinned: the total yield is the standing volume.
        ASSERT_EQ(baseline.totalYield[a], baseline.years.YearVolume[a]) << a;
    }
    // The regime's total is the last column of the table the window writes.
    const std::string path = Run().writtenPath;
    const auto lines = TableLines(path);
    std::string last;
    for (const std::string& line : lines) {
        if (IsRow(line)) last = line;
    }
    ASSERT_EQ(last.substr(0, 4), "  60");
    EXPECT_EQ(FormatRight(regime.totalYield[60], "###0.0", 7), last.substr(last.size() - 11, 7));
    EXPECT_EQ(ws.Run.ThinningCount, 3);  // the unthinned run changed nothing of the record
}

TEST(BaselineComparison, SaysMoreLessOrTheSameAtTheLastAgeBothReached) {
    auto run = [](int lastAge, double total) {
        InMemoryRun r;
        r.firstAge = 1;
        r.lastAge = lastAge;
        r.totalYield[lastAge] = total;
        r.totalYield[40] = total + 1;
        return r;
    };
    EXPECT_EQ(BaselineComparisonText(run(60, 512.34), run(60, 498.0)),
              "60年生の総収穫量は 512.3 m3/ha で、間伐しない場合（498.0 m3/ha）より 14.3 m3/ha "
              "多くなります。");
    EXPECT_EQ(BaselineComparisonText(run(60, 400), run(60, 450.05)),
              "60年生の総収穫量は 400.0 m3/ha で、間伐しない場合（450.1 m3/ha）より 50.1 m3/ha "
              "少なくなります。");
    EXPECT_EQ(BaselineComparisonText(run(60, 450.01), run(60, 450.02)),
              "60年生の総収穫量は 450.0 m3/ha で、間伐しない場合（450.0 m3/ha）と同じです。");
    // A run that stopped early is compared where both still stood.
    EXPECT_EQ(BaselineComparisonText(run(60, 300), run(40, 200)).substr(0, 8), "40年生");
    EXPECT_EQ(BaselineComparisonText(run(60, 300), run(0, 0)), "");
}

TEST(ThinningBounds, ShadeOnlyTheBoundsOfTheMethodInsideThePlot) {
    DensityDiagramParameters d;
    RecordingMessages quiet;
    ASSERT_TRUE(ReadPrmFile(SourcePath("examples/sugi_type1.prm"), d, quiet));
    const DiagramFrame f = DensityDiagramFrame();
    for (int method = 1; method <= 6; ++method) {
        SCOPED_TRACE(method);
        RunSettings run;
        run.ThinningMethod = method;
        run.RyTarget = run.RyUpper = 0.8;
        run.RyLower = 0.6;
        run.SlendernessUpper = 0.9;
        run.SlendernessLower = 0.7;
        RecordingCanvas canvas;
        DrawThinningBounds(canvas, d, run);
        EXPECT_EQ(canvas.primitives().empty(), method < 4);
        int shade = 0;
        for (const DrawnPrimitive& p : canvas.primitives()) {
            for (double x : {p.x1, p.x2}) EXPECT_TRUE(x > f.left && x < f.right);
            for (double y : {p.y1, p.y2}) EXPECT_TRUE(y > f.top && y < f.bottom);
            if (p.color == kBoundShadeColor) ++shade;
        }
        if (method >= 5) {
            EXPECT_GT(shade, 50);
        }
    }
}

}  // namespace
}  // namespace mk::test
