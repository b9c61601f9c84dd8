// The yield prediction job from the main menu to the table file: the four
// wizard pages driven as a user would, for every thinning method, from a
// planting and from a current stand, and with a calculated site class.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QRadioButton>
#include <cmath>
#include <filesystem>

#include "app/main/form_main.h"
#include "app/yield/dialog_com3dsp.h"
#include "app_test_support.h"

namespace mk::app::test {
namespace {

namespace fs = std::filesystem;

bool IsChecked(QWidget& w, const char* name) {
    auto* b = Find<QAbstractButton>(w, name);
    return b != nullptr && b->isChecked();
}

void Choose(AppFixture& f, QDialog& page, const char* button, const std::string& path) {
    f.scripted.files.Choose(QString::fromStdString(path));
    Click(page, button);
}

// Page 1: the example files and a site class option.
ScriptedDialogRunner::Script FilesPage(AppFixture& f, const char* siteOption) {
    return [&f, siteOption](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com3_01");
        Choose(f, page, "Command_PRMSet", f.prm);
        Choose(f, page, "Command_PARSet", f.par);
        Click(page, siteOption);
        Click(page, "OKButton");
    };
}

ScriptedDialogRunner::Script MethodPage(int method, bool fromPlanting) {
    return [method, fromPlanting](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com3_02");
        Click(page, QStringLiteral("Option%1").arg(method).toLatin1().constData());
        Click(page, fromPlanting ? "Option7" : "Option8");
        Click(page, "OKButton");
    };
}

ScriptedDialogRunner::Script PlantingPage(int planting, int endAge) {
    return [planting, endAge](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com3_03");
        SetBar(page, "HScroll1", planting);
        SetBar(page, "HScroll4", endAge);
        Click(page, "OKButton");
    };
}

// Page 4 of methods 1-3: two thinnings, each dialog answered with its
// proposal moved by `move` steps.
void QueueSchedule(AppFixture& f, int count, int move) {
    f.scripted.dialogs.Then([count](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com3_04_1");
        SetBar(page, "HScroll00", count);
        Click(page, "Command1");
        Click(page, "OKButton");
    });
    for (int j = 0; j < count; ++j) {
        f.scripted.dialogs.Then([move](QDialog& d) {
            auto* bar = Find<QScrollBar>(d, "HScroll1");
            bar->setValue(bar->value() + move);
            Click(d, "OKButton");
        });
    }
}

void QueueBounds(AppFixture& f) {
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com3_04_2");
        Click(page, "OKButton");
    });
}

Dialog_Com3DSP* WaitForResult(Form_Main& window) {
    Dialog_Com3DSP* result = nullptr;
    WaitFor([&] {
        result = window.findChild<Dialog_Com3DSP*>();
        return result != nullptr && result->activated();
    });
    return result;
}

std::vector<std::string> FilesWithSuffix(const std::string& folder, const std::string& suffix) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name.size() > suffix.size() && name.ends_with(suffix)) names.push_back(name);
    }
    return names;
}

class EveryMethod : public ::testing::TestWithParam<int> {};

TEST_P(EveryMethod, FromPlantingWritesTheTableAndShowsTheRun) {
    const int method = GetParam();
    AppFixture f;
    Form_Main window(*f.context);
    f.scripted.dialogs.Then(FilesPage(f, "Option2"));
    f.scripted.dialogs.Then(MethodPage(method, true));
    f.scripted.dialogs.Then(PlantingPage(3000, 60));
    if (method <= 3) {
        QueueSchedule(f, 2, 0);
    } else {
        QueueBounds(f);
    }
    window.Command3_Click();
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
    EXPECT_EQ(f.context->flags.OpenResultWindow, 3);
    Dialog_Com3DSP* result = WaitForResult(window);
    ASSERT_NE(result, nullptr);

    const RunSettings& run = f.context->ws.Run;
    EXPECT_EQ(run.ThinningMethod, method);
    EXPECT_EQ(run.StemSettingMethod, 1);
    EXPECT_EQ(run.PlantingStemNumber, 3000);
    EXPECT_EQ(run.CurrentAge, 1);
    EXPECT_EQ(run.EndAge, 60);
    if (method <= 3) {
        EXPECT_EQ(run.ThinningCount, 2);
    }

    EXPECT_EQ(FilesWithSuffix(f.folder.path(), ".150"), std::vector<std::string>{"YIELD_AA.150"});
    EXPECT_EQ(TextOf(*result, "Label1"), "ファイル：sugi_survey.dat");
    EXPECT_EQ(TextOf(*result, "Label2"), "地位：中");
    const char* names[] = {"",
                           "林齢と間伐率",
                           "上層樹高と間伐率",
                           "胸高直径と間伐率",
                           "収量比数と間伐率",
                           "収量比数の上限と下限",
                           "形状比の上限と下限"};
    EXPECT_EQ(TextOf(*result, "Label3"), std::string("間伐方式：") + names[method]);
    EXPECT_EQ(TextOf(*result, "Label5"), "画像 1/6");
    EXPECT_EQ(TextOf(*result, "Label4"), "　林　齢　＝　60");
    // The last question was the confirmation of the run.
    ASSERT_FALSE(f.scripted.messages.shown().empty());
    EXPECT_EQ(f.scripted.messages.shown().back().title, "パラメータ設定確認");
    EXPECT_EQ(f.scripted.messages.shown().back().text.rfind("この設定で宜しいか？\r\n\r\n", 0), 0u);

    // While it is open both table jobs are refused.
    window.Command3_Click();
    EXPECT_EQ(LastMessage(f.scripted),
              "現在オープン中の収穫予測表の作成ウィンドウを閉じてから実行してください。");
    result->close();
    EXPECT_EQ(f.context->flags.OpenResultWindow, 0);
}

INSTANTIATE_TEST_SUITE_P(Methods, EveryMethod, ::testing::Range(1, 7),
                         [](const auto& info) { return "Method" + std::to_string(info.param); });

TEST(YieldWizard, FromACurrentStandShowsTheStandLive) {
    AppFixture f;
    Form_Main window(*f.context);
    f.scripted.dialogs.Then(FilesPage(f, "Option1"));
    f.scripted.dialogs.Then(MethodPage(5, false));
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_FALSE(Find<QWidget>(page, "HScroll1")->isVisibleTo(&page));
        EXPECT_TRUE(IsEnabled(page, "HScroll2"));
        SetBar(page, "HScroll2", 30);
        EXPECT_EQ(TextOf(page, "Text_WoodsAge"), "30");
        // Moving the age resets the stem number to half its new maximum.
        auto* stems = Find<QScrollBar>(page, "HScroll3");
        EXPECT_EQ(stems->minimum(), 200);
        EXPECT_EQ(TextOf(page, "Label_TatikiNum"),
                  "現在の立木本数(200-" + std::to_string(stems->maximum()) + ")");
        EXPECT_EQ(stems->value(), stems->maximum() / 2);
        const std::string before = TextOf(page, "Text2");
        SetBar(page, "HScroll3", 1500);
        EXPECT_EQ(TextOf(page, "Text_TatikiNum"), "1500");
        EXPECT_NE(TextOf(page, "Text2"), before);
        EXPECT_FALSE(TextOf(page, "Text6").empty());
        Click(page, "OKButton");
    });
    QueueBounds(f);
    window.Command3_Click();
    ASSERT_NE(WaitForResult(window), nullptr);
    const RunSettings& run = f.context->ws.Run;
    EXPECT_EQ(run.StemSettingMethod, 2);
    EXPECT_EQ(run.CurrentAge, 30);
    EXPECT_EQ(run.CurrentStemNumber, 1500);
    EXPECT_EQ(run.PlantingStemNumber, 0);
    EXPECT_GT(f.context->ws.CurrentStand.CurrentPlantingDensity, 1500);
    EXPECT_EQ(FilesWithSuffix(f.folder.path(), ".150").size(), 1u);
}

TEST(YieldWizard, BackAndNextKeepWhatWasChosenAndRereadTheFiles) {
    AppFixture f;
    Form_Main window(*f.context);
    f.scripted.dialogs.Then(FilesPage(f, "Option3"));
    f.scripted.dialogs.Then(MethodPage(5, false));
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com3_03");
        Click(page, "Command_Back");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_TRUE(IsChecked(page, "Option5"));
        EXPECT_TRUE(IsChecked(page, "Option8"));
        EXPECT_EQ(TextOf(page, "Label3"), "地位：下\n間伐方式と本数設定法を決定します。　");
        Click(page, "Command_Back");
    });
    f.scripted.dialogs.Then([&f](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Text_PRM_Name"), f.prm);
        EXPECT_EQ(TextOf(page, "Text_PAR_Name"), f.par);
        EXPECT_TRUE(IsChecked(page, "Option3"));
        EXPECT_FALSE(IsEnabled(page, "Command_Back"));
        EXPECT_TRUE(f.context->ws.Diagram.DensityDiagramLoaded);
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([&f](QDialog& page) {
        // Page 1 stored its class again; the start chosen before stays.
        EXPECT_TRUE(IsChecked(page, "Option5"));
        EXPECT_TRUE(IsChecked(page, "Option8"));
        // A file deleted meanwhile is dropped when page 1 shows again.
        fs::remove(f.par);
        Click(page, "Command_Back");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Text_PAR_Name"), "");
        Click(page, "CancelButton");
    });
    window.Command3_Click();
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
    EXPECT_EQ(f.context->flags.OpenResultWindow, 0);
    EXPECT_EQ(window.findChild<Dialog_Com3DSP*>(), nullptr);
    EXPECT_EQ(f.scripted.messages.shown().back().title, "PARファイル読み込みエラー");
}

TEST(YieldWizard, CancelOnPageThreeOpensNothing) {
    AppFixture f;
    Form_Main window(*f.context);
    f.scripted.dialogs.Then(FilesPage(f, "Option2"));
    f.scripted.dialogs.Then(MethodPage(4, true));
    f.scripted.dialogs.Then([](QDialog& page) { Click(page, "CancelButton"); });
    window.Command3_Click();
    EXPECT_EQ(f.context->flags.OpenResultWindow, 0);
    EXPECT_TRUE(FilesWithSuffix(f.folder.path(), ".150").empty());
}

TEST(YieldWizard, PageOneListsWhatIsMissingAndStays) {
    AppFixture f;
    Form_Main window(*f.context);
    f.scripted.dialogs.Then([&f](QDialog& page) {
        f.scripted.files.Cancel();
        Click(page, "Command_PRMSet");
        // The proposed pattern never lands in the box.
        EXPECT_EQ(TextOf(page, "Text_PRM_Name"), "");
        Click(page, "OKButton");
        EXPECT_TRUE(page.isVisible());
        EXPECT_EQ(LastMessage(f.scripted),
                  "PRMファイル名が指定されていません\r\nPARファイル名が指定されていません\r\n"
                  "地位が指定されていません\r\n");
        EXPECT_EQ(f.scripted.messages.shown().back().title,
                  "収穫予測表の作成－パラメータ設定(1/4)");
        Click(page, "Command_CalcState");
        EXPECT_EQ(LastMessage(f.scripted),
                  "PRMファイルを選択して下さい\r\nPARファイルを選択して下さい\r\n");
        Click(page, "CancelButton");
    });
    window.Command3_Click();
    EXPECT_EQ(f.context->flags.WizardResult, 0);
}

TEST(YieldWizard, ChoosingTheSameFileAgainDoesNotRereadIt) {
    AppFixture f;
    Form_Main window(*f.context);
    f.scripted.dialogs.Then([&f](QDialog& page) {
        Choose(f, page, "Command_PRMSet", f.prm);
        const std::size_t requests = f.scripted.files.requests().size();
        // The same name in other letter case: the box keeps its path and
        // the file is not read (a damaged copy would otherwise complain).
        std::string upper = f.prm;
        upper.replace(upper.size() - 3, 3, "PRM");
        Choose(f, page, "Command_PRMSet", upper);
        EXPECT_EQ(f.scripted.files.requests().size(), requests + 1);
        EXPECT_EQ(f.scripted.files.requests().back().presetName.toStdString(), f.prm);
        EXPECT_EQ(TextOf(page, "Text_PRM_Name"), f.prm);
        EXPECT_TRUE(f.scripted.messages.shown().empty());
        Click(page, "CancelButton");
    });
    window.Command3_Click();
}

TEST(YieldWizard, CalculatedSiteClassFixesTheStartingStand) {
    AppFixture f;
    Form_Main window(*f.context);
    f.scripted.dialogs.Then([&f](QDialog& page) {
        Choose(f, page, "Command_PRMSet", f.prm);
        Choose(f, page, "Command_PARSet", f.par);
        Click(page, "Command_CalcState");
        EXPECT_EQ(TextOf(page, "Option4"), "中・推定");
        EXPECT_TRUE(IsEnabled(page, "Option4"));
        EXPECT_TRUE(IsChecked(page, "Option4"));
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([&f](QDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "地位の計算");
        auto* age = Find<QScrollBar>(d, "HScroll1");
        auto* height = Find<QScrollBar>(d, "HScroll2");
        // The bars span the survey plots of the example file.
        EXPECT_EQ(age->minimum(), 3);
        EXPECT_EQ(age->maximum(), 80);
        EXPECT_TRUE(IsChecked(d, "Check1"));
        EXPECT_FALSE(IsEnabled(d, "OKButton"));
        // With the box checked the height follows the middle curve.
        age->setValue(40);
        EXPECT_EQ(TextOf(d, "Text1"), "40");
        const int onCurve = height->value();
        Click(d, "Command_Calc");
        EXPECT_EQ(TextOf(d, "Label3"), "地位は　中　に相当します。");
        EXPECT_FALSE(IsEnabled(d, "Command_Calc"));
        EXPECT_FALSE(IsEnabled(d, "HScroll1"));
        EXPECT_FALSE(IsEnabled(d, "HScroll2"));
        EXPECT_FALSE(IsEnabled(d, "Check1"));
        EXPECT_TRUE(IsEnabled(d, "OKButton"));
        EXPECT_EQ(TextOf(d, "Text2"), QString::number(onCurve / 10.0, 'f', 1).toStdString());
        Click(d, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_FALSE(IsEnabled(page, "Option7"));
        EXPECT_TRUE(IsChecked(page, "Option8"));
        EXPECT_EQ(Find<QGroupBox>(page, "Frame2")->title().toStdString(),
                  "本数設定法は決定しています");
        EXPECT_EQ(TextOf(page, "Label3"), "地位：中・推定\n間伐方式を決定します。　");
        Click(page, "Option6");
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Text_WoodsAge"), "40");
        EXPECT_FALSE(IsEnabled(page, "HScroll2"));
        EXPECT_FALSE(IsEnabled(page, "Label_WoodsAge"));
        Click(page, "OKButton");
    });
    QueueBounds(f);
    window.Command3_Click();
    ASSERT_NE(WaitForResult(window), nullptr);
    const Workspace& ws = f.context->ws;
    EXPECT_EQ(ws.Run.SiteClass, 4);
    EXPECT_EQ(ws.Run.StemSettingMethod, 2);
    EXPECT_EQ(ws.Run.CurrentAge, 40);
    EXPECT_EQ(ws.CurrentStand.SiteText, "中・推定");
    EXPECT_EQ(ws.CurrentStand.SiteCalcAge, 40);
    // The found curve passes through the stand: nearly the middle curve.
    EXPECT_NEAR(ws.Run.SiteCurveScale, ws.HeightCurve.CurveM, 0.05);
    EXPECT_EQ(FilesWithSuffix(f.folder.path(), ".150").size(), 1u);
}

TEST(SiteClassCalculation, RefusesAStandFarOffTheCurvesAndAMissingSurveyFile) {
    AppFixture f;
    Form_Main window(*f.context);
    f.scripted.dialogs.Then([&f](QDialog& page) {
        Choose(f, page, "Command_PRMSet", f.prm);
        Choose(f, page, "Command_PARSet", f.par);
        Click(page, "Command_CalcState");
        EXPECT_FALSE(IsEnabled(page, "Option4"));
        EXPECT_EQ(TextOf(page, "Option4"), "不明");
        // A survey file with no records, or none at all: the dialog still
        // opens, without plots, and says why.
        const std::string records = mk::test::ReadBytes(f.dat);
        std::string title = records.substr(0, records.find("\r\n"));
        title.replace(title.rfind("60"), 2, " 0");
        mk::test::WriteBytes(f.dat, title + "\r\n");
        Click(page, "Command_CalcState");
        fs::remove(f.dat);
        Click(page, "Command_CalcState");
        Click(page, "CancelButton");
    });
    f.scripted.dialogs.Then([&f](QDialog& d) {
        Find<QCheckBox>(d, "Check1")->setChecked(false);
        SetBar(d, "HScroll1", 10);
        auto* height = Find<QScrollBar>(d, "HScroll2");
        height->setValue(height->maximum());
        Click(d, "Command_Calc");
        EXPECT_EQ(LastMessage(f.scripted), "データチェック！");
        EXPECT_EQ(f.scripted.messages.shown().back().title, "選択プロット位置異常");
        EXPECT_TRUE(IsEnabled(d, "Command_Calc"));
        EXPECT_FALSE(IsEnabled(d, "OKButton"));
        Click(d, "CancelButton");
    });
    f.scripted.dialogs.Then([&f](QDialog& d) {
        EXPECT_EQ(LastMessage(f.scripted), "DATファイルが読めません。\r\n" + f.dat +
                                               "\r\n読み込む資料がありません。（資料数：0）");
        Click(d, "CancelButton");
    });
    f.scripted.dialogs.Then([&f](QDialog& d) {
        EXPECT_EQ(LastMessage(f.scripted), "DATファイルが読めません。\r\n" + f.dat);
        EXPECT_EQ(f.scripted.messages.shown().back().title, "DATファイル読み込みNG");
        EXPECT_TRUE(IsEnabled(d, "Command_Calc"));
        Click(d, "CancelButton");
    });
    window.Command3_Click();
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
}

}  // namespace
}  // namespace mk::app::test

namespace mk::app::test {
namespace {

TEST(YieldWizard, APathTypedByHandIsReadBeforeItIsUsed) {
    AppFixture f;
    Form_Main window(*f.context);
    f.scripted.dialogs.Then([&f](QDialog& page) {
        Choose(f, page, "Command_PRMSet", f.prm);
        Choose(f, page, "Command_PARSet", f.par);
        Click(page, "Option2");
        // A path to nothing: refused with the reader's message, page stays.
        TypeText(page, "Text_PRM_Name", QString::fromStdString(f.folder.File("missing.prm")));
        Click(page, "OKButton");
        EXPECT_TRUE(page.isVisible());
        EXPECT_EQ(f.scripted.messages.shown().back().title, "PRMファイル読み込みエラー");
        // The type 2 diagram typed by hand is the one the run uses.
        TypeText(page, "Text_PRM_Name", QString::fromStdString(f.prm2));
        Click(page, "OKButton");
        EXPECT_FALSE(page.isVisible());
        EXPECT_EQ(f.context->ws.Diagram.Prm[0], 2);
        EXPECT_EQ(f.context->ws.Run.PrmFileName, f.prm2);
    });
    window.Command3_Click();
}

}  // namespace
}  // namespace mk::app::test

namespace mk::app::test {
namespace {

TEST(YieldWizard, ChoosingAClassAfterACalculationDropsTheCalculatedOne) {
    AppFixture f;
    Form_Main window(*f.context);
    f.scripted.dialogs.Then([&f](QDialog& page) {
        Choose(f, page, "Command_PRMSet", f.prm);
        Choose(f, page, "Command_PARSet", f.par);
        Click(page, "Command_CalcState");
        ASSERT_TRUE(IsEnabled(page, "Option4"));
        Click(page, "Option1");
        EXPECT_FALSE(IsEnabled(page, "Option4"));
        EXPECT_EQ(TextOf(page, "Option4"), "不明");
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& d) {
        SetBar(d, "HScroll1", 30);
        Click(d, "Command_Calc");
        Click(d, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) { Click(page, "CancelButton"); });
    window.Command3_Click();
    const Workspace& ws = f.context->ws;
    EXPECT_EQ(ws.Run.SiteClass, 1);
    EXPECT_EQ(ws.Run.StemSettingMethod, 0);
    EXPECT_DOUBLE_EQ(ws.Run.SiteCurveScale,
                     ws.HeightCurve.CurveM * std::exp(ws.HeightCurve.BandCoefficient));
}

}  // namespace
}  // namespace mk::app::test

namespace mk::app::test {
namespace {

int BarValue(QWidget& w, const char* name) {
    auto* bar = Find<QScrollBar>(w, name);
    return bar == nullptr ? -1 : bar->value();
}

// Forward to the last page, back to the first and forward again: every page
// shows what was chosen on it, from a current stand with Ry bounds.
TEST(YieldWizard, WalkingBackAndForthKeepsEveryValue) {
    AppFixture f;
    Form_Main window(*f.context);
    const auto standPage = [](int age, int stems, int end) {
        return [=](QDialog& page) {
            EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com3_03");
            EXPECT_EQ(TextOf(page, "Text_WoodsAge"), std::to_string(age));
            EXPECT_EQ(TextOf(page, "Text_TatikiNum"), std::to_string(stems));
            EXPECT_EQ(TextOf(page, "Text_CalcYear"), std::to_string(end));
            EXPECT_EQ(BarValue(page, "HScroll3"), stems);
        };
    };
    int start = 0;
    f.scripted.dialogs.Then(FilesPage(f, "Option2"));
    f.scripted.dialogs.Then(MethodPage(5, false));
    f.scripted.dialogs.Then([&](QDialog& page) {
        // The first showing: the fixed starting values.
        EXPECT_EQ(TextOf(page, "Text_WoodsAge"), "10");
        EXPECT_EQ(TextOf(page, "Text_CalcYear"), "100");
        SetBar(page, "HScroll2", 30);
        SetBar(page, "HScroll3", 1500);
        SetBar(page, "HScroll4", 120);
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([&](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com3_04_2");
        SetBar(page, "HScroll1", 85);
        SetBar(page, "HScroll2", 65);
        start = BarValue(page, "HScroll3") + 3;
        SetBar(page, "HScroll3", start);
        SetBar(page, "HScroll4", 90);
        Click(page, "Command_Back");
    });
    f.scripted.dialogs.Then([&](QDialog& page) {
        standPage(30, 1500, 120)(page);
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([&](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Text_Value1"), "0.85");
        EXPECT_EQ(TextOf(page, "Text_Value2"), "0.65");
        EXPECT_EQ(BarValue(page, "HScroll3"), start);
        EXPECT_EQ(TextOf(page, "Text_KanbatsuEndY"), "90");
        Click(page, "Command_Back");
    });
    f.scripted.dialogs.Then([](QDialog& page) { Click(page, "Command_Back"); });
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_TRUE(IsChecked(page, "Option5"));
        EXPECT_TRUE(IsChecked(page, "Option8"));
        Click(page, "Command_Back");
    });
    f.scripted.dialogs.Then([&f](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Text_PAR_Name"), f.par);
        EXPECT_TRUE(IsChecked(page, "Option2"));
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_TRUE(IsChecked(page, "Option5"));
        EXPECT_TRUE(IsChecked(page, "Option8"));
        Click(page, "OKButton");
    });
    std::string shownRy, shownDensity;
    f.scripted.dialogs.Then([&](QDialog& page) {
        standPage(30, 1500, 120)(page);
        shownRy = TextOf(page, "Text4");
        shownDensity = TextOf(page, "Text6");
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([&](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Text_Value1"), "0.85");
        EXPECT_EQ(TextOf(page, "Text_Value2"), "0.65");
        EXPECT_EQ(BarValue(page, "HScroll3"), start);
        EXPECT_EQ(TextOf(page, "Text_KanbatsuEndY"), "90");
        // The confirmation shows Ry as page 3 did and the stems whole.
        f.scripted.messages.Script(MessageAnswer::Cancel);
        Click(page, "OKButton");
        const std::string confirmation = LastMessage(f.scripted);
        EXPECT_EQ(shownRy.size(), 4u) << shownRy;  // "0.00"
        EXPECT_EQ(shownDensity.find('.'), std::string::npos) << shownDensity;
        EXPECT_NE(confirmation.find("　現在の収量比数：　" + shownRy + "\r\n"), std::string::npos)
            << confirmation;
        EXPECT_NE(confirmation.find("　推定植栽本数：　　" + shownDensity + "\r\n"),
                  std::string::npos)
            << confirmation;
        Click(page, "CancelButton");
    });
    window.Command3_Click();
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
    const RunSettings& run = f.context->ws.Run;
    EXPECT_EQ(run.CurrentAge, 30);
    EXPECT_EQ(run.CurrentStemNumber, 1500);
    EXPECT_EQ(run.EndAge, 120);
    EXPECT_DOUBLE_EQ(run.RyUpper, 0.85);
    EXPECT_DOUBLE_EQ(run.RyLower, 0.65);
}

// The schedule page and a planting: back from a decided schedule and
// forward again shows the schedule as it was, ready to finish.
TEST(YieldWizard, ADecidedScheduleComesBackAfterGoingBack) {
    AppFixture f;
    Form_Main window(*f.context);
    f.scripted.dialogs.Then(FilesPage(f, "Option2"));
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Option7"), "植栽本数");
        Click(page, "Option1");
        Click(page, "Option7");
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_NE(TextOf(page, "Label_desc").find("植栽本数と計算終了年を設定してください。"),
                  std::string::npos);
        SetBar(page, "HScroll1", 3000);
        SetBar(page, "HScroll4", 60);
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        SetBar(page, "HScroll00", 2);
        Click(page, "Command1");
        Click(page, "Command_Back");
    });
    for (int j = 0; j < 2; ++j) {
        f.scripted.dialogs.Then([](QDialog& d) {
            auto* bar = Find<QScrollBar>(d, "HScroll1");
            bar->setValue(bar->value() + 3);
            Click(d, "OKButton");
        });
    }
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Text_SyokusaiNum"), "3000");
        EXPECT_EQ(TextOf(page, "Text_CalcYear"), "60");
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([&f](QDialog& page) {
        const RunSettings& run = f.context->ws.Run;
        EXPECT_EQ(TextOf(page, "Label0"), "間伐回数は2回です。");
        EXPECT_EQ(TextOf(page, "Command1"), "やり直し");
        EXPECT_EQ(TextOf(page, "Text1"), std::to_string(static_cast<int>(run.ThinningKey[1])));
        EXPECT_EQ(TextOf(page, "Text2"), std::to_string(static_cast<int>(run.ThinningKey[2])));
        EXPECT_TRUE(IsEnabled(page, "OKButton"));
        Click(page, "OKButton");
        EXPECT_NE(LastMessage(f.scripted).find("　植栽本数：　　　3000\r\n"), std::string::npos);
    });
    window.Command3_Click();
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
    ASSERT_NE(WaitForResult(window), nullptr);
    EXPECT_EQ(f.context->ws.Run.ThinningCount, 2);
}

// A diagram of a type without a yield index: page 3 shows no Ry rather
// than the one of a stand shown before.
TEST(YieldWizard, PageThreeShowsNoRyForADiagramWithoutOne) {
    AppFixture f;
    std::string bytes = mk::test::ReadBytes(f.prm);
    bytes[bytes.find("\r\n") + 2] = '3';
    mk::test::WriteBytes(f.prm, bytes);
    f.context->ws.CurrentStand.CurrentRy = 0.65;
    Form_Main window(*f.context);
    f.scripted.dialogs.Then(FilesPage(f, "Option2"));
    f.scripted.dialogs.Then(MethodPage(4, false));
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Text4"), "－");
        SetBar(page, "HScroll3", 1500);
        EXPECT_EQ(TextOf(page, "Text4"), "－");
        EXPECT_FALSE(TextOf(page, "Text2").empty());
        Click(page, "CancelButton");
    });
    window.Command3_Click();
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
}

// A run from a current stand must end after its age: refused on page 3
// with the page's caption, and the page stays until the end year is later.
TEST(YieldWizard, AnEndYearNotAfterTheCurrentAgeIsRefused) {
    AppFixture f;
    Form_Main window(*f.context);
    f.scripted.dialogs.Then(FilesPage(f, "Option2"));
    f.scripted.dialogs.Then(MethodPage(4, false));
    f.scripted.dialogs.Then([&f](QDialog& page) {
        SetBar(page, "HScroll2", 100);
        SetBar(page, "HScroll4", 100);
        for (int end : {50, 100}) {
            SetBar(page, "HScroll4", end);
            Click(page, "OKButton");
            EXPECT_TRUE(page.isVisible());
            EXPECT_EQ(LastMessage(f.scripted), "計算終了年（" + std::to_string(end) +
                                                   "）は現在の林齢（100）より後にしてください。");
            EXPECT_EQ(f.scripted.messages.shown().back().title,
                      "収穫予測表の作成－パラメータ設定(3/4)");
        }
        SetBar(page, "HScroll4", 101);
        Click(page, "OKButton");
        EXPECT_FALSE(page.isVisible());
    });
    f.scripted.dialogs.Then([](QDialog& page) { Click(page, "CancelButton"); });
    window.Command3_Click();
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
    EXPECT_EQ(f.context->ws.Run.EndAge, 101);
    EXPECT_TRUE(FilesWithSuffix(f.folder.path(), ".150").empty());
}

}  // namespace
}  // namespace mk::app::test
