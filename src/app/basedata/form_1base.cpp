#include "app/basedata/form_1base.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/basedata/form_1datachk.h"
#include "app/basedata/form_1datainput.h"
#include "app/basedata/form_1heightcurve.h"
#include "app/basedata/form_1parainput.h"

namespace mk::app {

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        const QString& hint) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setMinimumSize(260, 38);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

Form_1BASE::Form_1BASE(AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("Form_1BASE"));
    setWindowTitle(QStringLiteral("基礎資料の作成"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 18, 28, 20);
    layout->setSpacing(12);
    auto* heading = new QLabel(QStringLiteral("基礎資料の作成"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    QFont mincho;
    mincho.setFamilies({QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"),
                        QStringLiteral("IPAMincho"), QStringLiteral("Noto Serif CJK JP")});
    mincho.setPointSize(20);
    heading->setFont(mincho);
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);

    auto* frame = new QGroupBox(QStringLiteral("調査地データの作成・編集"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* frameLayout = new QVBoxLayout(frame);
    auto* b11 = MakeButton(frame, "Command1_1", QStringLiteral("調査地データ入力"),
                           QStringLiteral("調査値データの入力作業を行います。"));
    auto* b12 = MakeButton(frame, "Command1_2", QStringLiteral("調査地データ吟味"),
                           QStringLiteral("既にあるDATファイルの内容を吟味作業を行います。"));
    auto* b13 = MakeButton(frame, "Command1_3", QStringLiteral("管理図のパラメータ入力"),
                           QStringLiteral("管理図のパラメータ入力作業を行います。"));
    frameLayout->addWidget(b11);
    frameLayout->addWidget(b12);
    frameLayout->addWidget(b13);
    layout->addWidget(frame);

    auto* b2 = MakeButton(this, "Command2", QStringLiteral("地位別上層樹高曲線式の決定"),
                          QStringLiteral("地位別の上層樹高曲線式を決定します。"));
    auto* b3 = MakeButton(this, "Command3", QStringLiteral("上層樹高－本数曲線式の決定"),
                          QStringLiteral("上層樹高－本数曲線式を決定します。"));
    exit_ = MakeButton(this, "Command_Exit", QStringLiteral("終了"),
                       QStringLiteral("「一斉林」作業メニューに戻ります。"));
    exit_->setMinimumWidth(110);
    layout->addWidget(b2);
    layout->addWidget(b3);
    layout->addWidget(exit_, 0, Qt::AlignRight);

    connect(b11, &QPushButton::clicked, this, &Form_1BASE::Command1_1_Click);
    connect(b12, &QPushButton::clicked, this, &Form_1BASE::Command1_2_Click);
    connect(b13, &QPushButton::clicked, this, &Form_1BASE::Command1_3_Click);
    connect(b2, &QPushButton::clicked, this, &Form_1BASE::Command2_Click);
    connect(b3, &QPushButton::clicked, this, &Form_1BASE::Command3_Click);
    connect(exit_, &QPushButton::clicked, this, &Form_1BASE::Command_Exit_Click);
}

void Form_1BASE::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Only the first activation moves the focus; coming back from a task
    // leaves it on the button that opened the task.
    if (activated_) return;
    activated_ = true;
    exit_->setFocus();
}

void Form_1BASE::Command1_1_Click() {
    Form_1DATAINPUT window(context_, this);
    context_.services.dialogs->Run(window);
}

void Form_1BASE::Command1_2_Click() {
    Form_1DATACHK window(context_, this);
    context_.services.dialogs->Run(window);
}

void Form_1BASE::Command1_3_Click() {
    Form_1PARAINPUT window(context_, this);
    context_.services.dialogs->Run(window);
}

void Form_1BASE::Command2_Click() { OpenCurveWindow(CurveMode::SiteCurve); }

void Form_1BASE::Command3_Click() { OpenCurveWindow(CurveMode::HeightStemCurve); }

void Form_1BASE::OpenCurveWindow(CurveMode mode) {
    Form_1HEIGHTCURVE window(context_, mode, this);
    context_.services.dialogs->Run(window);
}

void Form_1BASE::Command_Exit_Click() { accept(); }

}  // namespace mk::app
