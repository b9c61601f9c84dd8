#include "app/yield/wizard_schedule_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <algorithm>
#include <cstdlib>

#include "app/widgets/label_text.h"
#include "core/text/number_format.h"
#include "core/yield/run_checks.h"
#include "core/yield/run_summary.h"

namespace mk::app {

const char* ScaleFormat(int scale) {
    if (scale == 10) return "0.0";
    if (scale == 100) return "0.00";
    return "0";
}

namespace {

QString Formatted(double value, int scale) {
    return QString::fromStdString(FormatNumber(value, ScaleFormat(scale)));
}

// The value as the box shows it, read back: rounded to the shown decimals.
double AsShown(double value, int scale) {
    return std::strtod(FormatNumber(value, ScaleFormat(scale)).c_str(), nullptr);
}

}  // namespace

Dialog_Com3_04_1Ext::Dialog_Com3_04_1Ext(ThinningEntry& entry, QWidget* parent)
    : QDialog(parent), entry_(entry) {
    setObjectName(QStringLiteral("Dialog_Com3_04_1Ext"));
    setWindowTitle(entry.caption);
    auto* layout = new QVBoxLayout(this);
    auto* desc = new QLabel(QStringLiteral("%1回目間伐の").arg(entry.number) + entry.keyLabel +
                                QStringLiteral("、間伐率を設定してください。"),
                            this);
    desc->setObjectName(QStringLiteral("Label_desc"));
    layout->addWidget(desc);
    key_ = new ScrollRow(this, QStringLiteral("Label1"), QStringLiteral("Text1"),
                         QStringLiteral("HScroll1"), entry.keyLabel);
    rate_ = new ScrollRow(this, QStringLiteral("Label2"), QStringLiteral("Text2"),
                          QStringLiteral("HScroll2"), QStringLiteral("間伐率"));
    layout->addWidget(key_);
    layout->addWidget(rate_);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* row = new QHBoxLayout();
    row->addStretch();
    row->addWidget(ok);
    layout->addLayout(row);

    const int scale = entry.keyScale;
    const int minimum = scale * RoundToInt(entry.keyMinimum);
    const int maximum = scale * RoundToInt(entry.keyMaximum);
    const int start = std::max(RoundToInt(scale * entry.keyValue), minimum);
    key_->Setup(minimum, std::max(minimum, maximum), start, 1,
                std::max(1, RoundToInt((maximum - minimum) / 10.0)));
    rate_->Setup(0, 100, std::max(0, RoundToInt(100 * entry.rateValue)), 1, 10);
    key_->SetTypedScale(scale);
    rate_->SetTypedScale(100);
    HScroll1_Change();
    HScroll2_Change();
    connect(key_->bar(), &QScrollBar::valueChanged, this, &Dialog_Com3_04_1Ext::HScroll1_Change);
    connect(rate_->bar(), &QScrollBar::valueChanged, this, &Dialog_Com3_04_1Ext::HScroll2_Change);
    connect(ok, &QPushButton::clicked, this, &Dialog_Com3_04_1Ext::OKButton_Click);
}

void Dialog_Com3_04_1Ext::HScroll1_Change() {
    key_->box()->setText(
        Formatted(static_cast<double>(key_->bar()->value()) / entry_.keyScale, entry_.keyScale));
}

void Dialog_Com3_04_1Ext::HScroll2_Change() {
    rate_->box()->setText(Formatted(rate_->bar()->value() / 100.0, 100));
}

void Dialog_Com3_04_1Ext::OKButton_Click() {
    entry_.keyValue =
        AsShown(static_cast<double>(key_->bar()->value()) / entry_.keyScale, entry_.keyScale);
    entry_.rateValue = AsShown(rate_->bar()->value() / 100.0, 100);
    entry_.ok = true;
    accept();
}

Dialog_Com3_04_1::Dialog_Com3_04_1(AppContext& context, QWidget* parent)
    : WizardPage(context, QStringLiteral("Dialog_Com3_04_1"),
                 QStringLiteral("収穫予測表の作成－パラメータ設定(4/4)"),
                 QStringLiteral("Label_Desc"), parent) {
    okButton()->setText(QStringLiteral("完了"));
    label0_ = new QLabel(this);
    label0_->setObjectName(QStringLiteral("Label0"));
    textTryNum_ = new QLineEdit(this);
    textTryNum_->setObjectName(QStringLiteral("Text_TryNum"));
    textTryNum_->setReadOnly(true);
    textTryNum_->setFixedWidth(60);
    textTryNum_->setAlignment(Qt::AlignRight);
    hscroll00_ = new QScrollBar(Qt::Horizontal, this);
    hscroll00_->setObjectName(QStringLiteral("HScroll00"));
    hscroll00_->setMinimumWidth(200);
    command1_ = new QPushButton(this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setAutoDefault(false);
    auto* countRow = new QHBoxLayout();
    countRow->addWidget(label0_);
    countRow->addWidget(textTryNum_);
    countRow->addWidget(hscroll00_);
    countRow->addWidget(command1_);
    countRow->addStretch();
    body()->addLayout(countRow);

    picture1_ = new QFrame(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(picture1_);
    label99_ = new QLabel(picture1_);
    label99_->setObjectName(QStringLiteral("Label99"));
    grid->addWidget(label99_, 0, 0, 1, 3);
    for (int r = 1; r <= 3; ++r) {
        rowLabel_[r] = new QLabel(picture1_);
        rowLabel_[r]->setObjectName(QStringLiteral("Label%1").arg(r));
        keyBox_[r] = new QLineEdit(picture1_);
        keyBox_[r]->setObjectName(QStringLiteral("Text%1").arg(r));
        rateBox_[r] = new QLineEdit(picture1_);
        rateBox_[r]->setObjectName(QStringLiteral("Text%1").arg(r + 3));
        for (QLineEdit* box : {keyBox_[r], rateBox_[r]}) {
            box->setReadOnly(true);
            box->setAlignment(Qt::AlignRight);
            box->setFixedWidth(90);
        }
        grid->addWidget(rowLabel_[r], r, 0);
        grid->addWidget(keyBox_[r], r, 1);
        grid->addWidget(rateBox_[r], r, 2);
    }
    vscroll1_ = new QScrollBar(Qt::Vertical, picture1_);
    vscroll1_->setObjectName(QStringLiteral("VScroll1"));
    grid->addWidget(vscroll1_, 1, 3, 3, 1);
    body()->addWidget(picture1_);
    body()->addStretch();

    connect(hscroll00_, &QScrollBar::valueChanged, this, &Dialog_Com3_04_1::HScroll00_Change);
    connect(command1_, &QPushButton::clicked, this, &Dialog_Com3_04_1::Command1_Click);
    connect(vscroll1_, &QScrollBar::valueChanged, this, &Dialog_Com3_04_1::VScroll1_Change);
    Form_Load();
}

void Dialog_Com3_04_1::Form_Load() {
    Workspace& w = ws();
    context_.flags.WizardResult = 0;
    picture1_->hide();
    hscroll00_->setRange(0, 11);
    hscroll00_->setSingleStep(1);
    hscroll00_->setPageStep(2);
    hscroll00_->setValue(1);
    textTryNum_->setText(QStringLiteral("1"));
    command1_->setText(QStringLiteral("決定"));
    command1_->show();
    command1_->setEnabled(true);
    SetLabelText(description(), RunSummaryFiles(w.Run, w.CurrentStand));
    label0_->setText(QStringLiteral("間伐回数(0-11)"));
    switch (w.Run.ThinningMethod) {
        case 2:
            methodTitle_ = QStringLiteral("上層樹高と間伐率");
            keyLabel_ = QStringLiteral("上層樹高");
            break;
        case 3:
            methodTitle_ = QStringLiteral("胸高直径と間伐率");
            keyLabel_ = QStringLiteral("胸高直径");
            break;
        default:
            methodTitle_ = QStringLiteral("林齢と間伐率");
            keyLabel_ = QStringLiteral("林齢");
            break;
    }
    okButton()->setEnabled(false);
    keyScale_ = w.Run.ThinningMethod == 2 || w.Run.ThinningMethod == 3 ? 10 : 1;
    // A schedule decided on an earlier showing in this run comes back as it
    // was left (the method page clears it when the method changes).
    if (w.Run.ThinningCount > 0) ShowDecided(std::min(w.Run.ThinningCount, kThinningEntries - 1));
}

void Dialog_Com3_04_1::HScroll00_Change() {
    textTryNum_->setText(QString::number(hscroll00_->value()));
}

void Dialog_Com3_04_1::Command1_Click() {
    if (command1_->text() == QStringLiteral("決定")) {
        Decide();
    } else {
        StartAgain();
    }
}

void Dialog_Com3_04_1::ShowPanel(int count) {
    textTryNum_->hide();
    hscroll00_->hide();
    command1_->hide();
    label0_->setText(QStringLiteral("間伐回数は%1回です。").arg(count));
    if (count <= 0) return;
    picture1_->show();
    label99_->setText(methodTitle_);
    if (count > 3) {
        vscroll1_->blockSignals(true);
        vscroll1_->setRange(1, count);
        vscroll1_->setValue(1);
        vscroll1_->setSingleStep(1);
        vscroll1_->setPageStep(2);
        vscroll1_->blockSignals(false);
        vscroll1_->show();
        vscroll1_->setEnabled(true);
    } else {
        vscroll1_->hide();
    }
    for (int r = 1; r <= 3; ++r) {
        const bool shown = r <= count;
        rowLabel_[r]->setVisible(shown);
        keyBox_[r]->setVisible(shown);
        rateBox_[r]->setVisible(shown);
        rowLabel_[r]->setText(QStringLiteral("%1回目間伐").arg(r));
        keyBox_[r]->clear();
        rateBox_[r]->clear();
    }
}

void Dialog_Com3_04_1::ShowDecided(int count) {
    countChosen_ = count;
    ShowPanel(count);
    for (int j = 1; j <= std::min(count, 3); ++j) ShowRow(j, j);
    enteredCount_ = count;
    command1_->setText(QStringLiteral("やり直し"));
    command1_->show();
    okButton()->setEnabled(true);
}

void Dialog_Com3_04_1::Decide() {
    Workspace& w = ws();
    const int count = hscroll00_->value();
    countChosen_ = count;
    ShowPanel(count);
    if (count > 0) {
        const ThinningProposal proposal = ProposeThinnings(w);
        keyScale_ = proposal.keyScale;
        double previous = proposal.key0;
        for (int j = 1; j <= count; ++j) {
            ThinningEntry entry;
            entry.number = j;
            entry.caption = methodTitle_;
            entry.keyLabel = keyLabel_;
            // Each proposal follows the thinning chosen before it.
            entry.keyValue = ProposedKeyAfter(previous);
            entry.keyMinimum = entry.keyValue;
            entry.keyMaximum = proposal.keyMaximum;
            entry.rateValue = proposal.rate0;
            entry.keyScale = proposal.keyScale;
            Dialog_Com3_04_1Ext dialog(entry, this);
            EnableTypedEntry(&dialog, context_.messages());
            context_.services.dialogs->Run(dialog);
            // Closing the dialog without OK keeps the proposal.
            w.Run.ThinningKey[j] = entry.keyValue;
            w.Run.ThinningRate[j] = entry.rateValue;
            previous = entry.keyValue;
            if (j <= 3) ShowRow(j, j);
            enteredCount_ = j;
        }
    }
    w.Run.ThinningCount = count;
    command1_->setText(QStringLiteral("やり直し"));
    command1_->show();
    okButton()->setEnabled(true);
}

void Dialog_Com3_04_1::StartAgain() {
    picture1_->hide();
    // The schedule given up is not offered again when the user comes back.
    ws().Run.ThinningCount = 0;
    enteredCount_ = 0;
    countChosen_ = 1;
    textTryNum_->setText(QStringLiteral("1"));
    textTryNum_->show();
    hscroll00_->setValue(1);
    hscroll00_->show();
    command1_->setText(QStringLiteral("決定"));
    command1_->setEnabled(true);
    SetLabelText(description(), RunSummaryFiles(ws().Run, ws().CurrentStand));
    label0_->setText(QStringLiteral("間伐回数(0-11)"));
    okButton()->setEnabled(false);
}

void Dialog_Com3_04_1::ShowRow(int row, int thinning) {
    const RunSettings& run = ws().Run;
    rowLabel_[row]->setText(QStringLiteral("%1回目間伐").arg(thinning));
    keyBox_[row]->setText(Formatted(run.ThinningKey[thinning], keyScale_));
    rateBox_[row]->setText(Formatted(run.ThinningRate[thinning], 100));
}

void Dialog_Com3_04_1::VScroll1_Change() {
    if (enteredCount_ <= 0) return;
    const int v = vscroll1_->value();
    int first = v - 1;
    if (v == vscroll1_->minimum()) first = v;
    if (v == vscroll1_->maximum()) first = v - 2;
    for (int r = 1; r <= 3; ++r) ShowRow(r, first + r - 1);
}

void Dialog_Com3_04_1::OKButton_Click() {
    Workspace& w = ws();
    w.Run.ThinningCount = countChosen_;
    // A thinning out of order, or by age after the end year, would never be
    // made: the run is refused here rather than made without it.
    const std::string refusal = ScheduleRefusal(w.Run);
    if (!refusal.empty()) {
        ShowError(refusal);
        return;
    }
    const MessageAnswer answer = context_.messages().Show(
        "この設定で宜しいか？\r\n\r\n" + RunSummary(w.Run, w.CurrentStand), "パラメータ設定確認",
        MessageIcon::Warning, MessageButtons::OkCancel);
    if (answer == MessageAnswer::Ok) Finish();
}

}  // namespace mk::app
