#include "core/basedata/data_check.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/graphics/recording_canvas.h"
#include "core/host/recording_messages.h"
#include "core/text/cp932.h"
#include "support/test_files.h"

namespace mk {
namespace {

using Kind = DrawnPrimitive::Kind;

SurveyDataSet AgeHeightSet(const std::vector<int>& ages, const std::vector<double>& heights) {
    SurveyDataSet set;
    for (size_t i = 0; i < ages.size(); ++i) {
        SurveyRecord r;
        r.number = static_cast<int>(i) + 1;
        r.standAge = ages[i];
        r.dominantHeight = heights[i];
        r.stemsPerHa = 1000 + static_cast<int>(i) * 10;
        r.confirmed = true;
        set.records.push_back(r);
    }
    set.count = static_cast<int>(set.records.size());
    return set;
}

// Heights on a straight line with a little deterministic scatter.
SurveyDataSet LineSet() {
    std::vector<int> ages;
    std::vector<double> heights;
    for (int i = 1; i <= 20; ++i) {
        ages.push_back(5 * i);
        heights.push_back(0.2 * (5 * i) + 5 + ((i * 37) % 11 - 5) * 0.05);
    }
    return AgeHeightSet(ages, heights);
}

// Heights growing from 5 to 100 with relative scatter: a large absolute
// residual at the top and a large ratio at the bottom each fail one test.
SurveyDataSet SpreadSet() {
    std::vector<int> ages;
    for (int i = 1; i <= 20; ++i) ages.push_back(i);
    std::vector<double> heights = {5.0,  10.2, 14.5, 20.0, 25.8, 29.3, 35.3, 41.6, 44.3, 50.8,
                                   52.8, 59.5, 66.6, 67.8, 75.0, 82.6, 83.0, 90.7, 98.8, 98.4 + 12};
    return AgeHeightSet(ages, heights);
}

TEST(DataCheck, PlantedOutliersCarryTheRightMark) {
    SurveyDataSet set = LineSet();
    set.records[9].dominantHeight += 8;  // fails both tests
    CheckState state;
    state.degreeChoice = 1;
    Examination result = ExaminePair(set, state);
    ASSERT_EQ(result.outcome, ExaminationOutcome::Fitted);
    EXPECT_EQ(result.listLines, std::vector<std::string>{"  10番の資料  要検討"});
    EXPECT_EQ(state.mark[9], 2);
    EXPECT_EQ(result.label3, "1 次式を採用しました。");

    SurveyDataSet spread = SpreadSet();
    CheckState second;
    second.degreeChoice = 1;
    result = ExaminePair(spread, second);
    ASSERT_EQ(result.outcome, ExaminationOutcome::Fitted);
    EXPECT_EQ(result.listLines,
              (std::vector<std::string>{"   1番の資料  注  意", "  20番の資料  注  意"}));
    EXPECT_EQ(result.reportLines,
              (std::vector<std::string>{" 林  齢 －上層樹高 についての吟味", "1次式を用いました。",
                                        "   1番の資料  注  意", "  20番の資料  注  意"}));
}

TEST(DataCheck, StraightLineKeepsTheFirstDegreeAndRecoversIt) {
    SurveyDataSet set = LineSet();
    CheckState state;  // 1～3
    Examination result = ExaminePair(set, state);
    ASSERT_EQ(result.outcome, ExaminationOutcome::Fitted);
    EXPECT_EQ(state.fit.degree, 1);
    EXPECT_NEAR(state.fit.coefficients[0], 5.0, 0.1);
    EXPECT_NEAR(state.fit.coefficients[1], 0.2, 0.002);
    EXPECT_EQ(result.reportLines[1], "１～３次式から 1 次式を採用しました。");
    EXPECT_TRUE(result.listLines.empty());
}

TEST(DataCheck, ExactLineIsAPerfectFitOfTheFirstDegree) {
    SurveyDataSet set = AgeHeightSet({10, 20, 30, 40, 50, 60}, {3, 5, 7, 9, 11, 13});
    CheckState state;
    Examination result = ExaminePair(set, state);
    ASSERT_EQ(result.outcome, ExaminationOutcome::Fitted);
    EXPECT_EQ(state.fit.degree, 1);
    EXPECT_EQ(result.reportLines[1], "１～３次式から 1 次式を採用しました。");
    EXPECT_TRUE(result.listLines.empty());
}

TEST(DataCheck, HigherDegreeIsTakenWhenItIsClearlyBetter) {
    std::vector<int> ages;
    std::vector<double> heights;
    for (int i = 1; i <= 15; ++i) {
        ages.push_back(i);
        heights.push_back(2 + 0.5 * i * i + ((i * 7) % 5 - 2) * 0.01);
    }
    SurveyDataSet set = AgeHeightSet(ages, heights);
    CheckState state;
    ASSERT_EQ(ExaminePair(set, state).outcome, ExaminationOutcome::Fitted);
    EXPECT_EQ(state.fit.degree, 2);
    EXPECT_NEAR(state.fit.coefficients[2], 0.5, 1e-3);
    EXPECT_NEAR(PolynomialValue(state.fit, 10.0), 52.0, 0.05);
}

TEST(DataCheck, RecordsWithAZeroInThePairAreLeftOut) {
    SurveyDataSet with = LineSet();
    with.records[9].dominantHeight += 8;
    SurveyRecord zero = with.records[0];
    zero.standAge = 0;
    zero.dominantHeight = 99;  // would be an outlier if it were used
    with.records.insert(with.records.begin(), zero);
    for (size_t i = 0; i < with.records.size(); ++i)
        with.records[i].number = static_cast<int>(i) + 1;
    with.count = static_cast<int>(with.records.size());
    CheckState state;
    state.degreeChoice = 1;
    Examination result = ExaminePair(with, state);
    EXPECT_EQ(state.mark[0], -1);
    EXPECT_EQ(state.fit.n, 20);
    EXPECT_EQ(result.listLines, std::vector<std::string>{"  11番の資料  要検討"});
    EXPECT_LT(state.Ymax, 30);  // the unusable 99 m is no extreme
}

class CheckReportTest : public ::testing::Test {
protected:
    std::string ReportText() {
        auto text = Cp932ToUtf8(test::ReadBytes(report.path()));
        return text ? *text : "<not code page 932>";
    }
    test::TempDir dir;
    RecordingMessages messages;
    CheckReport report;
    RecordingCanvas canvas;
};

TEST_F(CheckReportTest, EachPairIsReportedOnceAndTheReverseSeparately) {
    SurveyDataSet set = LineSet();
    set.records[9].dominantHeight += 8;
    CheckState state;
    state.degreeChoice = 1;
    ASSERT_TRUE(report.Create(dir.File("YIELD_AA.CHK"), dir.File("plots.dat"), messages));
    const std::pair<int, int> steps[] = {{0, 1}, {0, 1}, {1, 0}, {1, 0}, {0, 1}};
    for (auto [x, y] : steps) {
        state.xIndex = x;
        state.yIndex = y;
        RunExamination(set, state, &canvas, &report, messages, "cap");
    }
    EXPECT_TRUE(messages.shown().empty());
    const std::string expected =
        "ファイル名 plots.datに関するデータ吟味結果\r\n"
        " 林  齢 －上層樹高 についての吟味\r\n"
        "1次式を用いました。\r\n"
        "  10番の資料  要検討\r\n"
        "上層樹高－ 林  齢  についての吟味\r\n"
        "1次式を用いました。\r\n";
    const std::string text = ReportText();
    ASSERT_GE(text.size(), expected.size());
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_TRUE(state.pairWritten[0][1]);
    EXPECT_TRUE(state.pairWritten[1][0]);
}

TEST_F(CheckReportTest, SameVariableDrawsARedCrossAndReportsNothing) {
    SurveyDataSet set = LineSet();
    CheckState state;
    state.xIndex = 2;
    state.yIndex = 2;
    ASSERT_TRUE(report.Create(dir.File("YIELD_AA.CHK"), dir.File("plots.dat"), messages));
    Examination result = RunExamination(set, state, &canvas, &report, messages, "cap");
    EXPECT_EQ(result.outcome, ExaminationOutcome::SameVariable);
    EXPECT_TRUE(result.listLines.empty());
    EXPECT_TRUE(result.label3.empty());
    EXPECT_EQ(ReportText(), "ファイル名 plots.datに関するデータ吟味結果\r\n");
    auto lines = canvas.OfKind(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    for (const auto& line : lines) EXPECT_EQ(line.color, colors::Red);
    EXPECT_EQ(lines[0].x1, 0);
    EXPECT_EQ(lines[0].x2, 560);
    EXPECT_TRUE(canvas.OfKind(Kind::Circle).empty());
    EXPECT_FALSE(state.pairWritten[2][2]);
    EXPECT_EQ(CheckPairDescription(2, 2), "グラフを表示できません。");
}

TEST_F(CheckReportTest, DataThatCannotBeFittedShowOneMessageAndWriteNothing) {
    CheckState state;
    ASSERT_TRUE(report.Create(dir.File("YIELD_AA.CHK"), dir.File("plots.dat"), messages));
    struct Case {
        const char* name;
        SurveyDataSet set;
        int degreeChoice;
    };
    std::vector<Case> cases = {
        {"all ages equal", AgeHeightSet({20, 20, 20, 20, 20, 20}, {10, 11, 12, 13, 14, 15}), 1},
        {"too few records for a cubic", AgeHeightSet({10, 20, 30, 40}, {8, 12, 15, 17}), 4},
        {"no usable record", AgeHeightSet({0, 0, 0}, {10, 11, 12}), 1},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        state.degreeChoice = c.degreeChoice;
        Examination result = RunExamination(c.set, state, &canvas, &report, messages,
                                            "a.dat －調査値データチェック処理");
        EXPECT_EQ(result.outcome, ExaminationOutcome::CannotFit);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].text, "このデータではあてはめできません。");
        EXPECT_EQ(messages.shown()[0].title, "a.dat －調査値データチェック処理");
        EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Error);
        EXPECT_FALSE(state.pairWritten[0][1]);
        for (int mark : state.mark) EXPECT_LE(mark, 0);
    }
    EXPECT_EQ(ReportText(), "ファイル名 plots.datに関するデータ吟味結果\r\n");
}

TEST_F(CheckReportTest, AReportThatCannotBeWrittenIsReportedAndClosed) {
    RecordingMessages local;
    EXPECT_FALSE(report.Create(dir.File("missing/YIELD_AA.CHK"), "a.dat", local));
    ASSERT_EQ(local.shown().size(), 1u);
    EXPECT_EQ(local.shown()[0].title, "ファイル書き込みエラー");
    EXPECT_FALSE(report.isOpen());
}

TEST(CheckGraph, PointsCurveAndColouredFlags) {
    SurveyDataSet set = LineSet();
    set.records[9].dominantHeight += 8;
    CheckState state;
    state.degreeChoice = 1;
    RecordingCanvas canvas;
    Examination result = ExaminePair(set, state);
    DrawCheckGraph(canvas, state, result.outcome);
    auto boxes = canvas.OfKind(Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].x1, 120);
    EXPECT_EQ(boxes[0].y1, 20);
    EXPECT_EQ(boxes[0].x2, 520);
    EXPECT_EQ(boxes[0].y2, 420);
    int points = 0, flags = 0;
    for (const auto& c : canvas.OfKind(Kind::Circle)) {
        if (c.radius == 4) {
            ++points;
            EXPECT_GE(c.x1, 120 - 1e-9);
            EXPECT_LE(c.x1, 520 + 1e-9);
        }
        if (c.radius == 5) {
            ++flags;
            EXPECT_EQ(c.color, colors::Red);
            EXPECT_EQ(c.fillColor, colors::Red);
            EXPECT_EQ(c.fillStyle, FillStyle::Solid);
            EXPECT_NEAR(c.x1, 120 + (50 - 5) * 400.0 / 95, 1e-9);
            EXPECT_NEAR(c.y1, 420 - (set.records[9].dominantHeight - state.Ymin) * state.sy, 1e-9);
        }
    }
    EXPECT_EQ(points, 20);
    EXPECT_EQ(flags, 1);
    auto texts = canvas.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "10"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "5"), texts.end());    // Xmin
    EXPECT_NE(std::find(texts.begin(), texts.end(), "100"), texts.end());  // Xmax
    EXPECT_FALSE(canvas.OfKind(Kind::Line).empty());                       // the polynomial
    EXPECT_EQ(canvas.GetFillStyle(), FillStyle::Transparent);
}

TEST(CheckNames, ReportAndWindowNames) {
    EXPECT_EQ(CheckReportName(1), " 林  齢 ");
    EXPECT_EQ(CheckReportName(4), "幹 材 積");
    EXPECT_EQ(CheckReportName(8), " e r r o r ");
    EXPECT_EQ(CheckReportName(0), " e r r o r ");
    EXPECT_EQ(CheckPairDescription(0, 1), "林齢－上層樹高 についての吟味");
}

}  // namespace
}  // namespace mk
