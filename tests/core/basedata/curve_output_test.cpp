#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/basedata/curve_graph.h"
#include "core/basedata/parameter_files.h"
#include "core/graphics/recording_canvas.h"
#include "core/host/recording_messages.h"
#include "core/model/par_hnp_files.h"
#include "core/text/cp932.h"
#include "support/test_files.h"

namespace mk {
namespace {

using Kind = DrawnPrimitive::Kind;

FitResult SiteResult() {
    FitResult r;
    r.status = FitStatus::Converged;
    r.code = kGompertz;
    r.para = {29.68751234, 1.0395, 0.02645184, 0};
    r.bandCoefficient = 0.1366045;
    r.bestSS = 309.2863;
    return r;
}

TEST(CurveParameterFile, ParTextAfterAnAutomaticSelection) {
    const std::string text =
        CurveParameterText(CurveMode::SiteCurve, "sugi.dat", SiteResult(), true);
    EXPECT_EQ(text,
              "上層樹高生長曲線計算結果\r\n"
              "ファイル名, sugi.dat\r\n"
              " 3 ＧOMPERTZ式      （最適曲線）\r\n"
              "PARAMETER(1)   =  2.968751E+01\r\n"
              "PARAMETER(2)   =  1.039500E+00\r\n"
              "PARAMETER(3)   =  2.645184E-02\r\n"
              "変 動 帯 係 数 =  1.366045E-01\r\n"
              "残 差 平 方 和 =  3.092863E+02\r\n");
    const std::string single =
        CurveParameterText(CurveMode::SiteCurve, "sugi.dat", SiteResult(), false);
    EXPECT_NE(single.find(" 3 ＧOMPERTZ式      \r\n"), std::string::npos);
}

TEST(CurveParameterFile, WrittenFilesReadBackToTheSameValues) {
    test::TempDir dir;
    RecordingMessages messages;
    const std::string dat = dir.File("plots.dat");
    const std::string first =
        WriteCurveParameterFile(CurveMode::SiteCurve, dat, SiteResult(), true, messages);
    EXPECT_EQ(first, dir.File("YIELD_AA.PAR"));
    const std::string second =
        WriteCurveParameterFile(CurveMode::SiteCurve, dat, SiteResult(), false, messages);
    EXPECT_EQ(second, dir.File("YIELD_AB.PAR"));

    HeightCurveParameters curve;
    ASSERT_TRUE(ReadParFile(first, curve, messages));
    EXPECT_EQ(curve.CurveKind, kGompertz);
    EXPECT_DOUBLE_EQ(curve.CurveM, 29.68751);
    EXPECT_DOUBLE_EQ(curve.CurveB, 1.0395);
    EXPECT_DOUBLE_EQ(curve.CurveK, 0.02645184);
    EXPECT_DOUBLE_EQ(curve.BandCoefficient, 0.1366045);
    EXPECT_DOUBLE_EQ(curve.ResidualSumOfSquares, 309.2863);
    EXPECT_EQ(curve.HeightCurveSource, dir.File("plots.dat"));

    FitResult stems;
    stems.para = {2644.171, 6.247623, 0.1249646, 3130.909};
    stems.bestSS = 1238539;
    const std::string hnpPath =
        WriteCurveParameterFile(CurveMode::HeightStemCurve, dat, stems, false, messages);
    EXPECT_EQ(hnpPath, dir.File("YIELD_AA.HNP"));
    auto text = Cp932ToUtf8(test::ReadBytes(hnpPath));
    ASSERT_TRUE(text);
    EXPECT_EQ(*text,
              "上層樹高－本数曲線式\r\nplots.dat\r\n"
              "PARAMETER(1)   =  2.644171E+03\r\n"
              "PARAMETER(2)   =  6.247623E+00\r\n"
              "PARAMETER(3)   =  1.249646E-01\r\n"
              "PARAMETER(4)   =  3.130909E+03\r\n"
              "残 差 平 方 和 =  1.238539E+06\r\n");
    HnpParameters hnp;
    ASSERT_TRUE(ReadHnpFile(hnpPath, hnp, messages));
    EXPECT_DOUBLE_EQ(hnp.P1, 2644.171);
    EXPECT_DOUBLE_EQ(hnp.P4, 3130.909);
    EXPECT_TRUE(messages.shown().empty());
}

TEST(CurveParameterFile, UnwritableFolderIsReportedAndNothingClaimed) {
    test::TempDir dir;
    RecordingMessages messages;
    const std::string path = WriteCurveParameterFile(
        CurveMode::SiteCurve, dir.File("gone/plots.dat"), SiteResult(), true, messages);
    EXPECT_TRUE(path.empty());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "ファイル書き込みエラー");
}

FitData TwoPlots() {
    FitData data;
    data.X = {10, 30};
    data.Y = {8, 20};
    data.n = 2;
    data.Xmin = 10;
    data.Xmax = 30;
    return data;
}

TEST(CurveGraph, FrameHasAxesTicksPointsAndTitle) {
    RecordingCanvas canvas;
    DrawCurveFrame(canvas, CurveMode::HeightStemCurve, TwoPlots(), "plots.dat");
    auto texts = canvas.Texts();
    for (const char* label :
         {"0", "20", "100", "   2000", "  10000", "上層樹高（ｍ）", "plots.dat"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
    auto circles = canvas.OfKind(Kind::Circle);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].x1, 140 + 10 * 4);
    EXPECT_EQ(circles[0].y1, 412 - 8 * 0.04);
    EXPECT_EQ(circles[0].radius, 2);
    auto lines = canvas.OfKind(Kind::Line);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].x2, 540);  // X axis 400 pixels long
    EXPECT_EQ(lines[1].y2, 12);   // Y axis 400 pixels high
    for (const auto& t : canvas.OfKind(Kind::Text))
        if (t.text == "plots.dat") {
            EXPECT_EQ(t.x1, 180);
            EXPECT_EQ(t.y1, 2);
        }
}

TEST(CurveGraph, SiteCurveWithBandLegendStarAndAnnotation) {
    RecordingCanvas canvas;
    const FitData data = TwoPlots();
    FitResult fit = SiteResult();
    DrawFittedCurve(canvas, CurveMode::SiteCurve, data, fit);
    const Color blue = 16711680;
    // Three polylines of 23 points each (x = 9 .. 31): the curve and its band.
    int points = 0, segments = 0;
    for (const auto& p : canvas.primitives()) {
        if (p.kind == Kind::Point && p.color == blue) ++points;
        if (p.kind == Kind::Line && p.color == blue) ++segments;
    }
    EXPECT_EQ(points, 3);
    EXPECT_EQ(segments, 3 * 22 + 1);  // and the legend's short line
    auto texts = canvas.OfKind(Kind::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, "ＧOMPERTZ式");
    EXPECT_EQ(texts.back().color, blue);
    EXPECT_EQ(texts.back().x1, 460);
    EXPECT_EQ(texts.back().y1, -8 + 3 * 20);

    DrawChosenMark(canvas, CurveMode::SiteCurve, kGompertz);
    texts = canvas.OfKind(Kind::Text);
    EXPECT_EQ(texts.back().text, "★");
    EXPECT_EQ(texts.back().x1, 460 - 45);

    DrawParameterAnnotation(canvas, CurveMode::SiteCurve, fit);
    auto all = canvas.Texts();
    for (const char* s :
         {"PARAMETER(1)=", "変動帯係数=", "残差平方和=", "2.968751E+01", "1.366045E-01"})
        EXPECT_NE(std::find(all.begin(), all.end(), s), all.end()) << s;
    EXPECT_EQ(FunctionColor(CurveMode::SiteCurve, 2), 0 + 128 * 256 + 64 * 65536);
    EXPECT_EQ(FunctionColor(CurveMode::HeightStemCurve, 3), 255);
}

TEST(CurveGraph, StemCurveHasNoBandAndLabelsItsFourthParameter) {
    RecordingCanvas canvas;
    FitData data = TwoPlots();
    FitResult fit;
    fit.para = {2644.171, 6.247623, 0.1249646, 3130.909};
    DrawFittedCurve(canvas, CurveMode::HeightStemCurve, data, fit);
    EXPECT_EQ(canvas.OfKind(Kind::Point).size(), 1u);
    DrawParameterAnnotation(canvas, CurveMode::HeightStemCurve, fit);
    auto all = canvas.Texts();
    EXPECT_NE(std::find(all.begin(), all.end(), "PARAMETER(4)="), all.end());
    EXPECT_NE(std::find(all.begin(), all.end(), "ＧOMPERTZ式変形"), all.end());
    EXPECT_EQ(std::find(all.begin(), all.end(), "変動帯係数="), all.end());
}

}  // namespace
}  // namespace mk
