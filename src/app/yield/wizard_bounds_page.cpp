#include "app/yield/wizard_bounds_page.h"

#include <algorithm>

#include "app/widgets/label_text.h"
#include "core/model/site_class.h"
#include "core/text/number_format.h"
#include "core/yield/run_summary.h"

namespace mk::app {

namespace {

const char* FormatOf(int decimals) {
    if (decimals == 2) return "0.00";
    if (decimals == 1) return "0.0";
    return "0";
}

int LargeStep(int minimum, int maximum) {
    return std::max(1, RoundToInt((maximum - minimum) / 10.0));
}

}  // namespace

int EarliestThinningAge(const Workspace& ws) {
    int earliest = 100;
    for (int a = 1; a <= 100; ++a) {
        const auto h = SiteHeight(ws.HeightCurve, ws.Run.SiteCurveScale, a);
        if (h && *h >= 5.0) {
            earliest = a;
            break;
        }
    }
    return std::max(earliest, ws.Run.CurrentAge);
}

Dialog_Com3_04_2::Dialog_Com3_04_2(AppContext& context, QWidget* parent)
    : WizardPage(context, QStringLiteral("Dialog_Com3_04_2"),
                 QStringLiteral("収穫予測表の作成－パラメータ設定(4/4)"),
                 QStringLiteral("Label_desc"), parent) {
    okButton()->setText(QStringLiteral("完了"));
    value1_ = new ScrollRow(this, QStringLiteral("Label1"), QStringLiteral("Text_Value1"),
                            QStringLiteral("HScroll1"), QString());
    value2_ = new ScrollRow(this, QStringLiteral("Label2"), QStringLiteral("Text_Value2"),
                            QStringLiteral("HScroll2"), QString());
    start_ = new ScrollRow(this, QStringLiteral("Label17"), QStringLiteral("Text_KanbatsuStartY"),
                           QStringLiteral("HScroll3"), QStringLiteral("間伐開始年"));
    end_ = new ScrollRow(this, QStringLiteral("Label18"), QStringLiteral("Text_KanbatsuEndY"),
                         QStringLiteral("HScroll4"), QStringLiteral("間伐終了年"));
    for (ScrollRow* row : {value1_, value2_, start_, end_}) body()->addWidget(row);
    body()->addStretch();
    connect(value1_->bar(), &QScrollBar::valueChanged, this, &Dialog_Com3_04_2::HScroll1_Change);
    connect(value2_->bar(), &QScrollBar::valueChanged, this, &Dialog_Com3_04_2::HScroll2_Change);
    connect(start_->bar(), &QScrollBar::valueChanged, this, &Dialog_Com3_04_2::HScroll3_Change);
    connect(end_->bar(), &QScrollBar::valueChanged, this, &Dialog_Com3_04_2::HScroll4_Change);
    Form_Load();
}

void Dialog_Com3_04_2::Form_Load() {
    loading_ = true;
    Workspace& w = ws();
    context_.flags.WizardResult = 0;
    method_ = w.Run.ThinningMethod;
    QString instruction;
    if (method_ == 6) {
        value1_->label()->setText(QStringLiteral("形状比の上限"));
        value1_->Setup(70, 120, 80, 1, LargeStep(70, 120));
        scale1_ = 1;
        decimals1_ = 0;
        value2_->label()->setText(QStringLiteral("形状比の下限"));
        value2_->Setup(50, 80, 70, 1, LargeStep(50, 80));
        scale2_ = 1;
        decimals2_ = 0;
        instruction =
            QStringLiteral("形状比の上限・下限、間伐の開始年・終了年を設定してください。");
    } else if (method_ == 5) {
        value1_->label()->setText(QStringLiteral("収量比数の上限"));
        value1_->Setup(50, 99, 80, 1, LargeStep(50, 99));
        scale1_ = 100;
        decimals1_ = 2;
        value2_->label()->setText(QStringLiteral("収量比数の下限"));
        value2_->Setup(30, 80, 70, 1, LargeStep(30, 80));
        scale2_ = 100;
        decimals2_ = 2;
        instruction =
            QStringLiteral("収量比数の上限・下限、間伐の開始年・終了年を設定してください。");
    } else {
        value1_->label()->setText(QStringLiteral("収量比数"));
        value1_->Setup(50, 99, 90, 1, LargeStep(50, 99));
        scale1_ = 100;
        decimals1_ = 2;
        value2_->label()->setText(QStringLiteral("間伐率"));
        value2_->Setup(0, 100, 10, 1, LargeStep(0, 100));
        scale2_ = 100;
        decimals2_ = 2;
        instruction = QStringLiteral("収量比数、間伐率、間伐の開始年・終了年を設定してください。");
    }
    value1_->SetTypedScale(scale1_);
    value2_->SetTypedScale(scale2_);
    // Values this page stored on an earlier showing in this run (the method
    // page clears them when the method changes) come back.
    const RunSettings& run = w.Run;
    const bool remembered = run.ThinningToAge > 0;
    if (remembered) {
        double first = run.RyTarget, second = run.BoundThinningRate;
        if (method_ == 5) {
            first = run.RyUpper;
            second = run.RyLower;
        } else if (method_ == 6) {
            first = run.SlendernessUpper * 100;
            second = run.SlendernessLower * 100;
        }
        // The first bar sets the second's maximum for methods 5 and 6.
        value1_->bar()->setValue(RoundToInt(first * scale1_));
        value2_->bar()->setValue(RoundToInt(second * scale2_));
    }
    ShowValue(value1_, scale1_, decimals1_);
    ShowValue(value2_, scale2_, decimals2_);

    const int earliest = EarliestThinningAge(w);
    const int last = std::max(100, earliest);
    const int startValue =
        remembered ? std::clamp(run.ThinningFromAge + 1, earliest, last) : earliest;
    start_->Setup(earliest, last, startValue, 1, LargeStep(earliest, last));
    // An end year before the earliest age leaves the end bar at its minimum.
    const int endAge = remembered ? run.ThinningToAge - 1 : std::min(run.EndAge, 100);
    const int endValue = std::clamp(endAge, startValue, last);
    end_->Setup(startValue, last, endValue, 1, LargeStep(startValue, last));
    start_->box()->setText(QString::number(start_->bar()->value()));
    end_->box()->setText(QString::number(end_->bar()->value()));

    SetLabelText(description(), QString::fromStdString(RunSummaryFiles(w.Run, w.CurrentStand)) +
                                    QStringLiteral("\r\n") + instruction);
    loading_ = false;
}

void Dialog_Com3_04_2::ShowValue(ScrollRow* row, int scale, int decimals) {
    const double value = static_cast<double>(row->bar()->value()) / scale;
    row->box()->setText(QString::fromStdString(FormatNumber(value, FormatOf(decimals))));
}

void Dialog_Com3_04_2::HScroll1_Change() {
    ShowValue(value1_, scale1_, decimals1_);
    if (method_ == 5 || method_ == 6) {
        QScrollBar* second = value2_->bar();
        const int maximum = value1_->bar()->value();
        second->setMaximum(std::max(maximum, second->minimum()));
        if (second->value() > maximum) second->setValue(maximum);
        second->setPageStep(std::max(1, (second->maximum() - second->minimum()) / 10));
        ShowValue(value2_, scale2_, decimals2_);
    }
}

void Dialog_Com3_04_2::HScroll2_Change() { ShowValue(value2_, scale2_, decimals2_); }

void Dialog_Com3_04_2::HScroll3_Change() { AgeBarsChanged(); }

void Dialog_Com3_04_2::HScroll4_Change() { AgeBarsChanged(); }

void Dialog_Com3_04_2::AgeBarsChanged() {
    if (loading_) return;
    start_->box()->setText(QString::number(start_->bar()->value()));
    QScrollBar* endBar = end_->bar();
    endBar->setMinimum(std::min(start_->bar()->value(), endBar->maximum()));
    endBar->setPageStep(LargeStep(endBar->minimum(), endBar->maximum()));
    end_->box()->setText(QString::number(endBar->value()));
}

void Dialog_Com3_04_2::KeepValuesForLater() {
    RunSettings& run = ws().Run;
    const double P = static_cast<double>(value1_->bar()->value()) / scale1_;
    const double Q = static_cast<double>(value2_->bar()->value()) / scale2_;
    run.ThinningFromAge = start_->bar()->value() - 1;
    run.ThinningToAge = end_->bar()->value() + 1;
    run.RyTarget = run.RyUpper = run.RyLower = 0;
    run.BoundThinningRate = run.SlendernessUpper = run.SlendernessLower = 0;
    if (method_ == 6) {
        run.SlendernessUpper = P / 100;
        run.SlendernessLower = Q / 100;
    } else if (method_ == 5) {
        run.RyTarget = run.RyUpper = P;
        run.RyLower = Q;
    } else {
        run.RyTarget = run.RyUpper = P;
        run.BoundThinningRate = Q;
    }
}

void Dialog_Com3_04_2::OKButton_Click() {
    Workspace& w = ws();
    const double P = static_cast<double>(value1_->bar()->value()) / scale1_;
    const double Q = static_cast<double>(value2_->bar()->value()) / scale2_;
    std::string warning;
    if (method_ == 5) {
        if (P > 0.9) warning += "収量比数は 0.9 以下が望ましい。\r\n";
        if (Q < 0.6) warning += "収量比数は 0.6 以上が望ましい。\r\n";
        if (P - Q > 0.15) warning += "１回の間伐で動かす収量比数は 0.15 以下が望ましい。";
    } else if (method_ == 6) {
        if (P / 100 > 0.8) warning = "気象害の恐れのある場合は形状比を小さくしましょう。";
    } else {
        if (P > 0.9) warning = "収量比数は 0.9 以下が望ましい。";
    }
    if (!warning.empty()) {
        context_.messages().Show(warning, windowTitle().toStdString(), MessageIcon::Warning);
    }
    KeepValuesForLater();
    const RunSettings& run = w.Run;
    const MessageAnswer answer = context_.messages().Show(
        "この設定で宜しいか？\r\n\r\n" + RunSummary(run, w.CurrentStand), "パラメータ設定確認",
        MessageIcon::Warning, MessageButtons::OkCancel);
    if (answer == MessageAnswer::Ok) Finish();
}

}  // namespace mk::app
