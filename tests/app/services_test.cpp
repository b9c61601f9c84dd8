// The toolkit services: filters in the toolkit's form, argument splitting,
// settings that read missing keys as empty.

#include <gtest/gtest.h>

#include "app/services/file_dialogs.h"
#include "app/services/process_starter.h"
#include "app/services/settings_store.h"
#include "app_test_support.h"

namespace mk::app::test {
namespace {

TEST(FileDialogFilter, KeepsTheProgramsTextAndAddsMissingPatterns) {
    EXPECT_EQ(ToolkitFilter("林分密度管理図ﾌｧｲﾙ (*.prm)|*.prm").toStdString(),
              "林分密度管理図ﾌｧｲﾙ (*.prm)");
    EXPECT_EQ(ToolkitFilter("BMPファイル(*.bmp)|*.bmp").toStdString(), "BMPファイル(*.bmp)");
    EXPECT_EQ(ToolkitFilter("プログラム (*.exe)|*.exe|すべてのファイル (*)|*").toStdString(),
              "プログラム (*.exe);;すべてのファイル (*)");
    EXPECT_EQ(ToolkitFilter("画像|*.bmp").toStdString(), "画像 (*.bmp)");
}

TEST(ProgramArguments, SplitAsAShellWouldWithoutInterpretingAnythingElse) {
    EXPECT_TRUE(SplitArguments("").isEmpty());
    EXPECT_EQ(SplitArguments("  -a   b "), (QStringList{"-a", "b"}));
    EXPECT_EQ(SplitArguments("--open \"C:/データ/収穫 表.150\""),
              (QStringList{"--open", "C:/データ/収穫 表.150"}));
    EXPECT_EQ(SplitArguments("$HOME *.prm"), (QStringList{"$HOME", "*.prm"}));
}

TEST(SettingsStore, MissingKeysReadEmptyAndEmptyValuesAreKept) {
    mk::test::TempDir dir;
    const QString ini = QString::fromStdString(dir.File("s.ini"));
    QtSettingsStore store(ini);
    EXPECT_EQ(store.Read("Helper", "EditerPath"), QString());
    store.Write("Helper", "EditerPath", "/usr/bin/a b");
    store.Write("Helper", "EditerPara", "");
    QtSettingsStore again(ini);
    EXPECT_EQ(again.Read("Helper", "EditerPath").toStdString(), "/usr/bin/a b");
    EXPECT_EQ(again.Read("Helper", "EditerPara"), QString());
    EXPECT_EQ(SettingsApplicationName().toStdString(), "杜の暦『構想』");
}

}  // namespace
}  // namespace mk::app::test
