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
