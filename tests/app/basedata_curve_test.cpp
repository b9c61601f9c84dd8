// The curve determination window: the survey file is fitted as the user
// asks, and the parameter file written is the one the fitting engine gives
// for the same data and starting values.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <filesystem>
#include <sstream>

#include "app/basedata/form_1heightcurve.h"
#include "app/basedata/graph_picture.h"
#include "app_test_support.h"
#include "cli/command_registry.h"
#include "core/basedata/curve_graph.h"
#include "core/basedata/parameter_files.h"
#include "core/text/number_format.h"
#include "core/text/paths.h"

namespace mk::app::test {
namespace {

using mk::test::ReadBytes;
using mk::test::Sjis;

void Open(AppFixture& f, Form_1HEIGHTCURVE& w, const std::string& path) {
    f.scripted.files.Choose(QString::fromStdString(path));
    TriggerMenu(w, "mnuFileOPEN");
}

void Type(QWidget& w, int box, const QString& text) {
    const std::string name = "Text" + std::to_string(box);
    TypeText(w, name.c_str(), text);
    if (auto* edit = Find<QLineEdit>(w, name.c_str())) emit edit->editingFinished();
}

// Whether any pixel of the picture has the colour (BGR, as the graphs use).
bool HasColour(const QImage& image, Color colour) {
    const QColor wanted(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == wanted) return true;
    return false;
}

FitData ExampleData(AppFixture& f, CurveMode mode) {
    SurveyDataSet set;
    EXPECT_TRUE(ReadSurveyFile(f.dat, set, f.scripted.messages));
    return BuildFitData(mode, set);
}

TEST(CurveWindow, LoadsWithoutDataInEitherMode) {
    AppFixture f;
    Form_1HEIGHTCURVE site(*f.context, CurveMode::SiteCurve);
    EXPECT_EQ(site.windowTitle().toStdString(), "地位別上層樹高曲線式の決定");
    EXPECT_EQ(TextOf(site, "Label_Desc"),
              "DATファイルデータを使用して地位別上層樹高曲線式を決定します。");
    EXPECT_EQ(TextOf(site, "Label4"), "変動帯係数");
    EXPECT_TRUE(site.findChild<QAction*>("mnuOptionT4")->isChecked());
    EXPECT_FALSE(IsEnabled(site, "Command_GO"));
    EXPECT_FALSE(site.findChild<QAction*>("mnuFileCLOSE")->isEnabled());
    Form_1HEIGHTCURVE stems(*f.context, CurveMode::HeightStemCurve);
    EXPECT_EQ(stems.windowTitle().toStdString(), "上層樹高－本数曲線式の決定");
    EXPECT_FALSE(stems.findChild<QMenu*>("mnuOption")->isEnabled());
    EXPECT_TRUE(stems.findChild<QAction*>("mnuOptionT1")->isChecked());
}

TEST(CurveWindow, AutomaticSelectionWritesTheBestSiteCurve) {
    AppFixture f;
    Form_1HEIGHTCURVE w(*f.context, CurveMode::SiteCurve);
    Open(f, w, f.dat);
    EXPECT_EQ(w.windowTitle().toStdString(), f.dat + " －地位別上層樹高曲線式の決定");
    EXPECT_EQ(TextOf(w, "Label_Desc"), "sugi_survey.dat  データ数：   60");
    EXPECT_EQ(TextOf(w, "Label_Desc2"), "３式から残差平方和最小のものを選びます。");
    EXPECT_EQ(TextOf(w, "Label3x"), "ＭITSCHERLICH式のPARAMETER(1)～(3)を入力して下さい。");
    Click(w, "Check1");
    EXPECT_EQ(TextOf(w, "Label3x"),
              "PARAMETER(1)～(3)は自動で設定されます。\n計算を開始できます。");
    EXPECT_FALSE(Find<QLineEdit>(w, "Text1")->isEnabled());
    Click(w, "Command_GO");

    NullEventPump pump;
    FitControl control;
    control.pump = &pump;
    const SelectionResult expected =
        SelectBestFunction(ExampleData(f, CurveMode::SiteCurve), nullptr, control);
    ASSERT_EQ(expected.status, FitStatus::Converged);
    ASSERT_EQ(w.writtenFiles().size(), 1u);
    EXPECT_EQ(w.writtenFiles()[0], f.folder.File("YIELD_AA.PAR"));
    EXPECT_EQ(
        ReadBytes(w.writtenFiles()[0]),
        Sjis(CurveParameterText(CurveMode::SiteCurve, "sugi_survey.dat", expected.best, true)));
    EXPECT_EQ(ReadBytes(w.writtenFiles()[0]), BatchFit(f.dat, {"--curve", "site"}));
    const std::string name = FunctionName(CurveMode::SiteCurve, expected.best.code);
    EXPECT_EQ(TextOf(w, "Label3x"), name + " を採用しました。");
    EXPECT_EQ(TextOf(w, "Label_Desc2"), name);
    EXPECT_EQ(TextOf(w, "Label_CalcSTR"),
              FunctionFormula(CurveMode::SiteCurve, expected.best.code));
    EXPECT_FALSE(IsEnabled(w, "Command_GO"));
    EXPECT_TRUE(IsEnabled(w, "Check1"));
    // Every function's curve is on the graph.
    for (int code = 1; code <= 3; ++code) {
        EXPECT_TRUE(
            HasColour(w.picture().shown().image(), FunctionColor(CurveMode::SiteCurve, code)))
            << code;
    }
}

TEST(CurveWindow, StemCurveIsFittedFromAutomaticStartingValues) {
    AppFixture f;
    Form_1HEIGHTCURVE w(*f.context, CurveMode::HeightStemCurve);
    Open(f, w, f.dat);
    EXPECT_EQ(TextOf(w, "Label_Desc2"), "ＧOMPERTZ式変形を使用します。");
    EXPECT_EQ(TextOf(w, "Label_CalcSTR"), "Y=PARA(4)-PARA(1)*EXP(-PARA(2)*EXP(-PARA(3)*X))");
    Click(w, "Check1");
    Click(w, "Command_GO");

    const FitData data = ExampleData(f, CurveMode::HeightStemCurve);
    CurveParameters start{};
    ASSERT_TRUE(EstimateInitialValues(CurveMode::HeightStemCurve, kMitscherlich, data, start));
    NullEventPump pump;
    FitControl control;
    control.pump = &pump;
    const FitResult expected =
        FitCurve(CurveMode::HeightStemCurve, kMitscherlich, data, start, control);
    ASSERT_EQ(expected.status, FitStatus::Converged);
    ASSERT_EQ(w.writtenFiles().size(), 1u);
    EXPECT_EQ(w.writtenFiles()[0], f.folder.File("YIELD_AA.HNP"));
    EXPECT_EQ(
        ReadBytes(w.writtenFiles()[0]),
        Sjis(CurveParameterText(CurveMode::HeightStemCurve, "sugi_survey.dat", expected, false)));
    EXPECT_EQ(ReadBytes(w.writtenFiles()[0]), BatchFit(f.dat, {"--curve", "hnp"}));
    EXPECT_EQ(TextOf(w, "Label3x"), "ＧOMPERTZ式変形 の計算が完了しました。");
    EXPECT_EQ(TextOf(w, "Text5"), FormatNumber(expected.bestSS, "0.000000E+00"));
}

TEST(CurveWindow, SingleFunctionFromTypedValuesAndTheZeroProductGuard) {
    AppFixture f;
    Form_1HEIGHTCURVE w(*f.context, CurveMode::SiteCurve);
    Open(f, w, f.dat);
    TriggerMenu(w, "mnuOptionT1");
    EXPECT_EQ(TextOf(w, "Label_Desc2"), "ＭITSCHERLICH式を使用します。");
    EXPECT_EQ(TextOf(w, "Label3x"), "PARAMETER(1)～(3)を入力して下さい。");
    EXPECT_FALSE(IsEnabled(w, "Command_GO"));
    Type(w, 1, "30");
    Type(w, 2, "0.9");
    EXPECT_FALSE(IsEnabled(w, "Command_GO"));
    Type(w, 3, "abc");
    EXPECT_EQ(TextOf(w, "Text3"), "0.000000E+00");
    Type(w, 3, "0.03");
    EXPECT_TRUE(IsEnabled(w, "Command_GO"));
    EXPECT_EQ(TextOf(w, "Text1"), "3.000000E+01");
    Click(w, "Command_GO");

    NullEventPump pump;
    FitControl control;
    control.pump = &pump;
    const FitResult expected =
        FitCurve(CurveMode::SiteCurve, kMitscherlich, ExampleData(f, CurveMode::SiteCurve),
                 {30, 0.9, 0.03, 0}, control);
    ASSERT_EQ(expected.status, FitStatus::Converged);
    ASSERT_EQ(w.writtenFiles().size(), 1u);
    EXPECT_EQ(ReadBytes(w.writtenFiles()[0]),
              Sjis(CurveParameterText(CurveMode::SiteCurve, "sugi_survey.dat", expected, false)));
    EXPECT_EQ(ReadBytes(w.writtenFiles()[0]),
              BatchFit(f.dat, {"--curve", "site", "--function", "1", "--init", "30,0.9,0.03"}));
    EXPECT_EQ(TextOf(w, "Text4"), FormatNumber(expected.bandCoefficient, "0.000000E+00"));
    // Finished: a new start needs fresh starting values.
    EXPECT_FALSE(IsEnabled(w, "Command_GO"));
    Type(w, 1, "31");
    EXPECT_TRUE(IsEnabled(w, "Command_GO"));
}

TEST(CurveWindow, ManualSelectionAsksForTheNextFunctionsValues) {
    AppFixture f;
    Form_1HEIGHTCURVE w(*f.context, CurveMode::SiteCurve);
    Open(f, w, f.dat);
    Type(w, 1, "30");
    Type(w, 2, "0.9");
    Type(w, 3, "0.03");
    Click(w, "Command_GO");
    EXPECT_EQ(TextOf(w, "Label3x"),
              "ＭITSCHERLICH式 "
              "の計算が完了しました。\n\nlogistic式のPARAMETER(1)～(3)を入力して下さい。");
    // The formula is the one whose starting values are asked for, and no
    // value of the finished function stands beside them.
    EXPECT_EQ(TextOf(w, "Label_CalcSTR"), FunctionFormula(CurveMode::SiteCurve, kLogistic));
    EXPECT_EQ(TextOf(w, "Text4"), "");
    EXPECT_EQ(TextOf(w, "Text5"), "");
    EXPECT_TRUE(w.writtenFiles().empty());
    EXPECT_TRUE(IsEnabled(w, "Command_GO"));
}

TEST(CurveWindow, FileWithoutUsablePairsIsRefused) {
    AppFixture f;
    SurveyDataSet set;
    SurveyRecord r;
    r.number = 1;
    r.plot = 1;
    r.stemsPerHa = 1000;  // no age, no height
    set.records = {r};
    set.count = 1;
    const std::string path = f.folder.File("empty_pairs.dat");
    ASSERT_TRUE(WriteSurveyFile(path, set, f.scripted.messages));
    Form_1HEIGHTCURVE w(*f.context, CurveMode::SiteCurve);
    Open(f, w, path);
    EXPECT_EQ(LastMessage(f.scripted), "empty_pairs.dat に有効なデータがありません。");
    EXPECT_EQ(f.scripted.messages.shown().back().title, "DATファイル読み込み中止");
    EXPECT_FALSE(IsEnabled(w, "Command_GO"));
    EXPECT_EQ(f.context->SurveyData.count, 0);
}

// Processes the window's events at every checkpoint of the search, slowly
// enough that the 100 ms timer passes the stop on before the fit ends.
class SlowPump final : public EventPump {
public:
    void Pump() override {
        QThread::msleep(2);
        QCoreApplication::processEvents();
    }
};

TEST(CurveWindow, StopDuringTheSecondFunctionKeepsTheFirstAndWritesNothing) {
    AppFixture f;
    SlowPump pump;
    f.context->services.pump = &pump;
    Form_1HEIGHTCURVE w(*f.context, CurveMode::SiteCurve);
    w.show();
    Open(f, w, f.dat);
    Click(w, "Check1");
    // Stop as soon as the second function has started.
    bool stopped = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!stopped && TextOf(w, "Label3x").rfind("ＭITSCHERLICH式 の計算が完了", 0) == 0) {
            auto* cancel = Find<QPushButton>(w, "Command_Cancel");
            if (cancel->isVisible() && cancel->isEnabled()) {
                cancel->click();
                stopped = true;
            }
        }
    });
    watch.start(1);
    Click(w, "Command_GO");
    watch.stop();
    ASSERT_TRUE(stopped);
    EXPECT_EQ(TextOf(w, "Label3x"), "logistic式 の計算を中断しました。");
    // The first function's band and residual sum do not stand beside the
    // interrupted function's parameters.
    EXPECT_EQ(TextOf(w, "Text4"), "");
    EXPECT_EQ(TextOf(w, "Text5"), "");
    EXPECT_TRUE(w.writtenFiles().empty());
    EXPECT_FALSE(IsEnabled(w, "Command_GO"));
    EXPECT_FALSE(Find<QWidget>(w, "Command_Cancel")->isVisible());
    // Refreshed starting values restart at that function.
    Click(w, "Check1");
    Click(w, "Check1");
    EXPECT_TRUE(IsEnabled(w, "Command_GO"));
}

}  // namespace
}  // namespace mk::app::test

namespace mk::app::test {
namespace {

// Whether the image has any dark pixel (text or lines) in the rectangle.
bool Drawn(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom() && y < image.height(); ++y)
        for (int x = area.left(); x <= area.right() && x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) return true;
    return false;
}

TEST(CurveWindow, GraphIsSavedWholeAsTheScreenShowsIt) {
    AppFixture f;
    Form_1HEIGHTCURVE w(*f.context, CurveMode::SiteCurve);
    Open(f, w, f.dat);
    TriggerMenu(w, "mnuOptionT1");
    Click(w, "Check1");
    Click(w, "Command_GO");
    const std::string path = f.folder.File("graph.bmp");
    f.scripted.files.Choose(QString::fromStdString(path));
    TriggerMenu(w, "mnuFileGSave");
    EXPECT_EQ(f.scripted.files.requests().back().title.toStdString(), "画像を保存します");
    const QImage saved(QString::fromStdString(path));
    const auto* picture = Find<GraphPicture>(w, "Picture1");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(saved, picture->shown().image().convertToFormat(saved.format()));
    // The age axis caption below the plot and the parameter values right of
    // it are in the file.
    EXPECT_TRUE(Drawn(saved, QRect(380, 425, 120, 40)));
    EXPECT_TRUE(Drawn(saved, QRect(560, 200, 80, 200)));
    // The unchanged starting name means no file.
    f.scripted.files.Choose(QDir::currentPath() + "/*.bmp");
    TriggerMenu(w, "mnuFileGSave");
    EXPECT_FALSE(QFile::exists(QDir::currentPath() + "/*.bmp"));
}

TEST(CurveWindow, OpeningASecondFileStartsAfresh) {
    AppFixture f;
    Form_1HEIGHTCURVE w(*f.context, CurveMode::SiteCurve);
    Open(f, w, f.dat);
    Type(w, 1, "30");
    Type(w, 2, "0.9");
    Type(w, 3, "0.03");
    Click(w, "Command_GO");  // the first function of a manual selection
    f.scripted.files.Cancel();
    TriggerMenu(w, "mnuFileOPEN");
    // Cancelled: the first file is gone all the same.
    EXPECT_EQ(w.windowTitle().toStdString(), "地位別上層樹高曲線式の決定");
    EXPECT_EQ(f.context->SurveyData.count, 0);
    Open(f, w, f.dat);
    EXPECT_EQ(TextOf(w, "Text1"), "0.000000E+00");
    EXPECT_EQ(TextOf(w, "Label3x"), "ＭITSCHERLICH式のPARAMETER(1)～(3)を入力して下さい。");
    EXPECT_FALSE(IsEnabled(w, "Command_GO"));
}

TEST(CurveWindow, ClosingTheWindowDuringAFitStopsTheFitInstead) {
    AppFixture f;
    SlowPump pump;
    f.context->services.pump = &pump;
    Form_1HEIGHTCURVE w(*f.context, CurveMode::HeightStemCurve);
    w.show();
    Open(f, w, f.dat);
    Click(w, "Check1");
    bool closed = false;
    QTimer::singleShot(20, [&] {
        w.close();
        closed = true;
    });
    Click(w, "Command_GO");
    ASSERT_TRUE(closed);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(TextOf(w, "Label3x"), "ＧOMPERTZ式変形 の計算を中断しました。");
    EXPECT_TRUE(w.writtenFiles().empty());
    w.close();
    EXPECT_FALSE(w.isVisible());
}

TEST(CurveWindow, AFitThatIsNoGrowthCurveIsShownButWrittenOnlyWhenTheUserAgrees) {
    AppFixture f;
    Form_1HEIGHTCURVE w(*f.context, CurveMode::SiteCurve);
    Open(f, w, f.dat);
    TriggerMenu(w, "mnuOptionT2");
    // Starting values so steep that the curve is flat from the first year.
    for (int box = 1; box <= 3; ++box) Type(w, box, "100");
    f.scripted.messages.Script(MessageAnswer::No);
    Click(w, "Command_GO");
    ASSERT_FALSE(f.scripted.messages.shown().empty());
    const ShownMessage& asked = f.scripted.messages.shown().back();
    EXPECT_EQ(
        asked.text.rfind(
            "計算された logistic式 の曲線は地位別上層樹高曲線として妥当でない可能性があります。"
            "\r\n林齢とともに上層樹高が高くならない曲線です。",
            0),
        0u)
        << asked.text;
    EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
    EXPECT_EQ(asked.icon, MessageIcon::Warning);
    EXPECT_TRUE(w.writtenFiles().empty());
    // The result stays on show.
    EXPECT_NE(TextOf(w, "Text5"), "");
    EXPECT_NE(TextOf(w, "Label3x").find("パラメータファイルは書き込んでいません"),
              std::string::npos);

    // Agreeing writes it.
    Click(w, "Check1");
    Click(w, "Check1");
    for (int box = 1; box <= 3; ++box) Type(w, box, "100");
    f.scripted.messages.Script(MessageAnswer::Yes);
    Click(w, "Command_GO");
    EXPECT_EQ(w.writtenFiles().size(), 1u);
}

TEST(CurveWindow, AGoodFitIsWrittenWithoutAQuestion) {
    AppFixture f;
    Form_1HEIGHTCURVE w(*f.context, CurveMode::SiteCurve);
    Open(f, w, f.dat);
    TriggerMenu(w, "mnuOptionT1");
    Click(w, "Check1");
    Click(w, "Command_GO");
    EXPECT_TRUE(f.scripted.messages.shown().empty()) << LastMessage(f.scripted);
    EXPECT_EQ(w.writtenFiles().size(), 1u);
}

}  // namespace
}  // namespace mk::app::test
