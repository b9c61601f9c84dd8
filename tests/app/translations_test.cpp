// Qt's own dialog texts read in Japanese: the program loads Qt's Japanese
// translation at start, as the test program does.

#include "app/services/translations.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeView>

#include "app/services/file_dialogs.h"
#include "app_test_support.h"

namespace mk::app::test {
namespace {

bool HasLatinLetter(const QString& text) {
    // The keyboard mnemonic "(&S)" keeps its Latin letter.
    QString withoutMnemonic = text;
    withoutMnemonic.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    for (const QChar c : withoutMnemonic) {
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
            (c >= QLatin1Char('a') && c <= QLatin1Char('z')))
            return true;
    }
    return false;
}

// A word of two or more Latin letters; units such as "KiB" are allowed.
bool HasLatinWord(const QString& text) {
    QString rest = text;
    rest.remove(QRegularExpression(QStringLiteral("\\b[KMGTP]iB\\b")));
    return rest.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2,}")));
}

TEST(JapaneseDialogs, FileDialogButtonsAndLabelsReadInJapanese) {
    ASSERT_TRUE(InstallJapaneseTranslations()) << "Qt's Japanese translation is not installed";
    for (const auto mode : {QFileDialog::AcceptOpen, QFileDialog::AcceptSave}) {
        QFileDialog dialog(nullptr, QStringLiteral("画像を保存します"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(mode);
        const QString accept = dialog.labelText(QFileDialog::Accept);
        EXPECT_TRUE(accept.startsWith(mode == QFileDialog::AcceptSave ? QStringLiteral("保存")
                                                                      : QStringLiteral("開く")))
            << accept.toStdString();
        // The button the user presses, as laid out in the dialog.
        bool found = false;
        for (auto* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == accept) found = true;
            EXPECT_FALSE(HasLatinLetter(button->text())) << button->text().toStdString();
        }
        EXPECT_TRUE(found);
        EXPECT_FALSE(HasLatinLetter(dialog.labelText(QFileDialog::LookIn)))
            << dialog.labelText(QFileDialog::LookIn).toStdString();
        EXPECT_FALSE(HasLatinLetter(dialog.labelText(QFileDialog::FileType)));
    }
}

// The file list's size, type and date columns, which Qt writes in the
// desktop's locale ("114 bytes", "plain text document", "8 Dec 2026").
TEST(JapaneseDialogs, FileListSizesTypesAndDatesReadInJapanese) {
    ASSERT_TRUE(InstallJapaneseTranslations());
    mk::test::TempDir dir;
    mk::test::WriteBytes(dir.File("small.txt"), "114 bytes of survey notes\n");
    mk::test::WriteBytes(dir.File("large.txt"), std::string(5000, 'x') + "\n");
    QFileDialog dialog(nullptr, QStringLiteral("基礎資料ﾌｧｲﾙ(DAT)の読み込み"),
                       QString::fromStdString(dir.path()));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    ListFilesInJapanese(dialog);
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(view, nullptr);
    QAbstractItemModel* list = view->model();
    const auto cell = [&](int row, int column) {
        return list->index(row, column, view->rootIndex()).data().toString();
    };
    ASSERT_TRUE(WaitFor([&] {
        if (list->rowCount(view->rootIndex()) < 2) return false;
        for (int row = 0; row < 2; ++row)
            if (cell(row, 2).isEmpty() || cell(row, 3).isEmpty()) return false;
        return true;
    }));
    for (int row = 0; row < 2; ++row) {
        for (int column = 1; column <= 3; ++column) {
            EXPECT_FALSE(HasLatinWord(cell(row, column)))
                << cell(row, 0).toStdString() << ": " << cell(row, column).toStdString();
        }
    }
}

TEST(JapaneseDialogs, MessageBoxButtonsAndOverwriteQuestionReadInJapanese) {
    ASSERT_TRUE(InstallJapaneseTranslations());
    QMessageBox box(QMessageBox::Warning, QStringLiteral("確認"), QStringLiteral("保存しますか？"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
    const std::pair<QMessageBox::StandardButton, const char*> expected[] = {
        {QMessageBox::Yes, "はい"},
        {QMessageBox::No, "いいえ"},
        {QMessageBox::Cancel, "キャンセル"},
        {QMessageBox::Ok, "OK"},
    };
    for (const auto& [which, text] : expected) {
        ASSERT_NE(box.button(which), nullptr);
        EXPECT_TRUE(box.button(which)->text().startsWith(QString::fromUtf8(text)))
            << box.button(which)->text().toStdString();
    }
    const QString overwrite = QCoreApplication::translate(
        "QFileDialog", "%1 already exists.\nDo you want to replace it?");
    EXPECT_FALSE(overwrite.contains(QStringLiteral("already exists"))) << overwrite.toStdString();
    EXPECT_TRUE(overwrite.contains(QStringLiteral("%1")));
}

}  // namespace
}  // namespace mk::app::test
