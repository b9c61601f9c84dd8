#include "app/planning/plan_state_page.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>

#include "app/widgets/label_text.h"

namespace mk::app {

Dialog_Com2_01::Dialog_Com2_01(AppContext& context, QWidget* parent)
    : WizardPage(context, QStringLiteral("Dialog_Com2_01"),
                 QStringLiteral("収穫予測－パラメータ設定(1)"), QStringLiteral("Label_Desc"),
                 parent) {
    const QString frames[] = {QStringLiteral("現在の林分状態"), QStringLiteral("目標林型")};
    const QString captions[] = {QString(), QStringLiteral("わかっている"),
                                QStringLiteral("わからない"), QStringLiteral("決まっている"),
                                QStringLiteral("決まっていない")};
    auto* row = new QHBoxLayout();
    for (int f = 0; f < 2; ++f) {
        auto* frame = new QGroupBox(frames[f], this);
        frame->setObjectName(QStringLiteral("Frame%1").arg(f + 1));
        auto* column = new QVBoxLayout(frame);
        // Each frame is its own choice.
        auto* group = new QButtonGroup(frame);
        for (int i = 2 * f + 1; i <= 2 * f + 2; ++i) {
            options_[i] = new QRadioButton(captions[i], frame);
            options_[i]->setObjectName(QStringLiteral("Option%1").arg(i));
            group->addButton(options_[i]);
            column->addWidget(options_[i]);
            connect(options_[i], &QRadioButton::clicked, this, &Dialog_Com2_01::Option_Click);
        }
        column->addStretch();
        row->addWidget(frame);
    }
    body()->addLayout(row);
    body()->addStretch();
    Form_Load();
}

void Dialog_Com2_01::Form_Load() {
    context_.flags.WizardResult = 0;
    backButton()->setEnabled(false);
    okButton()->setEnabled(false);
    SetLabelText(description(), QStringLiteral("収穫予測のためのパラメータを設定します。\r\n"
                                               "現在の林分状態及び目標林型を選択してください。"));
    PlanSettings& plan = ws().Plan;
    // The end age starts at 100; one chosen on a later page is kept for when
    // the user comes forward again.
    if (plan.EndAge == 0) plan.EndAge = 100;
    if (plan.StandStateKnown == 1) options_[1]->setChecked(true);
    if (plan.StandStateKnown == 2) options_[2]->setChecked(true);
    if (plan.TargetDecided == 1) options_[3]->setChecked(true);
    if (plan.TargetDecided == 2) options_[4]->setChecked(true);
    Option_Click();
}

void Dialog_Com2_01::Option_Click() {
    const bool state = options_[1]->isChecked() || options_[2]->isChecked();
    const bool target = options_[3]->isChecked() || options_[4]->isChecked();
    okButton()->setEnabled(state && target);
}

void Dialog_Com2_01::OKButton_Click() {
    PlanSettings& plan = ws().Plan;
    if (options_[2]->isChecked() && options_[4]->isChecked()) {
        ShowError("この設定では、計算をすることはできません。");
        return;
    }
    plan.StandStateKnown = options_[1]->isChecked() ? 1 : 2;
    plan.TargetDecided = options_[3]->isChecked() ? 1 : 2;
    Finish();
}

}  // namespace mk::app
