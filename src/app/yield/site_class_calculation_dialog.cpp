#include "app/yield/site_class_calculation_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "core/basedata/survey_data.h"
#include "core/graphics/text_primitives.h"
#include "core/model/site_class.h"
#include "core/text/number_format.h"
#include "core/text/text_file.h"

namespace mk::app {

// The survey plot, shown at its own size.
class PlotPicture : public QWidget {
public:
    PlotPicture(QWidget* parent, const ImageCanvas& canvas) : QWidget(parent), canvas_(canvas) {
        setObjectName(QStringLiteral("Picture1"));
        setFixedSize(canvas.image().size());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, canvas_.image());
    }

private:
    const ImageCanvas& canvas_;
};

namespace {

constexpr int kX0 = 150;
constexpr int kY0 = 392;
constexpr Color kMagenta = 16711935;
// The plot's height axis reaches 50 m (8 pixels a metre above y0) and its
// age title lies below the age labels: the picture has room for both.
constexpr int kPlotTop = 24;
constexpr int kPlotHeight = 470;

int PlotX(int age) { return kX0 + 4 * age; }

std::string CaptionOf(const QDialog* dialog) { return dialog->windowTitle().toStdString(); }

}  // namespace

Dialog_Com3_01Ext::Dialog_Com3_01Ext(AppContext& context, SiteCalculationResult& result,
                                     QWidget* parent)
    : QDialog(parent),
      context_(context),
      result_(result),
      plot_(kCanvasWidth, kPlotHeight, kPlotTop) {
    setObjectName(QStringLiteral("Dialog_Com3_01Ext"));
    setWindowTitle(QStringLiteral("地位の計算"));
    result_ = SiteCalculationResult{};

    picture1_ = new PlotPicture(this, plot_);
    age_ = new ScrollRow(this, QStringLiteral("Label1"), QStringLiteral("Text1"),
                         QStringLiteral("HScroll1"), QStringLiteral("現在の林齢"));
    height_ = new ScrollRow(this, QStringLiteral("Label2"), QStringLiteral("Text2"),
                            QStringLiteral("HScroll2"), QStringLiteral("現在の上層樹高"));
    check1_ = new QCheckBox(QStringLiteral("上層樹高を林齢に連動"), this);
    check1_->setObjectName(QStringLiteral("Check1"));
    calc_ = new QPushButton(QStringLiteral("計算する"), this);
    calc_->setObjectName(QStringLiteral("Command_Calc"));
    calc_->setAutoDefault(false);
    label3_ = new QLabel(this);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setWordWrap(true);
    label3_->setMinimumHeight(40);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OKButton"));
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setAutoDefault(false);

    auto* side = new QVBoxLayout();
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(age_);
    side->addWidget(height_);
    side->addWidget(check1_);
    side->addWidget(calc_);
    side->addWidget(label3_);
    side->addStretch();
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    side->addLayout(buttons);
    auto* sidePanel = new QWidget(this);
    sidePanel->setLayout(side);
    sidePanel->setFixedWidth(380);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture1_);
    layout->addWidget(sidePanel);

    connect(age_->bar(), &QScrollBar::valueChanged, this, &Dialog_Com3_01Ext::HScroll1_Change);
    connect(height_->bar(), &QScrollBar::valueChanged, this, &Dialog_Com3_01Ext::HScroll2_Change);
    connect(calc_, &QPushButton::clicked, this, &Dialog_Com3_01Ext::Command_Calc_Click);
    connect(ok_, &QPushButton::clicked, this, &Dialog_Com3_01Ext::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &Dialog_Com3_01Ext::CancelButton_Click);
    Form_Load();
}

void Dialog_Com3_01Ext::Form_Load() {
    found_ = SiteCalculationResult{};
    ok_->setEnabled(false);
    if (!context_.ws.Diagram.DensityDiagramLoaded) {
        context_.messages().Show("PRMパラメータNG", CaptionOf(this), MessageIcon::Error);
    }
    if (!context_.ws.HeightCurve.HeightCurveLoaded) {
        context_.messages().Show("PARパラメータNG", CaptionOf(this), MessageIcon::Error);
    }
    check1_->setChecked(true);
}

void Dialog_Com3_01Ext::showEvent(QShowEvent* event) {
    if (!activated_) {
        height_->SetTypedScale(10);
        EnableTypedEntry(this, context_.messages());
    }
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    Form_Activate();
}

int Dialog_Com3_01Ext::PlotY(double height) const { return RoundToInt(kY0 - 8 * height); }

bool Dialog_Com3_01Ext::DrawSurveyPlot() {
    plot_.Clear();
    plot_.Line(kX0, kY0, PlotX(100), kY0, colors::Black);
    plot_.Line(kX0, kY0, kX0, PlotY(50), colors::Black);
    for (int age = 0; age <= 100; age += 20) {
        plot_.Line(PlotX(age), kY0, PlotX(age), kY0 + 4, colors::Black);
        DrawTextAt(plot_, PlotX(age) - 16, 402, IntText(age));
    }
    DrawTextAt(plot_, PlotX(50) - 40, 422, "林  齢（年）");
    for (int h = 0; h <= 50; h += 10) {
        plot_.Line(kX0 - 4, PlotY(h), kX0, PlotY(h), colors::Black);
        DrawTextAt(plot_, 110, PlotY(h) - 8, IntText(h));
    }
    DrawVerticalText(plot_, 70, 120, "上層樹高  ｍ");

    const std::string& source = context_.ws.HeightCurve.HeightCurveSource;
    if (source.empty()) {
        context_.messages().Show("DATファイル名無し", "DATファイル読み込みNG", MessageIcon::Error);
        return false;
    }
    // Read through the core's reader, which refuses a file too large to be
    // survey data before holding any of it.
    SurveyReadOutcome survey;
    if (std::string bytes; ReadFileBytes(source, bytes)) survey = ParseSurveyBytes(bytes);
    if (!survey.ok) {
        // The reader's own reason (no records, a line that does not read)
        // tells the user what to mend in the file.
        std::string text = "DATファイルが読めません。\r\n" + source;
        if (!survey.messages.empty()) text += "\r\n" + survey.messages.front().text;
        context_.messages().Show(text, "DATファイル読み込みNG", MessageIcon::Error);
        return false;
    }
    for (const SurveyRecord& record : survey.records) {
        minAge_ = std::min(minAge_, record.standAge);
        maxAge_ = std::max(maxAge_, record.standAge);
        minHeight_ = std::min(minHeight_, record.dominantHeight);
        maxHeight_ = std::max(maxHeight_, record.dominantHeight);
        plot_.Circle(PlotX(record.standAge), PlotY(record.dominantHeight), 3, colors::Blue);
    }
    return !survey.records.empty();
}

void Dialog_Com3_01Ext::Form_Activate() {
    const bool plotted = DrawSurveyPlot();
    picture1_->update();
    if (!plotted) {
        // Without survey plots the bars offer the usual range of a stand.
        minAge_ = 5;
        maxAge_ = 100;
        minHeight_ = 1;
        maxHeight_ = 40;
    }
    age_->Setup(minAge_, maxAge_, minAge_, 1, std::max(1, RoundToInt((maxAge_ - minAge_) / 10.0)));
    age_->box()->setText(QString::number(age_->bar()->value()));
    const HeightCurveParameters& curve = context_.ws.HeightCurve;
    const double middle =
        SiteHeight(curve, curve.CurveM, age_->bar()->value()).value_or(minHeight_);
    height_->Setup(RoundToInt(minHeight_ * 10), RoundToInt(maxHeight_ * 10),
                   RoundToInt(10 * middle), 1, std::max(1, RoundToInt(maxHeight_ - minHeight_)));
    SetLinkedHeight(middle);
}

void Dialog_Com3_01Ext::SetLinkedHeight(double height) {
    // The middle curve may run below the lowest or above the highest survey
    // plot (a young stand); the bar widens to take the curve's own height
    // rather than silently moving the stand to the edge of the plots.
    QScrollBar* bar = height_->bar();
    const int tenths = RoundToInt(10 * height);
    if (tenths < bar->minimum()) bar->setMinimum(tenths);
    if (tenths > bar->maximum()) bar->setMaximum(tenths);
    bar->setValue(tenths);
    HScroll2_Change();
}

void Dialog_Com3_01Ext::HScroll1_Change() {
    const int age = age_->bar()->value();
    age_->box()->setText(QString::number(age));
    if (!check1_->isChecked()) return;
    const HeightCurveParameters& curve = context_.ws.HeightCurve;
    if (auto h = SiteHeight(curve, curve.CurveM, age)) {
        SetLinkedHeight(*h);
    } else {
        HScroll2_Change();
    }
}

void Dialog_Com3_01Ext::HScroll2_Change() {
    height_->box()->setText(
        QString::fromStdString(FormatNumber(height_->bar()->value() / 10.0, "0.0")));
}

void Dialog_Com3_01Ext::Command_Calc_Click() {
    const HeightCurveParameters& curve = context_.ws.HeightCurve;
    const int a = age_->bar()->value();
    const double h = height_->bar()->value() / 10.0;
    const int px = PlotX(a);
    const int py = PlotY(h);
    // A stand too far off the middle curve (or one whose deviation cannot
    // be computed) is not believed.
    const std::optional<MeasuredSite> site = SiteFromMeasuredStand(curve, a, h);
    if (!site) {
        context_.messages().Show("データチェック！", "選択プロット位置異常", MessageIcon::Error);
        return;
    }
    const Color fill = plot_.FillColor();
    const FillStyle style = plot_.GetFillStyle();
    plot_.SetFillColor(colors::Red);
    plot_.SetFillStyle(FillStyle::Solid);
    plot_.Circle(px, py, 5, colors::Red);
    plot_.SetFillColor(fill);
    plot_.SetFillStyle(style);

    const double scale = site->scale;
    plot_.Point(PlotX(minAge_), PlotY(SiteHeight(curve, scale, minAge_).value_or(0)), kMagenta);
    for (int age = minAge_ + 1; age <= maxAge_ + 5; ++age) {
        plot_.LineTo(PlotX(age), PlotY(SiteHeight(curve, scale, age).value_or(0)), kMagenta);
    }
    picture1_->update();

    const std::string& text = site->classText;
    label3_->setText(QStringLiteral("地位は　") + QString::fromStdString(text) +
                     QStringLiteral("　に相当します。"));
    found_ = SiteCalculationResult{4, scale, text + "・推定", a, h};
    calc_->setEnabled(false);
    age_->SetRowEnabled(false);
    height_->SetRowEnabled(false);
    check1_->setEnabled(false);
    ok_->setEnabled(true);
    QApplication::beep();
}

void Dialog_Com3_01Ext::OKButton_Click() {
    result_ = found_;
    accept();
}

void Dialog_Com3_01Ext::CancelButton_Click() {
    result_ = SiteCalculationResult{};
    reject();
}

}  // namespace mk::app
