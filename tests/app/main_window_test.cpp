// The main menu: its buttons, the refusals while result windows are open,
// and the two ways of ending the program.

#include <gtest/gtest.h>

#include <QPushButton>

#include "app/main/form_main.h"
#include "app_test_support.h"

namespace mk::app::test {
namespace {

const char* const kYieldOpen = "現在オープン中の収穫予測表の作成ウィンドウを閉じてから実行してください。";
const char* const kVolumeOpen = "現在オープン中の林分材積表の作成ウィンドウを閉じてから実行してください。";

TEST(MainWindow, ShowsTheSixJobsWithTheirHints) {
    AppFixture f;
    Form_Main window(*f.context);
    EXPECT_EQ(window.windowTitle().toStdString(), "システム収穫表：杜の暦『構想』");
    struct Expected {
        const char* name;
        const char* text;
        const char* hint;
    };
    const Expected buttons[] = {
        {"Command1", "基礎資料の作成",
         "基礎資料の作成・地位別上層樹高曲線の決定・上層樹高－本数曲線式の決定を行います。"},
        {"Command2", "施業体系の編成", "施業計画立案の支援を行います。"},
        {"Command3", "収穫予測表の作成", "収穫予測表を作成します。"},
        {"Command4", "林分材積表の作成", "林分材積表の作成を行います。"},
        {"Command5", "補助プログラムの実行", ""},
        {"Command_Exit", "終了", "プログラムを終了します。"}};
    for (const Expected& e : buttons) {
        auto* button = Find<QPushButton>(window, e.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text().toStdString(), e.text);
        EXPECT_EQ(button->toolTip().toStdString(), e.hint) << e.name;
    }
    EXPECT_TRUE(IsEnabled(window, "Command1"));
    EXPECT_TRUE(IsEnabled(window, "Command2"));
    EXPECT_TRUE(IsEnabled(window, "Command3"));
}

TEST(MainWindow, RefusesBothTableJobsWhileTheResultWindowIsOpen) {
    AppFixture f;
    Form_Main window(*f.context);
    f.context->flags.OpenResultWindow = 3;
    window.Command3_Click();
    window.Command4_Click();
    f.context->flags.OpenResultWindow = 4;
    window.Command3_Click();
    const auto& shown = f.scripted.messages.shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, kYieldOpen);
    EXPECT_EQ(shown[0].title, "実行エラー");
    EXPECT_EQ(shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(shown[1].text, kYieldOpen);
    EXPECT_EQ(shown[2].text, kVolumeOpen);
    // No wizard page was shown for any of them.
    EXPECT_TRUE(f.scripted.dialogs.shownWindows().isEmpty());
    // The launcher stays usable.
    window.Command5_Click();
    EXPECT_EQ(f.scripted.dialogs.shownWindows(), QStringList{"Form_HelperProgram"});
}

TEST(MainWindow, ExitAsksOnceAndCancelKeepsTheProgram) {
    AppFixture f;
    Form_Main window(*f.context);
    window.show();
    f.scripted.messages.Script(MessageAnswer::Cancel);
    window.Command_Exit_Click();
    ASSERT_EQ(f.scripted.messages.shown().size(), 1u);
    EXPECT_EQ(f.scripted.messages.shown()[0].text, "システム収穫表：杜の暦『構想』 を終了します。");
    EXPECT_EQ(f.scripted.messages.shown()[0].title, "プログラムの終了");
    EXPECT_EQ(f.scripted.messages.shown()[0].buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(window.isVisible());

    f.scripted.messages.Script(MessageAnswer::Ok);
    window.Command_Exit_Click();
    EXPECT_FALSE(window.isVisible());
    // Closing from the exit flow does not ask a second time.
    EXPECT_EQ(f.scripted.messages.shown().size(), 2u);
}

TEST(MainWindow, ExitListsEveryOpenWindowAndStays) {
    AppFixture f;
    Form_Main window(*f.context);
    window.show();
    f.context->flags.AllImageViewOpen = -1;
    f.context->flags.PlanWindowOpen = 2;
    f.context->flags.OpenResultWindow = 4;
    window.Command_Exit_Click();
    const auto& shown = f.scripted.messages.shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, "現在オープンしている全画像表示ウィンドウを閉じてから行ってください。");
    EXPECT_EQ(shown[1].text, "現在オープン中の施業体系の編成ウィンドウを閉じてから実行してください。");
    EXPECT_EQ(shown[2].text, kVolumeOpen);
    for (const auto& m : shown) EXPECT_EQ(m.title, "終了エラー");
    EXPECT_TRUE(window.isVisible());
}

TEST(MainWindow, CloseButtonAsksInItsOwnWordsWithoutCheckingTheFlags) {
    AppFixture f;
    Form_Main window(*f.context);
    window.show();
    f.context->flags.OpenResultWindow = 3;
    f.scripted.messages.Script(MessageAnswer::Cancel);
    window.close();
    ASSERT_EQ(f.scripted.messages.shown().size(), 1u);
    EXPECT_EQ(f.scripted.messages.shown()[0].text, "システム収穫表：杜の暦『構想』を終了します。");
    EXPECT_EQ(f.scripted.messages.shown()[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(window.isVisible());
    window.close();
    EXPECT_FALSE(window.isVisible());
}

TEST(MainWindow, DoesNotEndWhileAComputationRuns) {
    AppFixture f;
    Form_Main window(*f.context);
    window.show();
    f.context->computationRunning = true;
    window.close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(f.scripted.messages.shown().empty());
    f.context->computationRunning = false;
}

TEST(MainWindow, VersionMenuOpensTheAboutBox) {
    AppFixture f;
    Form_Main window(*f.context);
    TriggerMenu(window, "Mnu_HelpVersion");
    EXPECT_EQ(f.scripted.dialogs.shownWindows(), QStringList{"frmAbout"});
}

}  // namespace
}  // namespace mk::app::test
