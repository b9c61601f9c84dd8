// A plan and a fitted curve made with the keyboard alone: every control is
// reached with Tab, buttons and options pressed with Space, values typed,
// pages finished with Enter, menus opened with their Alt letters and
// windows closed with Esc. Only the file dialogs are answered by script.

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

#include "app/basedata/form_1base.h"
#include "app/basedata/form_1heightcurve.h"
#include "app/main/form_main.h"
#include "app/planning/dialog_com2dsp.h"
#include "planning_test_support.h"
#include "support/test_files.h"

namespace mk::app::test {
namespace {

TEST(KeyboardOnly, APlanFromTheMainMenuToItsResultWindow) {
    AppFixture f;
    RegionFiles files(f);
    Form_Main window(*f.context);
    Activate(window);
    f.scripted.dialogs.Then([](QDialog& page) {
        Activate(page);
        ChooseOption(page, "Option1");  // the stand is known
        ChooseOption(page, "Option3");  // and so is the target
        EXPECT_TRUE(Checked(page, "Option1") && Checked(page, "Option3"));
        PressKey(page, Qt::Key_Return);
        EXPECT_FALSE(page.isVisible());
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        Activate(page);
        TabTo(page, "List1");
        TypeKeys(page, QStringLiteral("青森"));
        EXPECT_EQ(TextOf(page, "Label2"), "計算対象地域は 青森県 が選択されています。");
        PressKey(page, Qt::Key_Return);
        EXPECT_FALSE(page.isVisible());
    });
    f.scripted.dialogs.Then([&f, &files](QDialog& page) {
        Activate(page);
        f.scripted.files.Choose(QString::fromStdString(files.prm));
        PressButton(page, "Command_PRMSet");
        f.scripted.files.Choose(QString::fromStdString(files.par));
        PressButton(page, "Command_PARSet");
        ChooseOption(page, "Option2");  // site class 中
        PressKey(page, Qt::Key_Return);
        EXPECT_FALSE(page.isVisible());
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        Activate(page);
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_04");
        TypeInto(page, "Text1", "15");
        TypeInto(page, "Text3", "2500");
        PressKey(page, Qt::Key_Return);
        EXPECT_FALSE(page.isVisible());
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        Activate(page);
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_05");
        TypeInto(page, "Text1", "60");
        TypeInto(page, "Text3", "700");
        PressKey(page, Qt::Key_Return);
        EXPECT_FALSE(page.isVisible());
    });
    f.scripted.dialogs.Then([](QDialog& page) {
        Activate(page);
        EXPECT_EQ(page.objectName().toStdString(), "Dialog_Com2_06");
        TypeInto(page, "Text1", "0.65");
        TypeInto(page, "Text3", "100");
        TypeInto(page, "Text4", "16");
        TypeInto(page, "Text5", "55");
        TypeInto(page, "Text6", "5");
        PressKey(page, Qt::Key_Return);  // 完了, and the confirmation is answered OK
        EXPECT_FALSE(page.isVisible());
    });
    PressButton(window, "Command2");
    EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
    EXPECT_EQ(LastMessage(f.scripted).rfind("この設定で宜しいか？", 0), 0u);

    Dialog_Com2DSP* result = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        result = window.findChild<Dialog_Com2DSP*>();
        return result != nullptr && result->activated();
    }));
    ASSERT_EQ(PlanTables(f.folder.path()), std::vector<std::string>{"YIELD_AA.160"});
    EXPECT_TRUE(mk::test::ReadBytes(f.folder.File("YIELD_AA.160")) ==
                CliPlanTable(f, files,
                             "StandStateKnown = 1\nTargetDecided = 1\nStartAge = 15\n"
                             "StartStemNumber = 2500\nEndAge = 60\nTargetStemNumber = 700\n"
                             "RyLimit = 0.65\nSlendernessLimit = 1.00\nThinStartAge = 16\n"
                             "ThinToAge = 56\nIntervalLessOne = 4\n"))
        << "the plan made with the keyboard differs from the batch tool's";
    // The graphs are paged with the keyboard too, and Esc closes the window.
    Activate(*result);
    const std::string first = TextOf(*result, "Label5");
    PressButton(*result, "Command_Next");
    EXPECT_NE(TextOf(*result, "Label5"), first);
    QPointer<Dialog_Com2DSP> closing(result);
    PressKey(*result, Qt::Key_Escape);
    EXPECT_TRUE(WaitFor([&] { return closing.isNull() || !closing->isVisible(); }));
}

// Both curves are fitted the same way: the survey file opened from the
// menu, automatic starting values, 計算開始, and the graph saved.
TEST(KeyboardOnly, CurvesFittedFromASurveyFileAndSaved) {
    const struct {
        const char* button;
        const char* written;
        const char* curve;
    } cases[] = {{"Command2", "YIELD_AA.PAR", "site"}, {"Command3", "YIELD_AA.HNP", "hnp"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.curve);
        AppFixture f;
        Form_1BASE menu(*f.context);
        Activate(menu);
        const std::string bmp = f.folder.File("curve.bmp");
        f.scripted.dialogs.Then([&](QDialog& window) {
            Activate(window);
            f.scripted.files.Choose(QString::fromStdString(f.dat));
            PressKey(window, Qt::Key_F, Qt::AltModifier);
            PressKey(window, Qt::Key_O);  // 開く
            EXPECT_EQ(window.windowTitle().toStdString().rfind(f.dat + " －", 0), 0u);
            PressButton(window, "Check1");  // 自動初期値設定
            PressButton(window, "Command_GO");
            auto& curve = static_cast<Form_1HEIGHTCURVE&>(window);
            ASSERT_EQ(curve.writtenFiles().size(), 1u);
            EXPECT_EQ(curve.writtenFiles()[0], f.folder.File(c.written));
            EXPECT_TRUE(mk::test::ReadBytes(curve.writtenFiles()[0]) ==
                        BatchFit(f.dat, {"--curve", c.curve}));
            f.scripted.files.Choose(QString::fromStdString(bmp));
            PressKey(window, Qt::Key_F, Qt::AltModifier);
            PressKey(window, Qt::Key_E);  // 画像の保存
            PressKey(window, Qt::Key_Escape);
            EXPECT_FALSE(window.isVisible());
        });
        PressButton(menu, c.button);
        EXPECT_EQ(f.scripted.dialogs.pending(), 0u);
        EXPECT_EQ(mk::test::ReadBytes(bmp).substr(0, 2), "BM");
    }
}

}  // namespace
}  // namespace mk::app::test
