// The toolkit services: filters in the toolkit's form, argument splitting,
// settings that read missing keys as empty.

#include <gtest/gtest.h>

#include <QAbstractProxyModel>
#include <QFileDialog>
#include <QFileSystemModel>
#include <filesystem>

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

TEST(FileDialogFilter, FirstExtensionIsTheOneASaveAdds) {
    EXPECT_EQ(FirstFilterExtension("BMPファイル(*.bmp)|*.bmp").toStdString(), "bmp");
    EXPECT_EQ(FirstFilterExtension("DAT (*.dat)|*.dat|すべて (*)|*").toStdString(), "dat");
    EXPECT_EQ(FirstFilterExtension("すべて (*)|*").toStdString(), "");
    EXPECT_EQ(FirstFilterExtension("画像").toStdString(), "");
}

// The launcher's first filter: only the files the user may run (and the
// folders), under the other filters every file.
TEST(FileDialogFilter, FirstFilterCanListOnlyExecutables) {
    mk::test::TempDir dir;
    namespace fs = std::filesystem;
    mk::test::WriteBytes(dir.File("editor"), "#!/bin/sh\n");
    fs::permissions(dir.File("editor"), fs::perms::owner_all);
    mk::test::WriteBytes(dir.File("notes.txt"), "text");
    fs::create_directory(dir.File("bin"));
    QFileDialog dialog(nullptr, QStringLiteral("t"), QString::fromStdString(dir.path()),
                       ToolkitFilter("プログラム (*)|*|すべてのファイル (*)|*"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    ShowOnlyExecutablesUnderFirstFilter(dialog);
    dialog.show();
    auto* model = dialog.findChild<QFileSystemModel*>();
    QAbstractProxyModel* shown = dialog.proxyModel();
    ASSERT_NE(model, nullptr);
    ASSERT_NE(shown, nullptr);
    // The model lists the folder in the background.
    const auto listed = [&](int expected) {
        QStringList names;
        const QModelIndex root =
            shown->mapFromSource(model->index(QString::fromStdString(dir.path())));
        WaitFor([&] { return shown->rowCount(root) == expected; }, 5000);
        for (int i = 0; i < shown->rowCount(root); ++i)
            names << shown->index(i, 0, root).data().toString();
        names.sort();
        return names;
    };
    EXPECT_EQ(listed(2), (QStringList{"bin", "editor"}));
    dialog.selectNameFilter(QStringLiteral("すべてのファイル (*)"));
    emit dialog.filterSelected(QStringLiteral("すべてのファイル (*)"));
    EXPECT_EQ(listed(3), (QStringList{"bin", "editor", "notes.txt"}));
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
