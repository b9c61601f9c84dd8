#include "app/planning/plan_end_age_page.h"

#include "app/planning/planning_wizard.h"
#include "app/widgets/label_text.h"
#include "core/planning/plan_pages.h"

namespace mk::app {

Dialog_Com2_04_2::Dialog_Com2_04_2(AppContext& context, QWidget* parent)
    : WizardPage(context, QStringLiteral("Dialog_Com2_04_2"), PlanPageCaption(context.ws.Plan),
                 QStringLiteral("Label_Desc"), parent) {
    endAge_ = new ScrollRow(this, QStringLiteral("Label7"), QStringLiteral("Text7"),
                            QStringLiteral("HScroll7"), QStringLiteral("計算終了林齢"));
    body()->addWidget(endAge_);
    body()->addStretch();
    connect(endAge_->bar(), &QScrollBar::valueChanged, this, &Dialog_Com2_04_2::HScroll7_Change);
    Form_Load();
}

void Dialog_Com2_04_2::Form_Load() {
    const Workspace& w = ws();
    context_.flags.WizardResult = 0;
    SetLabelText(description(), QStringLiteral("計算終了林齢を設定してください。\r\n") +
                                    QString::fromStdString(PlanFilesText(w.Run, w.CurrentStand)));
    const BarRange range = TargetAgeRange(w.Plan.StartAge);
    endAge_->Setup(range.minimum, range.maximum, ClampToBar(range, w.Plan.EndAge), 1,
                   range.largeStep);
    HScroll7_Change();
}

void Dialog_Com2_04_2::HScroll7_Change() {
    endAge_->box()->setText(QString::number(endAge_->bar()->value()));
}

void Dialog_Com2_04_2::KeepValuesForLater() { ws().Plan.EndAge = endAge_->bar()->value(); }

void Dialog_Com2_04_2::OKButton_Click() {
    ws().Plan.EndAge = endAge_->bar()->value();
    Finish();
}

}  // namespace mk::app
