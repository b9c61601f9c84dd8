#include "app/planning/plan_policy_page.h"

#include <QGridLayout>

#include "app/planning/planning_wizard.h"
#include "app/widgets/label_text.h"
#include "core/planning/plan_settings.h"
#include "core/text/number_format.h"

namespace mk::app {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr const char* kDisabledText = "-----";

// The bars as the user left them on going back from this page; the
// defaults when the page has not been left that way.
PlanPolicyBars Remembered(const PlanSettings& plan, PlanPolicyBars bars) {
    if (plan.ThinStartAge == 0) return bars;
    bars.ryLimit = RoundToInt(plan.RyLimit * 100);
    if (bars.ryStepEnabled && plan.RyStep > 0) bars.ryStep = RoundToInt(plan.RyStep * 100);
    if (bars.slendernessEnabled && plan.SlendernessLimit > 0)
        bars.slenderness = RoundToInt(plan.SlendernessLimit * 100);
    bars.thinStart = plan.ThinStartAge;
    bars.thinEnd = plan.ThinToAge - 1;
    bars.interval = plan.IntervalLessOne + 1;
    return bars;
}

}  // namespace

Dialog_Com2_06::Dialog_Com2_06(AppContext& context, QWidget* parent)
    : WizardPage(context, QStringLiteral("Dialog_Com2_06"), PlanPageCaption(context.ws.Plan),
                 QStringLiteral("Label_Desc"), parent) {
    labelCurrent_ = new QLabel(this);
    labelCurrent_->setObjectName(QStringLiteral("Label_現在状態"));
    labelTarget_ = new QLabel(this);
    labelTarget_->setObjectName(QStringLiteral("Label_目標林型"));
    body()->addWidget(labelCurrent_);
    body()->addWidget(labelTarget_);
    const char* captions[] = {nullptr,        "収量比数上限", "収量比数変化量", "形状比上限",
                              "間伐開始林齢", "間伐終了林齢", "最低間伐間隔"};
    auto* grid = new QGridLayout();
    for (int i = 1; i <= 6; ++i) {
        rows_[i] =
            new ScrollRow(this, QStringLiteral("Label%1").arg(i), QStringLiteral("Text%1").arg(i),
                          QStringLiteral("HScroll%1").arg(i), QString::fromUtf8(captions[i]));
        grid->addWidget(rows_[i], (i - 1) / 2, (i - 1) % 2);
        connect(rows_[i]->bar(), &QScrollBar::valueChanged, this, [this, i] { HScroll_Change(i); });
    }
    body()->addLayout(grid);
    body()->addStretch();
    okButton()->setText(QStringLiteral("完了"));
    Form_Load();
}

void Dialog_Com2_06::Form_Load() {
    Workspace& w = ws();
    const PlanSettings& plan = w.Plan;
    context_.flags.WizardResult = 0;
    SetLabelText(description(), QStringLiteral("間伐方針を設定してください。\r\n") +
                                    Q(PlanFilesText(w.Run, w.CurrentStand)));
    const PlanMode mode = PlanModeOf(plan);
    if (mode == PlanMode::Forward) {
        const PlanStand current = CurrentStand();
        labelCurrent_->setText(Q(PolicyStandLabel("現在の林分状態", plan.StartAge, current.height,
                                                  plan.StartStemNumber)));
        labelTarget_->setText(Q(PolicyStandLabel("目標とする林型", plan.EndAge, plan.TargetHeight,
                                                 plan.TargetStemNumber)));
        labelCurrent_->show();
        labelTarget_->show();
    } else {
        labelCurrent_->hide();
        labelTarget_->hide();
    }

    const PlanPolicyBars bars = Remembered(plan, DefaultPolicyBars(plan));
    ryStepEnabled_ = bars.ryStepEnabled;
    slendernessEnabled_ = bars.slendernessEnabled;
    const BarRange start = ThinStartRange(plan);
    const BarRange end = ThinEndRange(bars.thinStart);
    const BarRange ranges[] = {{}, {50, 99, 4}, {1, 20, 1}, {60, 120, 6}, start, end, {3, 20, 1}};
    const int values[] = {0,
                          bars.ryLimit,
                          bars.ryStep,
                          bars.slenderness,
                          bars.thinStart,
                          bars.thinEnd,
                          bars.interval};
    for (int i = 1; i <= 6; ++i) {
        rows_[i]->Setup(ranges[i].minimum, ranges[i].maximum, values[i], 1, ranges[i].largeStep);
    }
    // Ry and its step are shown in hundredths ("0.80", "0.05").
    rows_[1]->SetTypedScale(100);
    rows_[2]->SetTypedScale(100);
    rows_[2]->SetRowEnabled(ryStepEnabled_);
    rows_[3]->SetRowEnabled(slendernessEnabled_);
    for (int i = 1; i <= 6; ++i) HScroll_Change(i);
}

PlanPolicyBars Dialog_Com2_06::Bars() const {
    PlanPolicyBars bars;
    bars.ryLimit = rows_[1]->bar()->value();
    bars.ryStep = rows_[2]->bar()->value();
    bars.slenderness = rows_[3]->bar()->value();
    bars.thinStart = rows_[4]->bar()->value();
    bars.thinEnd = rows_[5]->bar()->value();
    bars.interval = rows_[6]->bar()->value();
    bars.ryStepEnabled = ryStepEnabled_;
    bars.slendernessEnabled = slendernessEnabled_;
    return bars;
}

PlanPolicyTexts Dialog_Com2_06::Texts() const {
    PlanPolicyTexts t;
    t.ryLimit = rows_[1]->box()->text().toStdString();
    t.ryStep = ryStepEnabled_ ? rows_[2]->box()->text().toStdString() : kDisabledText;
    t.slenderness = slendernessEnabled_ ? rows_[3]->box()->text().toStdString() : kDisabledText;
    t.thinStart = rows_[4]->box()->text().toStdString();
    t.thinEnd = rows_[5]->box()->text().toStdString();
    t.interval = rows_[6]->box()->text().toStdString();
    return t;
}

void Dialog_Com2_06::HScroll_Change(int index) {
    if (index == 4) {
        // Thinnings end no earlier than they start.
        const BarRange end = ThinEndRange(rows_[4]->bar()->value());
        rows_[5]->bar()->setMinimum(end.minimum);
        rows_[5]->bar()->setPageStep(end.largeStep);
    }
    const PlanPolicyTexts shown = PolicyTexts(Bars());
    const std::string* texts[] = {
        nullptr,          &shown.ryLimit, &shown.ryStep,  &shown.slenderness,
        &shown.thinStart, &shown.thinEnd, &shown.interval};
    rows_[index]->box()->setText(Q(*texts[index]));
}

PlanStand Dialog_Com2_06::CurrentStand() {
    Workspace& w = ws();
    const PlanSettings& plan = w.Plan;
    const double height =
        PlanStandHeight(w.Run, w.CurrentStand, w.HeightCurve, plan.StartAge).value_or(0);
    return CurrentPlanStand(w.Diagram, plan.StartAge, height, plan.StartStemNumber,
                            *context_.services.pump);
}

void Dialog_Com2_06::KeepValuesForLater() { StorePolicy(ReadPolicy(Texts()), ws().Plan); }

void Dialog_Com2_06::OKButton_Click() {
    Workspace& w = ws();
    const PlanPolicyTexts texts = Texts();
    const PlanPolicy policy = ReadPolicy(texts);
    const std::string warnings = PolicyWarnings(policy);
    if (!warnings.empty()) {
        const MessageAnswer answer = context_.messages().Show(
            warnings, windowTitle().toStdString(), MessageIcon::Warning, MessageButtons::YesNo);
        if (answer != MessageAnswer::Yes) return;
    }
    StorePolicy(policy, w.Plan);
    const PlanStand current =
        PlanModeOf(w.Plan) == PlanMode::Backward ? PlanStand{} : CurrentStand();
    const std::string confirmation =
        PlanConfirmationText(w.Run, w.CurrentStand, w.Plan, current, texts);
    const MessageAnswer answer = context_.messages().Show(
        confirmation, "パラメータ設定確認", MessageIcon::Warning, MessageButtons::OkCancel);
    if (answer != MessageAnswer::Ok) return;
    Finish();
}

}  // namespace mk::app
