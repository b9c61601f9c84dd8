// The planning job from the main menu to the plan table: the wizard's pages
// driven as a user would in each of the three ways a plan is worked out,
// the file compared byte for byte with the batch tool's for the same
// request, and the pages keeping what was chosen when going back and forth.

#include <gtest/gtest.h>

#include <QListWidget>
#include <QScrollBar>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/main/form_main.h"
#include "app/planning/dialog_com2dsp.h"
#include "cli/command_registry.h"
#include "planning_test_support.h"
#include "support/test_files.h"

namespace mk::app::test {
namespace {

Dialog_Com2DSP* WaitForPlans(Form_Main& window) {
    Dialog_Com2DSP* result = nullptr;
    WaitFor([&] {
        result = window.findChild<Dialog_Com2DSP*>();
        return result != nullptr && result->activated();
    });
    return result;
}

struct PlanCase {
    const char* name;
    const char* state;   // Option1 / Option2 of page 1
    const char* target;  // Option3 / Option4
    int pageCount;
    // Scripts of the pages after the parameter files.
    std::function<void(AppFixture&)> queueRest;
    const char* runLines;
};

// Failure reports and the test list name the case, not its bytes.
void PrintTo(const PlanCase& c, std::ostream* out) { *out << c.name; }

void PolicyPage(AppFixture& f, int ryLimit, int ryStep, int slenderness, int start, int end,
                int interval, const std::string& caption) {
    f.scripted.dialogs.Then([=](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_06");
        EXPECT_EQ(page.windowTitle().toStdString(), caption);
        EXPECT_EQ(TextOf(page, "OKButton"), "完了");
        SetBar(page, "HScroll1", ryLimit);
        if (ryStep > 0) SetBar(page, "HScroll2", ryStep);
        if (slenderness > 0) SetBar(page, "HScroll3", slenderness);
        SetBar(page, "HScroll4", start);
        SetBar(page, "HScroll5", end);
        SetBar(page, "HScroll6", interval);
        Click(page, "OKButton");
    });
}

const PlanCase kCases[] = {
    {"TargetFromKnownStand", "Option1", "Option3", 6,
     [](AppFixture& f) {
         f.scripted.dialogs.Then([](QDialog& page) {
             EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_04");
             EXPECT_EQ(page.windowTitle().toStdString(), "収穫予測－パラメータ設定(4/6)");
             SetBar(page, "HScroll1", 15);
             SetBar(page, "HScroll3", 2500);
             Click(page, "OKButton");
         });
         f.scripted.dialogs.Then([](QDialog& page) {
             EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_05");
             SetBar(page, "HScroll1", 60);
             SetBar(page, "HScroll3", 700);
             Click(page, "OKButton");
         });
         PolicyPage(f, 65, 0, 100, 16, 55, 5, "収穫予測－パラメータ設定(6/6)");
     },
     "StandStateKnown = 1\nTargetDecided = 1\nStartAge = 15\nStartStemNumber = 2500\n"
     "EndAge = 60\nTargetStemNumber = 700\nRyLimit = 0.65\nSlendernessLimit = 1.00\n"
     "ThinStartAge = 16\nThinToAge = 56\nIntervalLessOne = 4\n"},
    {"PolicyFromKnownStand", "Option1", "Option4", 6,
     [](AppFixture& f) {
         f.scripted.dialogs.Then([](QDialog& page) {
             SetBar(page, "HScroll1", 12);
             SetBar(page, "HScroll3", 3000);
             Click(page, "OKButton");
         });
         f.scripted.dialogs.Then([](QDialog& page) {
             EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_04_2");
             auto* bar = Find<QScrollBar>(page, "HScroll7");
             EXPECT_EQ(bar->minimum(), 13);
             EXPECT_EQ(bar->value(), 100);
             SetBar(page, "HScroll7", 80);
             EXPECT_EQ(TextOf(page, "Text7"), "80");
             Click(page, "OKButton");
         });
         PolicyPage(f, 80, 15, 120, 12, 70, 7, "収穫予測－パラメータ設定(6/6)");
     },
     "StandStateKnown = 1\nTargetDecided = 2\nStartAge = 12\nStartStemNumber = 3000\n"
     "EndAge = 80\nRyLimit = 0.80\nRyStep = 0.15\nSlendernessLimit = 1.20\n"
     "ThinStartAge = 12\nThinToAge = 71\nIntervalLessOne = 6\n"},
    {"BackwardFromTarget", "Option2", "Option3", 5,
     [](AppFixture& f) {
         f.scripted.dialogs.Then([](QDialog& page) {
             EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_05");
             EXPECT_EQ(page.windowTitle().toStdString(), "収穫予測－パラメータ設定(4/5)");
             // The stand is planned from 10000 stems: the target holds fewer.
             EXPECT_LE(Find<QScrollBar>(page, "HScroll3")->maximum(), 9999);
             SetBar(page, "HScroll1", 70);
             SetBar(page, "HScroll3", 800);
             Click(page, "OKButton");
         });
         PolicyPage(f, 80, 10, 0, 1, 70, 5, "収穫予測－パラメータ設定(5/5)");
     },
     "StandStateKnown = 2\nTargetDecided = 1\nEndAge = 70\nTargetStemNumber = 800\n"
     "RyLimit = 0.80\nRyStep = 0.10\nThinStartAge = 1\nThinToAge = 71\nIntervalLessOne = 4\n"},
};

class EveryPlanMode : public ::testing::TestWithParam<PlanCase> {};

TEST_P(EveryPlanMode, WritesTheSamePlanTableAsTheBatchTool) {
    const PlanCase& c = GetParam();
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    f.scripted.dialogs.Then(StatePage(c.state, c.target));
    f.scripted.dialogs.Then([&c](QDialog& page) {
        EXPECT_EQ(page.windowTitle().toStdString(),
                  "収穫予測－パラメータ設定(2/" + std::to_string(c.pageCount) + ")");
        RegionPage(kAomoriRow)(page);
    });
    f.scripted.dialogs.Then(ParameterPage(f, files, "Option2"));
    c.queueRest(f);
    window.Command2_Click();
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
    EXPECT_EQ(f.context->flags.PlanWindowOpen, 2);
    Dialog_Com2DSP* result = WaitForPlans(window);
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(PlanTables(f.folder.path()), std::vector<std::string>{"YIELD_AA.160"});
    const std::string shown = mk::test::ReadBytes(f.folder.File("YIELD_AA.160"));
    // The last question was the confirmation of the request.
    const auto& messages = f.scripted.messages.shown();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().title, "パラメータ設定確認");
    EXPECT_EQ(messages.back().text.rfind("この設定で宜しいか？\r\n\r\n地位：中　使用ファイル："
                                         "青森sugi_type1.prm,青森sugi.PAR\r\n\r\n",
                                         0),
              0u);
    result->close();
    EXPECT_EQ(f.context->flags.PlanWindowOpen, 0);

    const std::string batch = CliPlanTable(f, files, c.runLines);
    EXPECT_FALSE(shown.empty());
    EXPECT_TRUE(shown == batch) << "the window's plan table differs from the batch tool's";
}

INSTANTIATE_TEST_SUITE_P(Modes, EveryPlanMode, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlanningWizard, BackAndNextKeepWhatWasChosen) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    f.scripted.dialogs.Then(StatePage("Option1", "Option4"));
    f.scripted.dialogs.Then(RegionPage(kAomoriRow));
    f.scripted.dialogs.Then(ParameterPage(f, files, "Option3"));
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_04");
        SetBar(page, "HScroll1", 20);
        TypeText(page, "Text3", QStringLiteral("1800"));
        EXPECT_EQ(Find<QScrollBar>(page, "HScroll3")->value(), 1800);
        // An age the bar cannot take is put back when the box is left.
        auto* age = Find<QLineEdit>(page, "Text1");
        age->setText(QStringLiteral("250"));
        emit age->editingFinished();
        EXPECT_EQ(TextOf(page, "Text1"), "20");
        TypeText(page, "Text1", QStringLiteral("12"));
        EXPECT_EQ(Find<QScrollBar>(page, "HScroll1")->value(), 12);
        TypeText(page, "Text1", QStringLiteral("20"));
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_04_2");
        EXPECT_EQ(page.windowTitle().toStdString(), "収穫予測－パラメータ設定(5/6)");
        Click(page, "Command_Back");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(page.windowTitle().toStdString(), "収穫予測－パラメータ設定(4/6)");
        EXPECT_EQ(TextOf(page, "Text1"), "20");
        EXPECT_EQ(TextOf(page, "Text3"), "1800");
        Click(page, "Command_Back");
    });
    f.scripted.dialogs.Then([&files](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_03");
        EXPECT_EQ(TextOf(page, "Text_PRM_Name"), files.prm);
        EXPECT_EQ(TextOf(page, "Text_PAR_Name"), files.par);
        EXPECT_TRUE(Checked(page, "Option3"));
        Click(page, "Command_Back");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_02");
        EXPECT_EQ(Find<QListWidget>(page, "List1")->currentRow(), kAomoriRow);
        EXPECT_EQ(TextOf(page, "Label2"), "計算対象地域は 青森県 が選択されています。");
        EXPECT_TRUE(IsEnabled(page, "OKButton"));
        Click(page, "Command_Back");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(page.windowTitle().toStdString(), "収穫予測－パラメータ設定(1)");
        EXPECT_TRUE(Checked(page, "Option1"));
        EXPECT_TRUE(Checked(page, "Option4"));
        EXPECT_FALSE(IsEnabled(page, "Command_Back"));
        Click(page, "OKButton");
    });
    // Another region: the files named for 青森 are no longer offered.
    f.scripted.dialogs.Then(RegionPage(2));
    f.scripted.dialogs.Then([&f, &files](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Text_PRM_Name"), "");
        EXPECT_EQ(TextOf(page, "Text_PAR_Name"), "");
        // A file of another region is passed over, and the dialog offers
        // the region's own names.
        ChooseFile(f, page, "Command_PRMSet", files.prm);
        EXPECT_EQ(TextOf(page, "Text_PRM_Name"), "");
        EXPECT_EQ(f.scripted.files.requests().back().presetName.toStdString(),
                  f.folder.path() + "/岩手*.prm");
        // Typed by hand, such a name is refused with a reason.
        TypeText(page, "Text_PRM_Name", QString::fromStdString(files.prm));
        TypeText(page, "Text_PAR_Name", QString::fromStdString(files.par));
        Click(page, "Option1");
        Click(page, "OKButton");
        EXPECT_TRUE(page.isVisible());
        EXPECT_EQ(LastMessage(f.scripted),
                  "PRMファイル名が計算対象地域のものではありません\r\n"
                  "PARファイル名が計算対象地域のものではありません\r\n");
        Click(page, "CancelButton");
    });
    window.Command2_Click();
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
    EXPECT_EQ(f.context->flags.PlanWindowOpen, 0);
    EXPECT_EQ(window.findChild<Dialog_Com2DSP*>(), nullptr);
}

TEST(PlanningWizard, RefusesAnUnknownStandWithoutATargetAndListsWhatIsMissing) {
    AppFixture f;
    Form_Main window(*f.context);
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_FALSE(IsEnabled(page, "OKButton"));
        Click(page, "Option2");
        EXPECT_FALSE(IsEnabled(page, "OKButton"));
        Click(page, "Option4");
        Click(page, "OKButton");
        EXPECT_TRUE(page.isVisible());
        Click(page, "Option3");
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_FALSE(IsEnabled(page, "OKButton"));
        // 北海道, the first entry, can be chosen too.
        RegionPage(0)(page);
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        Click(page, "OKButton");
        Click(page, "CancelButton");
    });
    window.Command2_Click();
    const auto& shown = f.scripted.messages.shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "この設定では、計算をすることはできません。");
    EXPECT_EQ(shown[0].title, "収穫予測－パラメータ設定(1)");
    EXPECT_EQ(shown[1].text,
              "PRMファイル名が指定されていません\r\nPARファイル名が指定されていません\r\n"
              "地位が指定されていません\r\n");
    EXPECT_EQ(shown[1].title, "収穫予測－パラメータ設定(3/5)");
    EXPECT_EQ(f.context->ws.Plan.RegionNumber, 1);
    EXPECT_EQ(f.context->ws.Plan.RegionPrefix, "北海");
}

TEST(PlanningWizard, PolicyWarningsCanBeDeclinedAndTheConfirmationCancelled) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    f.scripted.dialogs.Then(StatePage("Option1", "Option4"));
    f.scripted.dialogs.Then(RegionPage(kAomoriRow));
    f.scripted.dialogs.Then(ParameterPage(f, files, "Option2"));
    f.scripted.dialogs.Then([](QDialog& page) { Click(page, "OKButton"); });
    f.scripted.dialogs.Then([](QDialog& page) { Click(page, "OKButton"); });
    f.scripted.dialogs.Then([&f](QDialog& page) {
        // Mode B: the stand labels are hidden, every bar is usable.
        auto* label = page.findChild<QLabel*>(QStringLiteral("Label_現在状態"));
        ASSERT_NE(label, nullptr);
        EXPECT_FALSE(label->isVisibleTo(&page));
        EXPECT_EQ(TextOf(page, "Text1"), "0.80");
        EXPECT_EQ(TextOf(page, "Text2"), "0.10");
        EXPECT_EQ(TextOf(page, "Text3"), "80");
        EXPECT_EQ(TextOf(page, "Text4"), "10");
        EXPECT_EQ(TextOf(page, "Text5"), "100");
        EXPECT_EQ(TextOf(page, "Text6"), "5");
        SetBar(page, "HScroll4", 30);
        EXPECT_EQ(Find<QScrollBar>(page, "HScroll5")->minimum(), 30);
        SetBar(page, "HScroll1", 95);
        SetBar(page, "HScroll2", 20);
        f.scripted.messages.Script(MessageAnswer::No);
        Click(page, "OKButton");
        EXPECT_TRUE(page.isVisible());
        f.scripted.messages.Script(MessageAnswer::Yes);
        f.scripted.messages.Script(MessageAnswer::Cancel);
        Click(page, "OKButton");
        EXPECT_TRUE(page.isVisible());
        Click(page, "CancelButton");
    });
    window.Command2_Click();
    const auto& shown = f.scripted.messages.shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text,
              "収量比数は 0.9 ～ 0.6 が望ましい。\r\n収量比数の変化は 0.15 以下が望ましい。\r\n"
              "このまま続行しますか？");
    EXPECT_EQ(shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(shown[0].title, "収穫予測－パラメータ設定(6/6)");
    EXPECT_EQ(shown[2].title, "パラメータ設定確認");
    EXPECT_NE(shown[2].text.find("【現在の林分状態】\r\n　林齢=　　　　  10\r\n"),
              std::string::npos);
    EXPECT_NE(shown[2].text.find("　収量比数上限=  0.95\r\n"), std::string::npos);
    EXPECT_EQ(f.context->flags.PlanWindowOpen, 0);
    EXPECT_TRUE(PlanTables(f.folder.path()).empty());
}

TEST(PlanningWizard, ACalculatedSiteClassPlansFromTheMeasuredStand) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    f.scripted.dialogs.Then(StatePage("Option1", "Option4"));
    f.scripted.dialogs.Then(RegionPage(kAomoriRow));
    f.scripted.dialogs.Then([&f, &files](QDialog& page) {
        ChooseFile(f, page, "Command_PRMSet", files.prm);
        ChooseFile(f, page, "Command_PARSet", files.par);
        Click(page, "Command_CalcState");
        EXPECT_TRUE(Checked(page, "Option4"));
        EXPECT_EQ(TextOf(page, "Option4"), "中・推定");
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& d) {
        EXPECT_EQ(d.objectName().toStdString(), "Dialog_Com3_01Ext");
        SetBar(d, "HScroll1", 40);
        Click(d, "Command_Calc");
        Click(d, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(TextOf(page, "Text1"), "40");
        EXPECT_FALSE(IsEnabled(page, "Text1"));
        SetBar(page, "HScroll3", 1200);
        Click(page, "OKButton");
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        EXPECT_EQ(Find<QScrollBar>(page, "HScroll7")->minimum(), 41);
        SetBar(page, "HScroll7", 90);
        Click(page, "OKButton");
    });
    PolicyPage(f, 75, 10, 90, 41, 80, 6, "収穫予測－パラメータ設定(6/6)");
    window.Command2_Click();
    ASSERT_NE(WaitForPlans(window), nullptr);
    const Workspace& ws = f.context->ws;
    EXPECT_EQ(ws.Run.SiteClass, 4);
    EXPECT_EQ(ws.Plan.StartAge, 40);
    const std::string shown = mk::test::ReadBytes(f.folder.File("YIELD_AA.160"));
    EXPECT_NE(shown.find(mk::test::Sjis("  （地位中・推定）")), std::string::npos);

    char site[512];
    std::snprintf(site, sizeof site,
                  "SiteClass = 4\nSiteCurveScale = %.17g\n\n[CurrentStandState]\n"
                  "SiteText = 中・推定\nSiteCalcAge = %d\nSiteCalcHeight = %.17g\n",
                  ws.Run.SiteCurveScale, ws.CurrentStand.SiteCalcAge,
                  ws.CurrentStand.SiteCalcHeight);
    const std::string batch =
        CliPlanTable(f, files,
                     "StandStateKnown = 1\nTargetDecided = 2\nStartStemNumber = 1200\nEndAge = 90\n"
                     "RyLimit = 0.75\nRyStep = 0.10\nSlendernessLimit = 0.90\nThinStartAge = 41\n"
                     "ThinToAge = 81\nIntervalLessOne = 5\n",
                     site);
    EXPECT_TRUE(shown == batch) << "the window's plan table differs from the batch tool's";
}

}  // namespace
}  // namespace mk::app::test
