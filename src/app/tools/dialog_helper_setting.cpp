#include "app/tools/dialog_helper_setting.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/text/text_compare.h"

namespace mk::app {

Dialog_HelperSetting::Dialog_HelperSetting(AppContext& context, int mode, const QString& path,
                                           const QString& arguments, QWidget* parent)
    : QDialog(parent), context_(context), path_(path), arguments_(arguments) {
    setObjectName(QStringLiteral("Dialog_HelperSetting"));
    result_ = 0;
    word_ = mode == 0 ? QStringLiteral("エディター") : QStringLiteral("ファイラー");
    setWindowTitle(word_ + QStringLiteral("の環境設定"));

    auto* grid = new QGridLayout(this);
    auto* label1 = new QLabel(word_ + QStringLiteral("のプログラムパス"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    text1_ = new QLineEdit(path, this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setMinimumWidth(360);
    auto* browse = new QPushButton(QStringLiteral("参照"), this);
    browse->setObjectName(QStringLiteral("Command1"));
    browse->setAutoDefault(false);
    auto* label2 = new QLabel(word_ + QStringLiteral("のプログラムパラメータ"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    text2_ = new QLineEdit(arguments, this);
    text2_->setObjectName(QStringLiteral("Text2"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setAutoDefault(false);

    grid->addWidget(label1, 0, 0, 1, 2);
    grid->addWidget(text1_, 1, 0);
    grid->addWidget(browse, 1, 1);
    grid->addWidget(label2, 2, 0, 1, 2);
    grid->addWidget(text2_, 3, 0);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 4, 0, 1, 2);

    connect(browse, &QPushButton::clicked, this, &Dialog_HelperSetting::Command1_Click);
    connect(ok, &QPushButton::clicked, this, &Dialog_HelperSetting::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &Dialog_HelperSetting::CancelButton_Click);
}

void Dialog_HelperSetting::Command1_Click() {
    const QString before = text1_->text();
    QString initial = before;
    if (initial.isEmpty()) initial = QDir::currentPath() + QStringLiteral("/*.exe");
    // Programs on this platform have no extension of their own: the first
    // filter lists the files the user may run, the others .exe files (for a
    // program run through a compatibility layer) and every file.
    FileDialogRequest request{word_ + QStringLiteral("プログラムの指定"),
                              QStringLiteral("プログラム (*)|*|プログラム (*.exe)|*.exe|"
                                             "すべてのファイル (*)|*"),
                              initial};
    request.executablesFirst = true;
    const std::optional<QString> chosen = context_.services.files->Open(this, request);
    if (!chosen || chosen->isEmpty()) return;
    if (!TextEquals(chosen->toStdString(), initial.toStdString())) {
        text1_->setText(*chosen);
    } else {
        text1_->setText(before);
    }
}

void Dialog_HelperSetting::OKButton_Click() {
    path_ = text1_->text();
    arguments_ = text2_->text();
    result_ = 1;
    accept();
}

void Dialog_HelperSetting::CancelButton_Click() {
    result_ = 0;
    reject();
}

}  // namespace mk::app
