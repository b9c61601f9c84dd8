// The launcher of external programs with its settings, and the about box.

#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLabel>

#include "app/tools/dialog_helper_setting.h"
#include "app/tools/form_helper_program.h"
#include "app/tools/frm_about.h"
#include "app/widgets/app_icon.h"
#include "app_test_support.h"
#include "morikoyomi_version.h"

namespace mk::app::test {
namespace {

// Opens the settings dialog of the editor and answers it with script.
void ConfigureEditor(AppFixture& f, Form_HelperProgram& launcher,
                     std::function<void(QDialog&)> script) {
    f.scripted.dialogs.Then(std::move(script));
    TriggerMenu(launcher, "mnuEnvEditer");
}

TEST(Launcher, StartsWithBothButtonsDisabledWithoutSettings) {
    AppFixture f;
    Form_HelperProgram launcher(*f.context);
    EXPECT_EQ(launcher.windowTitle().toStdString(), "補助プログラムの実行");
    EXPECT_FALSE(IsEnabled(launcher, "Command1"));
    EXPECT_FALSE(IsEnabled(launcher, "Command2"));
}

TEST(Launcher, SettingAPathEnablesItsButtonAndClearingItDisables) {
    AppFixture f;
    Form_HelperProgram launcher(*f.context);
    ConfigureEditor(f, launcher, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "エディターの環境設定");
        EXPECT_EQ(TextOf(d, "Label1"), "エディターのプログラムパス");
        EXPECT_EQ(TextOf(d, "Label2"), "エディターのプログラムパラメータ");
        TypeText(d, "Text1", "/usr/bin/my editor");
        TypeText(d, "Text2", "-n \"a file.txt\"");
        Click(d, "OKButton");
    });
    EXPECT_TRUE(IsEnabled(launcher, "Command1"));
    EXPECT_FALSE(IsEnabled(launcher, "Command2"));

    launcher.Command1_Click();
    ASSERT_EQ(f.scripted.processes.started.size(), 1u);
    // The path is the program as it stands; quotes group the arguments.
    EXPECT_EQ(f.scripted.processes.started[0].program.toStdString(), "/usr/bin/my editor");
    EXPECT_EQ(f.scripted.processes.started[0].arguments, (QStringList{"-n", "a file.txt"}));

    ConfigureEditor(f, launcher, [](QDialog& d) {
        EXPECT_EQ(TextOf(d, "Text1"), "/usr/bin/my editor");
        TypeText(d, "Text1", "");
        Click(d, "OKButton");
    });
    EXPECT_FALSE(IsEnabled(launcher, "Command1"));
}

TEST(Launcher, CancelledSettingsChangeNothing) {
    AppFixture f;
    f.scripted.settings.values["Helper/FilerPath"] = "/usr/bin/files";
    Form_HelperProgram launcher(*f.context);
    EXPECT_TRUE(IsEnabled(launcher, "Command2"));
    f.scripted.dialogs.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "ファイラーの環境設定");
        TypeText(d, "Text1", "");
        Click(d, "CancelButton");
    });
    TriggerMenu(launcher, "mnuEnvFiler");
    EXPECT_TRUE(IsEnabled(launcher, "Command2"));
    EXPECT_EQ(launcher.filerPath().toStdString(), "/usr/bin/files");
}

TEST(Launcher, BrowsingCancelledWithAnEmptyBoxLeavesItEmpty) {
    AppFixture f;
    Form_HelperProgram launcher(*f.context);
    ConfigureEditor(f, launcher, [&f](QDialog& d) {
        f.scripted.files.Cancel();
        Click(d, "Command1");
        EXPECT_EQ(TextOf(d, "Text1"), "");
        ASSERT_EQ(f.scripted.files.requests().size(), 1u);
        EXPECT_EQ(f.scripted.files.requests()[0].title.toStdString(), "エディタープログラムの指定");
        EXPECT_TRUE(f.scripted.files.requests()[0].presetName.endsWith("/*.exe"));
        // Programs here have no extension: the first filter lists what may run.
        EXPECT_TRUE(f.scripted.files.requests()[0].executablesFirst);
        EXPECT_TRUE(f.scripted.files.requests()[0].filter.startsWith("プログラム (*)|*|"));
        f.scripted.files.Choose("/opt/edit/bin/edit");
        Click(d, "Command1");
        EXPECT_EQ(TextOf(d, "Text1"), "/opt/edit/bin/edit");
        Click(d, "CancelButton");
    });
}

TEST(Launcher, AFailedStartIsReported) {
    AppFixture f;
    f.scripted.settings.values["Helper/EditerPath"] = "/no/such/editor";
    f.scripted.processes.succeed = false;
    Form_HelperProgram launcher(*f.context);
    launcher.Command1_Click();
    ASSERT_EQ(f.scripted.messages.shown().size(), 1u);
    EXPECT_EQ(f.scripted.messages.shown()[0].text,
              "プログラムを起動できません。\r\n/no/such/editor");
    EXPECT_EQ(f.scripted.messages.shown()[0].icon, MessageIcon::Error);
}

TEST(Launcher, SettingsSurviveARestartAndTheFolderIsRestored) {
    AppFixture f;
    const QString ini = QString::fromStdString(f.folder.File("settings.ini"));
    const QString before = QDir::currentPath();
    {
        QtSettingsStore store(ini);
        f.context->services.settings = &store;
        Form_HelperProgram launcher(*f.context);
        ConfigureEditor(f, launcher, [](QDialog& d) {
            TypeText(d, "Text1", "/usr/bin/vi");
            TypeText(d, "Text2", "");
            Click(d, "OKButton");
        });
        // A file dialog may move the current folder while the launcher is open.
        QDir::setCurrent(QDir::tempPath());
        TriggerMenu(launcher, "mnuFileExit");
        EXPECT_EQ(QDir::currentPath(), before);
    }
    QtSettingsStore restarted(ini);
    EXPECT_EQ(restarted.Read("Helper", "EditerPath").toStdString(), "/usr/bin/vi");
    EXPECT_EQ(restarted.Read("Helper", "FilerPath").toStdString(), "");
    f.context->services.settings = &restarted;
    Form_HelperProgram launcher(*f.context);
    EXPECT_TRUE(IsEnabled(launcher, "Command1"));
    EXPECT_FALSE(IsEnabled(launcher, "Command2"));
    f.context->services.settings = &f.scripted.settings;
}

TEST(AboutBox, ShowsTitleVersionAndDescription) {
    AppFixture f;
    frmAbout about(*f.context);
    EXPECT_EQ(about.windowTitle().toStdString(), "システム収穫表：杜の暦『構想』について");
    EXPECT_EQ(TextOf(about, "lblTitle"), "杜の暦『構想』");
    EXPECT_EQ(TextOf(about, "lblDescription"),
              "林分密度管理図に基づく人工林収穫予測表作成システム");
    EXPECT_EQ(TextOf(about, "lblDisclaimer"), "");
    // The version of the build, as the batch tool's --version and the package give it.
    EXPECT_EQ(
        TextOf(about, "lblVersion"),
        VersionText(MORIKOYOMI_VERSION_MAJOR, MORIKOYOMI_VERSION_MINOR, MORIKOYOMI_VERSION_PATCH)
            .toStdString());
    EXPECT_EQ(TextOf(about, "Label_Copyrights"), MORIKOYOMI_COPYRIGHT);
    EXPECT_EQ(VersionText(1, 0, 12).toStdString(), "Version  1.00.12");
    EXPECT_EQ(VersionText(12, 3, 4).toStdString(), "Version 12.03.04");
}

TEST(AboutBox, EveryTextFitsOnItsOwnLine) {
    AppFixture f;
    frmAbout about(*f.context);
    about.show();
    QCoreApplication::processEvents();
    for (const char* name : {"lblTitle", "lblVersion", "lblDescription", "Label_Copyrights"}) {
        auto* label = Find<QLabel>(about, name);
        ASSERT_NE(label, nullptr);
        const QFontMetrics metrics(label->font());
        EXPECT_FALSE(label->wordWrap()) << name;
        EXPECT_GE(label->width(), metrics.horizontalAdvance(label->text())) << name;
        EXPECT_LT(label->height(), 2 * metrics.lineSpacing()) << name;
    }
}

TEST(AppIcon, IsTheDesktopIconAtEveryRenderedSize) {
    const QIcon icon = AppIcon();
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    // Not an empty picture: the middle of the stand is drawn opaque.
    const QImage image = icon.pixmap(48, 48).toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(24, 24).alpha(), 255);
    AppFixture f;
    frmAbout about(*f.context);
    const auto* picture = about.findChild<QLabel*>(QStringLiteral("picIcon"));
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
}

TEST(AboutBox, SystemInformationIsNotAvailableHere) {
    AppFixture f;
    frmAbout about(*f.context);
    Click(about, "cmdSysInfo");
    EXPECT_EQ(LastMessage(f.scripted), "現時点ではｼｽﾃﾑ情報を使用できません");
    EXPECT_EQ(f.scripted.messages.shown()[0].buttons, MessageButtons::Ok);
}

}  // namespace
}  // namespace mk::app::test
