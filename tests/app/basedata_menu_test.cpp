// The base data menu: reached from the main window, it opens each base data
// window modally, the curve window in the mode of its button.

#include <gtest/gtest.h>

#include <QDialog>
#include <QPushButton>

#include "app/basedata/form_1base.h"
#include "app/main/form_main.h"
#include "app_test_support.h"

namespace mk::app::test {
namespace {

TEST(BaseDataMenu, ShowsTheFiveTasksWithTheirHints) {
    AppFixture f;
    Form_1BASE menu(*f.context);
    EXPECT_EQ(menu.windowTitle().toStdString(), "基礎資料の作成");
    EXPECT_EQ(TextOf(menu, "Label1"), "基礎資料の作成");
    EXPECT_EQ(Find<QWidget>(menu, "Frame1")->property("title").toString().toStdString(),
              "調査地データの作成・編集");
    struct Expected {
        const char* name;
        const char* text;
        const char* hint;
    };
    const Expected buttons[] = {
        {"Command1_1", "調査地データ入力", "調査値データの入力作業を行います。"},
        {"Command1_2", "調査地データ吟味", "既にあるDATファイルの内容を吟味作業を行います。"},
        {"Command1_3", "管理図のパラメータ入力", "管理図のパラメータ入力作業を行います。"},
        {"Command2", "地位別上層樹高曲線式の決定", "地位別の上層樹高曲線式を決定します。"},
        {"Command3", "上層樹高－本数曲線式の決定", "上層樹高－本数曲線式を決定します。"},
        {"Command_Exit", "終了", "「一斉林」作業メニューに戻ります。"}};
    for (const Expected& e : buttons) {
        auto* button = Find<QPushButton>(menu, e.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text().toStdString(), e.text);
        EXPECT_EQ(button->toolTip().toStdString(), e.hint) << e.name;
        EXPECT_TRUE(button->isEnabled()) << e.name;
    }
}

TEST(BaseDataMenu, OpensEachTaskWindowFromTheMainWindow) {
    AppFixture f;
    Form_Main main(*f.context);
    std::vector<std::string> titles;
    auto record = [&titles](QDialog& d) { titles.push_back(d.windowTitle().toStdString()); };
    f.scripted.dialogs.Then([&](QDialog& menu) {
        EXPECT_EQ(menu.objectName().toStdString(), "Form_1BASE");
        for (const char* button :
             {"Command1_1", "Command1_2", "Command1_3", "Command2", "Command3"}) {
            f.scripted.dialogs.Then(record);
            Click(menu, button);
        }
        Click(menu, "Command_Exit");
        EXPECT_FALSE(menu.isVisible());
    });
    Click(main, "Command1");
    EXPECT_EQ(f.scripted.dialogs.shownWindows(),
              (QStringList{"Form_1BASE", "Form_1DATAINPUT", "Form_1DATACHK", "Form_1PARAINPUT",
                           "Form_1HEIGHTCURVE", "Form_1HEIGHTCURVE"}));
    EXPECT_EQ(titles,
              (std::vector<std::string>{"調査値データ入力処理", "調査値データチェック処理",
                                        "管理図パラメータ入力処理", "地位別上層樹高曲線式の決定",
                                        "上層樹高－本数曲線式の決定"}));
}

TEST(BaseDataMenu, SurveyDataLoadedInOneWindowAreNotLeftForTheNext) {
    AppFixture f;
    Form_1BASE menu(*f.context);
    f.scripted.dialogs.Then([&f](QDialog& editor) {
        f.scripted.files.Choose(QString::fromStdString(f.dat));
        TriggerMenu(editor, "mnuFileOPEN");
        EXPECT_EQ(f.context->SurveyData.count, 60);
        TriggerMenu(editor, "mnuFileEXIT");
    });
    Click(menu, "Command1_1");
    f.scripted.dialogs.Then([&f](QDialog&) { EXPECT_EQ(f.context->SurveyData.count, 0); });
    Click(menu, "Command2");
}

}  // namespace
}  // namespace mk::app::test

namespace mk::app::test {
namespace {

TEST(BaseDataMenu, IsRefusedWhileASimulationRuns) {
    AppFixture f;
    Form_Main main(*f.context);
    f.context->computationRunning = true;
    Click(main, "Command1");
    EXPECT_TRUE(f.scripted.dialogs.shownWindows().isEmpty());
    EXPECT_EQ(LastMessage(f.scripted), "計算中です。計算が終わってから実行してください。");
    f.context->computationRunning = false;
}

}  // namespace
}  // namespace mk::app::test
