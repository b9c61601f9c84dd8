// The toolkit services: filters in the toolkit's form, argument splitting,
// settings that read missing keys as empty.

#include <gtest/gtest.h>

#include <QAbstractProxyModel>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "app/services/file_dialogs.h"
#include "app/services/process_starter.h"
#include "app/services/qt_messages.h"
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
        WaitFor([&] { return shown->rowCount(root) == expected; }, 30000);
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

TEST(FileDialogFilter, SeveralPatternsAreGivenToTheToolkitApartByBlanks) {
    EXPECT_EQ(
        ToolkitFilter("林分密度管理図ﾌｧｲﾙ (茨城*.prm;茨木*.prm)|茨城*.prm;茨木*.prm").toStdString(),
        "林分密度管理図ﾌｧｲﾙ (茨城*.prm 茨木*.prm)");
    EXPECT_EQ(ToolkitFilter("PAR|a*.par;b*.par").toStdString(), "PAR (a*.par b*.par)");
}

TEST(SaveDialog, DefaultSuffixAndQuestionsBeforeReplacingOrCreating) {
    mk::test::TempDir dir;
    const QString folder = QString::fromStdString(dir.path());
    mk::test::WriteBytes(dir.File("old.dat"), "x");
    struct Case {
        QString typed, suffix, expected;
    };
    const Case cases[] = {
        {folder + "/杉 試験地", "dat", folder + "/杉 試験地.dat"},
        {folder + "/杉.DAT", "dat", folder + "/杉.DAT"},
        {folder + "/静岡.v2", "prm", folder + "/静岡.v2"},
        {folder + "/a.b/静岡テスト", "prm", folder + "/a.b/静岡テスト.prm"},
        {folder + "/image", "", folder + "/image"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithDefaultSuffix(c.typed, c.suffix), c.expected) << c.typed.toStdString();

    // The extension a typed name gets follows the filter chosen.
    EXPECT_EQ(FilterSuffix("PNGファイル(*.png)").toStdString(), "png");
    EXPECT_EQ(FilterSuffix("林分密度管理図ﾌｧｲﾙ (茨城*.prm 茨木*.prm)").toStdString(), "prm");
    EXPECT_TRUE(FilterSuffix("すべてのファイル (*)").isEmpty());

    FileDialogRequest request;
    EXPECT_EQ(SaveQuestion(folder + "/old.dat", request).toStdString(),
              "old.dat は既に存在します。\n上書きしますか？");
    EXPECT_TRUE(SaveQuestion(folder + "/new.dat", request).isEmpty());
    request.promptCreate = true;
    EXPECT_EQ(SaveQuestion(folder + "/new.dat", request).toStdString(),
              "new.dat は存在しません。\n作成しますか？");
}

TEST(MessageBoxes, AreWideEnoughForTheirWholeTitle) {
    for (const char* title :
         {"PRMファイル読み込みエラー", "調査値データ入力処理", "収穫予測－パラメータ設定(3/6)"}) {
        QMessageBox box(QMessageBox::Critical, QString::fromUtf8(title), QStringLiteral("NG"),
                        QMessageBox::Ok);
        FitTitle(box);
        box.show();
        EXPECT_GE(box.width(), TitleBarWidth(box.windowTitle())) << title;
        EXPECT_GT(TitleBarWidth(box.windowTitle()),
                  QFontMetrics(box.font()).horizontalAdvance(box.windowTitle()));
        box.close();
    }
}

// The toolkit's save dialog driven as a user would: a name typed without
// its extension, the question before replacing answered "いいえ" (the
// dialog comes back), then "はい"; the question's buttons read in Japanese.
TEST(SaveDialog, TheToolkitDialogAddsTheSuffixAndAsksBeforeReplacing) {
    mk::test::TempDir dir;
    mk::test::WriteBytes(dir.File("杉 試験地.dat"), "x");
    std::vector<std::string> questions, buttons;
    int dialogs = 0;
    QTimer driver;
    int ticks = 0;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        // A dialog that does not react is given up instead of waiting forever.
        if (++ticks > 1500 && modal != nullptr) {
            modal->close();
            return;
        }
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            ++dialogs;
            dialog->selectFile(QString::fromStdString(dir.File("杉 試験地")));
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            questions.push_back(box->text().toStdString());
            buttons.push_back(box->button(QMessageBox::No)->text().toStdString());
            box->button(questions.size() == 1 ? QMessageBox::No : QMessageBox::Yes)->click();
        }
    });
    driver.start(20);
    QtFileDialogs files;
    QtMessages messages;
    const FileDialogRequest request{.title = QStringLiteral("保存"),
                                    .filter = QStringLiteral("基礎資料ﾌｧｲﾙ (*.dat)|*.dat"),
                                    .presetName = QString::fromStdString(dir.path() + "/*.dat"),
                                    .defaultSuffix = QStringLiteral("dat"),
                                    .promptCreate = true};
    const std::optional<QString> chosen = AskSaveFileName(files, messages, nullptr, request);
    driver.stop();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->toStdString(), dir.File("杉 試験地.dat"));
    EXPECT_EQ(dialogs, 2);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0], "杉 試験地.dat は既に存在します。\n上書きしますか？");
    EXPECT_EQ(questions[1], questions[0]);
    EXPECT_EQ(buttons[0], "いいえ(&N)");
}

}  // namespace
}  // namespace mk::app::test
