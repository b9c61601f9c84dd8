#include "app/planning/plan_stand_pages.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "app/planning/planning_wizard.h"
#include "app/widgets/edit_box_signals.h"
#include "app/widgets/label_text.h"
#include "app/widgets/number_box.h"
#include "core/model/site_class.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"

namespace mk::app {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The current stand's age bar runs to 100 years.
constexpr int kCurrentAgeMax = 100;

}  // namespace

PlanStandPage::PlanStandPage(AppContext& context, const QString& name, QWidget* parent)
    : WizardPage(context, name, PlanPageCaption(context.ws.Plan), QStringLiteral("Label_Desc"),
                 parent) {
    age_ = new ScrollRow(this, QStringLiteral("Label1"), QStringLiteral("Text1"),
                         QStringLiteral("HScroll1"), QStringLiteral("林齢"));
    stems_ = new ScrollRow(this, QStringLiteral("Label3"), QStringLiteral("Text3"),
                           QStringLiteral("HScroll3"), QStringLiteral("立木本数"));
    for (ScrollRow* row : {age_, stems_}) row->box()->setReadOnly(false);
    text_[1] = age_->box();
    text_[3] = stems_->box();

    auto* grid = new QGridLayout();
    const char* captions[] = {nullptr,  nullptr,    "上層樹高", nullptr,       "平均直径",
                              "幹材積", "収量比数", "形状比",   "推定植栽本数"};
    int row = 0;
    for (int i = 2; i <= 8; ++i) {
        if (i == 3) continue;
        auto* label = new QLabel(QString::fromUtf8(captions[i]), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i));
        text_[i] = new QLineEdit(this);
        text_[i]->setObjectName(QStringLiteral("Text%1").arg(i));
        text_[i]->setReadOnly(true);
        text_[i]->setAlignment(Qt::AlignRight);
        text_[i]->setFixedWidth(100);
        grid->addWidget(label, row, 0);
        grid->addWidget(text_[i], row, 1);
        ++row;
    }
    auto* bars = new QVBoxLayout();
    bars->addWidget(age_);
    bars->addWidget(stems_);
    bars->addStretch();
    auto* columns = new QHBoxLayout();
    columns->addLayout(bars, 3);
    columns->addSpacing(16);
    columns->addLayout(grid, 2);
    body()->addLayout(columns);

    connect(age_->bar(), &QScrollBar::valueChanged, this, &PlanStandPage::HScroll1_Change);
    connect(stems_->bar(), &QScrollBar::valueChanged, this, &PlanStandPage::HScroll3_Change);
    connect(text_[1], &QLineEdit::textChanged, this, &PlanStandPage::Text1_Change);
    connect(text_[1], &QLineEdit::editingFinished, this, &PlanStandPage::Text1_LostFocus);
    connect(text_[3], &QLineEdit::textChanged, this, &PlanStandPage::Text3_Change);
    connect(text_[3], &QLineEdit::editingFinished, this, &PlanStandPage::Text3_LostFocus);
}

void PlanStandPage::LoadBars(const BarRange& ages, int age, std::optional<int> stems) {
    loading_ = true;
    age_->Setup(ages.minimum, ages.maximum, age, 1, ages.largeStep);
    text_[1]->setText(QString::number(age_->bar()->value()));
    height_ = HeightAt(age_->bar()->value()).value_or(0);
    text_[2]->setText(Q(FormatNumber(height_, "0.0")));
    const BarRange range = StemRange(height_);
    // The target page opens at half its largest stem number.
    const int value = stems ? *stems : RoundToInt(range.maximum / 2.0);
    SetStemRange(value);
    loading_ = false;
    HScroll3_Change();
}

void PlanStandPage::SetStemRange(int value) {
    const BarRange range = StemRange(height_);
    const bool wasLoading = loading_;
    loading_ = true;
    stems_->Setup(range.minimum, range.maximum, value, 1, range.largeStep);
    loading_ = wasLoading;
}

void PlanStandPage::HScroll1_Change() {
    if (loading_) return;
    const int age = age_->bar()->value();
    text_[1]->setText(QString::number(age));
    height_ = HeightAt(age).value_or(0);
    text_[2]->setText(Q(FormatNumber(height_, "0.0")));
    SetStemRange(stems_->bar()->value());
    HScroll3_Change();
}

void PlanStandPage::HScroll3_Change() {
    if (loading_) return;
    const int stems = stems_->bar()->value();
    text_[3]->setText(QString::number(stems));
    const int age = age_->bar()->value();
    if (age <= 0 || stems <= 0) return;
    stand_ = StandOf(age, height_, stems);
    const PlanStandTexts shown = PlanStandDisplay(stand_);
    text_[4]->setText(Q(shown.dbh));
    text_[5]->setText(Q(shown.volume));
    text_[6]->setText(Q(shown.ry));
    text_[7]->setText(Q(shown.slenderness));
    text_[8]->setText(Q(shown.plantingDensity));
}

void PlanStandPage::TypedIntoBox(ScrollRow& row, bool leaving) {
    if (loading_) return;
    QScrollBar* bar = row.bar();
    const QString text = row.box()->text().trimmed();
    const std::optional<int> value =
        text.isEmpty() ? std::nullopt : ParseTypedWhole(text.toStdString());
    if (value && *value >= bar->minimum() && *value <= bar->maximum() && *value != bar->value()) {
        bar->setValue(*value);
        return;
    }
    if (!leaving) return;
    // Text that is no whole number is refused with a word; a number the bar
    // cannot take is put back.
    if (!value && text != QString::number(bar->value())) {
        context_.messages().Show(NotANumberText(text), windowTitle().toStdString(),
                                 MessageIcon::Error);
    }
    row.box()->setText(QString::number(bar->value()));
}

void PlanStandPage::Text1_Change() { TypedIntoBox(*age_, false); }
void PlanStandPage::Text1_LostFocus() { TypedIntoBox(*age_, true); }
void PlanStandPage::Text3_Change() { TypedIntoBox(*stems_, false); }
void PlanStandPage::Text3_LostFocus() { TypedIntoBox(*stems_, true); }

// --- the stand as it is now ---

Dialog_Com2_04::Dialog_Com2_04(AppContext& context, QWidget* parent)
    : PlanStandPage(context, QStringLiteral("Dialog_Com2_04"), parent) {
    Form_Load();
}

std::optional<double> Dialog_Com2_04::HeightAt(int age) {
    const Workspace& w = ws();
    return PlanStandHeight(w.Run, w.CurrentStand, w.HeightCurve, age);
}

BarRange Dialog_Com2_04::StemRange(double height) {
    return CurrentStemRange(ws().Diagram, height, stems_->bar()->value());
}

PlanStand Dialog_Com2_04::StandOf(int age, double height, double stems) {
    return CurrentPlanStand(ws().Diagram, age, height, stems, *context_.services.pump);
}

void Dialog_Com2_04::Form_Load() {
    Workspace& w = ws();
    PlanSettings& plan = w.Plan;
    context_.flags.WizardResult = 0;
    // The end age starts at 100; one chosen on a later page is kept for when
    // the user comes forward again.
    if (plan.EndAge == 0) plan.EndAge = 100;
    SetLabelText(description(),
                 QStringLiteral("現在の林分状態（林齢及び立木本数）を設定してください。\r\n") +
                     Q(PlanFilesText(w.Run, w.CurrentStand)));
    int age = 10;
    int stems = 3000;
    if (plan.StartAge != 0 || plan.StartStemNumber != 0) {
        age = plan.StartAge;
        stems = RoundToInt(plan.StartStemNumber);
    }
    // The stem bar's range depends on its own value; it starts from the
    // value it is to show.
    stems_->bar()->setMaximum(std::max(stems, stems_->bar()->maximum()));
    stems_->bar()->setValue(stems);
    if (w.Run.SiteClass == kSiteMeasured) {
        // The age and height of the measured stand are fixed.
        age = w.CurrentStand.SiteCalcAge;
        LoadBars({std::min(1, age), std::max(kCurrentAgeMax, age), 10}, age, stems);
        text_[1]->setEnabled(false);
        age_->bar()->hide();
        text_[2]->setEnabled(false);
    } else {
        const int end = kCurrentAgeMax;
        LoadBars({1, end, std::max(end / 10, 1)}, std::clamp(age, 1, end), stems);
    }
}

void Dialog_Com2_04::KeepValuesForLater() { Store(); }

void Dialog_Com2_04::OKButton_Click() {
    Store();
    Finish();
}

void Dialog_Com2_04::Store() {
    Workspace& w = ws();
    PlanSettings& plan = w.Plan;
    const double stems = stems_->bar()->value();
    plan.StartAge = age_->bar()->value();
    plan.StartStemNumber = stems;
    plan.StartStemNumberShown = stems;
    plan.StartPlantingDensity = stand_.plantingDensity;
    w.Run.CurrentAge = plan.StartAge;
    w.Run.CurrentStemNumber = RoundToInt(stems);
}

// --- the target stand ---

Dialog_Com2_05::Dialog_Com2_05(AppContext& context, QWidget* parent)
    : PlanStandPage(context, QStringLiteral("Dialog_Com2_05"), parent) {
    Form_Load();
}

std::optional<double> Dialog_Com2_05::HeightAt(int age) {
    const Workspace& w = ws();
    return SiteHeight(w.HeightCurve, w.Run.SiteCurveScale, age);
}

BarRange Dialog_Com2_05::StemRange(double height) {
    return TargetStemRange(ws().Diagram, height, ws().Plan.StartStemNumber);
}

PlanStand Dialog_Com2_05::StandOf(int age, double height, double stems) {
    return TargetPlanStand(ws().Diagram, age, height, stems, *context_.services.pump);
}

void Dialog_Com2_05::Form_Load() {
    Workspace& w = ws();
    context_.flags.WizardResult = 0;
    SetLabelText(description(), QStringLiteral("目標とする林型を設定してください。\r\n") +
                                    Q(PlanFilesText(w.Run, w.CurrentStand)));
    const BarRange ages = TargetAgeRange(w.Plan.StartAge);
    // A target chosen before is shown again; the first time the bar opens at
    // half its largest stem number.
    std::optional<int> stems;
    if (w.Plan.TargetStemNumber > 0) stems = RoundToInt(w.Plan.TargetStemNumber);
    LoadBars(ages, ClampToBar(ages, w.Plan.EndAge), stems);
}

void Dialog_Com2_05::KeepValuesForLater() { Store(); }

void Dialog_Com2_05::OKButton_Click() {
    Store();
    Finish();
}

void Dialog_Com2_05::Store() {
    PlanSettings& plan = ws().Plan;
    plan.EndAge = age_->bar()->value();
    plan.TargetStemNumber = stems_->bar()->value();
    plan.TargetHeight = height_;
    plan.TargetPlantingDensity = stand_.plantingDensity;
    plan.TargetDbh = stand_.dbh;
    plan.TargetVolume = stand_.volume;
    plan.TargetRy = stand_.ry.value_or(0);
    plan.TargetSlenderness = stand_.slenderness;
    if (plan.StandStateKnown == 2) plan.StartPlantingDensity = plan.TargetPlantingDensity;
}

PlanStandPage::~PlanStandPage() { DisconnectEditBoxes(this); }

}  // namespace mk::app
