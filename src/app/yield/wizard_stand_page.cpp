#include "app/yield/wizard_stand_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <algorithm>

#include "app/widgets/label_text.h"
#include "core/model/site_class.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"
#include "core/yield/current_stand.h"
#include "core/yield/run_checks.h"
#include "core/yield/run_summary.h"

namespace mk::app {

namespace {

// A read-only box read as a whole number; an empty box gives emptyValue.
int BoxValue(const QLineEdit* box, int emptyValue) {
    const QString text = box->text().trimmed();
    if (text.isEmpty()) return emptyValue;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : emptyValue;
}

}  // namespace

Dialog_Com3_03::Dialog_Com3_03(AppContext& context, QWidget* parent)
    : WizardPage(context, QStringLiteral("Dialog_Com3_03"),
                 QStringLiteral("収穫予測表の作成－パラメータ設定(3/4)"),
                 QStringLiteral("Label_desc"), parent) {
    auto* rows = new QVBoxLayout();
    planting_ =
        new ScrollRow(this, QStringLiteral("Label_SyokusaiNum"), QStringLiteral("Text_SyokusaiNum"),
                      QStringLiteral("HScroll1"), QStringLiteral("植栽本数(1000-10000)"));
    age_ = new ScrollRow(this, QStringLiteral("Label_WoodsAge"), QStringLiteral("Text_WoodsAge"),
                         QStringLiteral("HScroll2"), QStringLiteral("現在の林齢(5-100)"));
    stems_ =
        new ScrollRow(this, QStringLiteral("Label_TatikiNum"), QStringLiteral("Text_TatikiNum"),
                      QStringLiteral("HScroll3"), QStringLiteral("現在の立木本数(200-10000)"));
    endYear_ =
        new ScrollRow(this, QStringLiteral("Label_CalcYear"), QStringLiteral("Text_CalcYear"),
                      QStringLiteral("HScroll4"), QStringLiteral("計算終了年(50-200)"));
    for (ScrollRow* row : {planting_, age_, stems_, endYear_}) rows->addWidget(row);
    rows->addStretch();

    display_ = new QWidget(this);
    auto* grid = new QGridLayout(display_);
    const char* captions[] = {nullptr,          "現在の上層樹高", "現在の幹材積", "現在の平均直径",
                              "現在の収量比数", "現在の形状比",   "推定植栽本数"};
    for (int i = 1; i <= 6; ++i) {
        auto* label = new QLabel(QString::fromUtf8(captions[i]), display_);
        label->setObjectName(QStringLiteral("Label%1").arg(i));
        text_[i] = new QLineEdit(display_);
        text_[i]->setObjectName(QStringLiteral("Text%1").arg(i));
        text_[i]->setReadOnly(true);
        text_[i]->setAlignment(Qt::AlignRight);
        text_[i]->setFixedWidth(100);
        grid->addWidget(label, i - 1, 0);
        grid->addWidget(text_[i], i - 1, 1);
    }
    auto* columns = new QHBoxLayout();
    columns->addLayout(rows, 3);
    columns->addSpacing(16);
    columns->addWidget(display_, 2, Qt::AlignTop);
    body()->addLayout(columns);

    connect(planting_->bar(), &QScrollBar::valueChanged, this, &Dialog_Com3_03::HScroll1_Change);
    connect(age_->bar(), &QScrollBar::valueChanged, this, &Dialog_Com3_03::HScroll2_Change);
    connect(stems_->bar(), &QScrollBar::valueChanged, this, &Dialog_Com3_03::HScroll3_Change);
    connect(endYear_->bar(), &QScrollBar::valueChanged, this, &Dialog_Com3_03::HScroll4_Change);
    Form_Load();
}

void Dialog_Com3_03::Form_Load() {
    loading_ = true;
    Workspace& w = ws();
    const RunSettings& run = w.Run;
    context_.flags.WizardResult = 0;
    planting_->hide();
    age_->hide();
    stems_->hide();
    display_->hide();
    // Hidden rows count as empty when the page is read.
    planting_->box()->clear();
    age_->box()->clear();
    stems_->box()->clear();
    // What this page stored on an earlier showing in this run comes back;
    // the fixed starting values are for its first showing only.
    endYear_->Setup(50, 200, Remembered(run.EndAge, 50, 200, 100), 1, 15);
    endYear_->box()->setText(QString::number(endYear_->bar()->value()));

    QString instruction;
    if (run.StemSettingMethod == 1) {
        planting_->show();
        planting_->Setup(1000, 10000,
                         Remembered(RoundToInt(run.PlantingStemNumber), 1000, 10000, 5000), 1, 900);
        planting_->box()->setText(QString::number(planting_->bar()->value()));
        instruction = QStringLiteral("植栽本数と計算終了年を設定してください。");
    } else {
        int age = Remembered(run.CurrentAge, 5, 100, 10);
        age_->show();
        if (run.SiteClass == kSiteMeasured) {
            age = w.CurrentStand.SiteCalcAge;
            age_->Setup(std::min(5, age), std::max(100, age), age, 1, 10);
            age_->SetRowEnabled(false);
            w.CurrentStand.CurrentHeight = w.CurrentStand.SiteCalcHeight;
            instruction =
                QStringLiteral("立木本数、計算終了年を設定してください。林齢は固定です。");
        } else {
            age_->Setup(5, 100, age, 1, 10);
            age_->SetRowEnabled(true);
            if (auto h = CurrentHeightAt(w.Run, w.CurrentStand, w.HeightCurve, age)) {
                w.CurrentStand.CurrentHeight = *h;
            }
            instruction = QStringLiteral("林齢、立木本数、計算終了年を設定してください。");
        }
        age_->box()->setText(QString::number(age));
        stems_->show();
        stems_->SetRowEnabled(true);
        SetStemRange(run.CurrentStemNumber);
        display_->show();
        RefreshDisplay();
    }
    SetLabelText(description(), QString::fromStdString(RunSummaryFiles(w.Run, w.CurrentStand)) +
                                    QStringLiteral("\r\n") + instruction);
    loading_ = false;
}

int Dialog_Com3_03::Remembered(int stored, int minimum, int maximum, int first) {
    if (stored < minimum || stored > maximum) return first;
    return stored;
}

void Dialog_Com3_03::SetStemRange(int remembered) {
    const StemNumberRange range = StemNumberRangeFor(ws().Diagram, ws().CurrentStand.CurrentHeight);
    const bool wasLoading = loading_;
    loading_ = true;
    // A stem number kept from before may lie above a lower maximum now (the
    // site class was changed meanwhile): it is brought within the bar.
    const int value =
        remembered > 0 ? std::clamp(remembered, range.minimum, range.maximum) : range.start;
    stems_->Setup(range.minimum, range.maximum, value, 1, range.largeStep);
    loading_ = wasLoading;
    stems_->box()->setText(QString::number(stems_->bar()->value()));
    stems_->label()->setText(QString::fromStdString(StemNumberLabel(range)));
}

void Dialog_Com3_03::RefreshDisplay() {
    Workspace& w = ws();
    RefreshCurrentStand(w.Diagram, w.CurrentStand, stems_->bar()->value(), *context_.services.pump);
    const std::array<std::string, 6> shown = CurrentStandDisplay(w.CurrentStand);
    for (int i = 1; i <= 6; ++i) text_[i]->setText(QString::fromStdString(shown[i - 1]));
}

void Dialog_Com3_03::HScroll1_Change() {
    planting_->box()->setText(QString::number(planting_->bar()->value()));
}

void Dialog_Com3_03::HScroll2_Change() {
    if (loading_) return;
    Workspace& w = ws();
    const int age = age_->bar()->value();
    age_->box()->setText(QString::number(age));
    if (auto h = CurrentHeightAt(w.Run, w.CurrentStand, w.HeightCurve, age)) {
        w.CurrentStand.CurrentHeight = *h;
    }
    SetStemRange(0);
    RefreshDisplay();
}

void Dialog_Com3_03::HScroll3_Change() {
    if (loading_) return;
    stems_->box()->setText(QString::number(stems_->bar()->value()));
    RefreshDisplay();
}

void Dialog_Com3_03::HScroll4_Change() {
    endYear_->box()->setText(QString::number(endYear_->bar()->value()));
}

void Dialog_Com3_03::KeepValuesForLater() {
    RunSettings& run = ws().Run;
    run.EndAge = BoxValue(endYear_->box(), 0);
    run.PlantingStemNumber = BoxValue(planting_->box(), 0);
    run.CurrentStemNumber = BoxValue(stems_->box(), 0);
    run.CurrentAge = BoxValue(age_->box(), 1);
}

void Dialog_Com3_03::OKButton_Click() {
    KeepValuesForLater();
    // A run that ends before it starts would write a table of headings only.
    const std::string refusal = EndAgeRefusal(ws().Run);
    if (!refusal.empty()) {
        ShowError(refusal);
        return;
    }
    Finish();
}

}  // namespace mk::app
