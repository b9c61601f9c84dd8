#include "app/widgets/wizard_page.h"

#include <QFrame>
#include <QHBoxLayout>

#include "app/widgets/scroll_row.h"

namespace mk::app {

WizardPage::WizardPage(AppContext& context, const QString& name, const QString& caption,
                       const QString& descriptionName, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(name);
    setWindowTitle(caption);
    // Closing the page any other way than its buttons counts as cancel.
    context_.flags.WizardResult = 0;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    description_ =
        new QLabel(QStringLiteral("収穫予測表の作成のためのパラメータを設定します。"), this);
    description_->setObjectName(descriptionName);
    description_->setWordWrap(true);
    description_->setMinimumHeight(48);
    description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(description_);
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);
    body_ = new QVBoxLayout();
    body_->setSpacing(10);
    layout->addLayout(body_, 1);
    auto* rule2 = new QFrame(this);
    rule2->setFrameShape(QFrame::HLine);
    rule2->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule2);

    back_ = new QPushButton(QStringLiteral("< 戻る"), this);
    back_->setObjectName(QStringLiteral("Command_Back"));
    ok_ = new QPushButton(QStringLiteral("次へ >"), this);
    ok_->setObjectName(QStringLiteral("OKButton"));
    cancel_ = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel_->setObjectName(QStringLiteral("CancelButton"));
    for (QPushButton* b : {back_, ok_, cancel_}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(96);
    }
    // Enter anywhere on the page presses 次へ (or 完了); Esc cancels.
    ok_->setDefault(true);
    buttons_ = new QHBoxLayout();
    buttons_->addStretch();
    buttons_->addWidget(back_);
    buttons_->addWidget(ok_);
    buttons_->addSpacing(12);
    buttons_->addWidget(cancel_);
    layout->addLayout(buttons_);

    connect(back_, &QPushButton::clicked, this, &WizardPage::Command_Back_Click);
    connect(ok_, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(cancel_, &QPushButton::clicked, this, &WizardPage::CancelButton_Click);
}

void WizardPage::showEvent(QShowEvent* event) {
    if (!activated_) {
        // The page's controls are made after the frame's buttons; Tab goes
        // through them in reading order and reaches the buttons last.
        EnableTypedEntry(this, context_.messages());
        PutButtonsLastInTabOrder();
    }
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    Form_Activate();
}

void WizardPage::PutButtonsLastInTabOrder() {
    // A widget taken out and put back goes to the end of the focus chain.
    QWidget holder;
    for (QPushButton* b : {back_, ok_, cancel_}) b->setParent(&holder);
    for (QPushButton* b : {back_, ok_, cancel_}) b->setParent(this);
    // Back in their row: stretch, 戻る, 次へ, a gap, ｷｬﾝｾﾙ.
    buttons_->insertWidget(1, back_);
    buttons_->insertWidget(2, ok_);
    buttons_->addWidget(cancel_);
    for (QPushButton* b : {back_, ok_, cancel_}) b->show();
    ok_->setDefault(true);
}

void WizardPage::reject() {
    // Esc and the window's close button count as cancel.
    context_.flags.WizardResult = 0;
    QDialog::reject();
}

void WizardPage::Command_Back_Click() {
    KeepValuesForLater();
    context_.flags.WizardResult = 2;
    accept();
}

void WizardPage::CancelButton_Click() {
    context_.flags.WizardResult = 0;
    reject();
}

void WizardPage::Finish() {
    context_.flags.WizardResult = 1;
    accept();
}

void WizardPage::ShowError(const std::string& text) {
    context_.messages().Show(text, windowTitle().toStdString(), MessageIcon::Error);
}

}  // namespace mk::app
