// The survey data check window: pairs stepped through with the arrows, the
// marks listed, and the check report compared with the one the check engine
// writes for the same pairs.

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QListWidget>
#include <filesystem>
#include <sstream>

#include "app/basedata/form_1datachk.h"
#include "app/basedata/graph_picture.h"
#include "app_test_support.h"
#include "cli/command_registry.h"
#include "core/host/recording_messages.h"

namespace mk::app::test {
namespace {

using mk::test::ReadBytes;

QStringList ListLines(QWidget& w) {
    QStringList lines;
    auto* list = Find<QListWidget>(w, "List1");
    for (int i = 0; list && i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

// The report the engine writes for these pairs, in a folder of its own.
std::string ExpectedReport(const std::string& dat, int degreeChoice,
                           const std::vector<std::pair<int, int>>& pairs) {
    mk::test::TempDir other;
    RecordingMessages messages;
    SurveyDataSet set;
    EXPECT_TRUE(ReadSurveyFile(dat, set, messages));
    CheckReport report;
    EXPECT_TRUE(report.Create(other.File("expected.CHK"), dat, messages));
    CheckState state;
    state.degreeChoice = degreeChoice;
    for (const auto& [x, y] : pairs) {
        state.xIndex = x;
        state.yIndex = y;
        RunExamination(set, state, nullptr, &report, messages, "check");
    }
    return ReadBytes(other.File("expected.CHK"));
}

// The report the batch tool writes for the same pairs.
std::string BatchCheck(const std::string& dat, const std::string& pairs,
                       const std::string& degree) {
    mk::test::TempDir other;
    const std::string copy = other.File("sugi_survey.dat");
    std::filesystem::copy_file(dat, copy);
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCli({"check", copy, "--pairs", pairs, "--degree", degree}, out, err), 0)
        << err.str();
    std::string path = out.str();
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
    return ReadBytes(path);
}

TEST(DataCheckWindow, StartsWithoutDataWithTheBestOfThreeDegrees) {
    AppFixture f;
    Form_1DATACHK w(*f.context);
    EXPECT_EQ(w.windowTitle().toStdString(), "調査値データチェック処理");
    EXPECT_EQ(TextOf(w, "Label_Desc"), "DATファイルのデータを吟味します。");
    EXPECT_TRUE(w.findChild<QAction*>("mnuDimension4")->isChecked());
    EXPECT_FALSE(IsEnabled(w, "Command1F"));
    EXPECT_FALSE(w.findChild<QAction*>("mnuFileCLOSE")->isEnabled());
}

TEST(DataCheckWindow, PairsSteppedThroughWriteTheEnginesReport) {
    AppFixture f;
    Form_1DATACHK w(*f.context);
    w.show();
    f.scripted.files.Choose(QString::fromStdString(f.dat));
    TriggerMenu(w, "mnuFileOPEN");
    EXPECT_EQ(w.windowTitle().toStdString(), f.dat + " －調査値データチェック処理");
    EXPECT_EQ(TextOf(w, "Label_Desc"), "sugi_survey.dat  データ数：   60");
    EXPECT_EQ(TextOf(w, "Text1"), "林齢");
    EXPECT_EQ(TextOf(w, "Text2"), "上層樹高");
    EXPECT_EQ(TextOf(w, "Label_Desc2"), "林齢－上層樹高 についての吟味");
    ASSERT_TRUE(w.report().isOpen());
    EXPECT_EQ(w.report().path(), f.folder.File("YIELD_AA.CHK"));

    Click(w, "Command2F");  // 林齢 - 立木本数
    Click(w, "Command1F");  // 上層樹高 - 立木本数
    Click(w, "Command2B");  // 上層樹高 - 上層樹高: nothing to examine
    EXPECT_EQ(TextOf(w, "Label_Desc2"), "グラフを表示できません。");
    EXPECT_TRUE(ListLines(w).isEmpty());
    EXPECT_EQ(TextOf(w, "Label3"), "");
    Click(w, "Command1B");  // 林齢 - 上層樹高 again: written once
    Click(w, "Command1B");  // stays at 林齢, examined again
    EXPECT_EQ(TextOf(w, "Text1"), "林齢");

    const std::string expected =
        ExpectedReport(f.dat, 4, {{0, 1}, {0, 2}, {1, 2}, {1, 1}, {0, 1}, {0, 1}});
    EXPECT_EQ(ReadBytes(w.report().path()), expected);
    EXPECT_EQ(ReadBytes(w.report().path()), BatchCheck(f.dat, "0:1,0:2,1:2,1:1,0:1,0:1", "auto"));
    // The list shows the marks of the pair on screen, as in the report.
    for (const QString& line : ListLines(w)) {
        EXPECT_NE(expected.find(mk::test::Sjis(line.toStdString())), std::string::npos);
    }
}

TEST(DataCheckWindow, DegreeChoiceReExaminesAndIsReported) {
    AppFixture f;
    Form_1DATACHK w(*f.context);
    f.scripted.files.Choose(QString::fromStdString(f.dat));
    TriggerMenu(w, "mnuFileOPEN");
    TriggerMenu(w, "mnuDimension2");
    EXPECT_TRUE(w.findChild<QAction*>("mnuDimension2")->isChecked());
    EXPECT_FALSE(w.findChild<QAction*>("mnuDimension4")->isChecked());
    EXPECT_EQ(TextOf(w, "Label3"), "2 次式を採用しました。");
    // 林齢 - 上層樹高 was written with the first degree choice only.
    Click(w, "Command2F");
    std::string expected = ExpectedReport(f.dat, 4, {{0, 1}});
    const std::string second = ExpectedReport(f.dat, 2, {{0, 2}});
    expected += second.substr(second.find("\r\n") + 2);
    EXPECT_EQ(ReadBytes(w.report().path()), expected);
    EXPECT_NE(expected.find(mk::test::Sjis("2次式を用いました。")), std::string::npos);
}

TEST(DataCheckWindow, AFileThatIsNotSurveyDataLeavesTheWindowWithoutData) {
    AppFixture f;
    Form_1DATACHK w(*f.context);
    f.scripted.files.Choose(QString::fromStdString(f.prm));
    TriggerMenu(w, "mnuFileOPEN");
    EXPECT_EQ(f.scripted.messages.shown().at(0).title, "DATファイル読み込みエラー");
    EXPECT_EQ(w.windowTitle().toStdString(), "調査値データチェック処理");
    EXPECT_FALSE(IsEnabled(w, "Command1F"));
    EXPECT_FALSE(w.report().isOpen());
}

TEST(DataCheckWindow, ClosingTheFileClosesTheReport) {
    AppFixture f;
    Form_1DATACHK w(*f.context);
    f.scripted.files.Choose(QString::fromStdString(f.dat));
    TriggerMenu(w, "mnuFileOPEN");
    ASSERT_TRUE(w.report().isOpen());
    TriggerMenu(w, "mnuFileCLOSE");
    EXPECT_FALSE(w.report().isOpen());
    EXPECT_EQ(f.context->SurveyData.count, 0);
    EXPECT_EQ(TextOf(w, "Label_Desc"), "DATファイルのデータを吟味します。");
    // A second file gets a report of its own.
    f.scripted.files.Choose(QString::fromStdString(f.dat));
    TriggerMenu(w, "mnuFileOPEN");
    EXPECT_EQ(w.report().path(), f.folder.File("YIELD_AB.CHK"));
}

}  // namespace
}  // namespace mk::app::test

namespace mk::app::test {
namespace {

bool HasRed(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(255, 0, 0)) return true;
    return false;
}

TEST(DataCheckWindow, SameVariableTwiceDrawsTheRedCross) {
    AppFixture f;
    Form_1DATACHK w(*f.context);
    f.scripted.files.Choose(QString::fromStdString(f.dat));
    TriggerMenu(w, "mnuFileOPEN");
    const size_t before = w.report().lines().size();
    EXPECT_FALSE(HasRed(w.picture().shown().image()));
    Click(w, "Command1F");  // 上層樹高 - 上層樹高
    EXPECT_TRUE(HasRed(w.picture().shown().image()));
    EXPECT_EQ(w.report().lines().size(), before);
    EXPECT_TRUE(ListLines(w).isEmpty());
}

TEST(DataCheckWindow, DataThatCannotBeFittedAreReportedAndNotWritten) {
    AppFixture f;
    SurveyDataSet set;
    for (int i = 1; i <= 5; ++i) {
        SurveyRecord r;
        r.number = i;
        r.plot = i;
        r.dominantHeight = 10 + i;
        r.stemsPerHa = 1000;
        r.standAge = 20;  // every age equal
        set.records.push_back(r);
    }
    set.count = 5;
    const std::string path = f.folder.File("flat.dat");
    ASSERT_TRUE(WriteSurveyFile(path, set, f.scripted.messages));
    Form_1DATACHK w(*f.context);
    f.scripted.files.Choose(QString::fromStdString(path));
    TriggerMenu(w, "mnuFileOPEN");
    EXPECT_EQ(LastMessage(f.scripted), "このデータではあてはめできません。");
    EXPECT_EQ(f.scripted.messages.shown().back().title, path + " －調査値データチェック処理");
    EXPECT_EQ(w.report().lines().size(), 1u);
    EXPECT_TRUE(ListLines(w).isEmpty());
}

TEST(DataCheckWindow, GraphIsSavedWholeWithItsAxisValues) {
    AppFixture f;
    Form_1DATACHK w(*f.context);
    EXPECT_FALSE(w.findChild<QAction*>("mnuFileGSave")->isEnabled());
    f.scripted.files.Choose(QString::fromStdString(f.dat));
    TriggerMenu(w, "mnuFileOPEN");
    const std::string path = f.folder.File("check");
    f.scripted.files.Choose(QString::fromStdString(path));
    TriggerMenu(w, "mnuFileGSave");
    // Saved under the name typed, with the picture's extension.
    const QImage saved(QString::fromStdString(path + ".bmp"));
    ASSERT_FALSE(saved.isNull());
    const auto* picture = Find<GraphPicture>(w, "Picture1");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(saved, picture->shown().image().convertToFormat(saved.format()));
    // The X values and the X name stand below the 420 pixels of the plot.
    bool below = false;
    for (int y = 422; y < saved.height() && !below; ++y)
        for (int x = 0; x < saved.width() && !below; ++x) below = qGray(saved.pixel(x, y)) < 128;
    EXPECT_TRUE(below);
}

TEST(DataCheckWindow, AFileWithoutRecordsSaysSo) {
    AppFixture f;
    SurveyDataSet empty;
    const std::string path = f.folder.File("empty.dat");
    ASSERT_TRUE(WriteSurveyFile(path, empty, f.scripted.messages));
    Form_1DATACHK w(*f.context);
    f.scripted.files.Choose(QString::fromStdString(path));
    TriggerMenu(w, "mnuFileOPEN");
    EXPECT_EQ(LastMessage(f.scripted), "読み込む資料がありません。（資料数：0）");
    EXPECT_EQ(f.scripted.messages.shown().back().title, "DATファイル読み込みエラー");
    EXPECT_FALSE(w.findChild<QAction*>("mnuFileCLOSE")->isEnabled());
}

}  // namespace
}  // namespace mk::app::test
