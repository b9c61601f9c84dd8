#include "app/basedata/dialog_1inputdataope.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "app/widgets/edit_box_signals.h"
#include "app/widgets/number_box.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"

namespace mk::app {

namespace {

// Boxes 2, 4 and 9 (plot, stems, age) hold whole numbers.
bool IsWhole(int box) { return box == 2 || box == 4 || box == 9; }

double FieldValue(const SurveyRecord& r, int box) {
    switch (box) {
        case 1:
            return r.number;
        case 2:
            return r.plot;
        case 3:
            return r.dominantHeight;
        case 4:
            return r.stemsPerHa;
        case 5:
            return r.stemVolume;
        case 6:
            return r.basalArea;
        case 7:
            return r.meanDiameter;
        case 8:
            return r.meanHeight;
        default:
            return r.standAge;
    }
}

void SetField(SurveyRecord& r, int box, double value) {
    switch (box) {
        case 2:
            r.plot = RoundToInt(value);
            break;
        case 3:
            r.dominantHeight = value;
            break;
        case 4:
            r.stemsPerHa = RoundToInt(value);
            break;
        case 5:
            r.stemVolume = value;
            break;
        case 6:
            r.basalArea = value;
            break;
        case 7:
            r.meanDiameter = value;
            break;
        case 8:
            r.meanHeight = value;
            break;
        case 9:
            r.standAge = RoundToInt(value);
            break;
        default:
            break;
    }
}

QString FieldText(const SurveyRecord& r, int box) {
    const double value = FieldValue(r, box);
    if (box == 1 || IsWhole(box)) return QString::number(static_cast<long long>(value));
    return QString::fromStdString(FormatNumber(value, "0.0"));
}

const char* const kLabels[] = {"",       "番号",   "ＰＬＯＴ", "上層樹高", "立木本数",
                               "幹材積", "断面積", "平均直径", "平均樹高", "林齢"};

const char* const kMissing[] = {"",
                                "",
                                "ＰＬＯＴが指定されていません。",
                                "上層樹高が指定されていません。",
                                "立木本数が指定されていません。",
                                "幹材積が指定されていません。",
                                "断面積が指定されていません。",
                                "平均直径が指定されていません。",
                                "平均樹高が指定されていません。",
                                "林齢が指定されていません。"};

}  // namespace

Dialog_1INPUTDATAOPE::Dialog_1INPUTDATAOPE(AppContext& context, SurveyRecord& recordBuffer,
                                           QWidget* parent)
    : QDialog(parent), context_(context), recordBuffer_(recordBuffer), working_(recordBuffer) {
    setObjectName(QStringLiteral("Dialog_1INPUTDATAOPE"));
    const bool correcting = working_.confirmed;
    setWindowTitle(correcting ? QStringLiteral("データ修正") : QStringLiteral("データ入力"));

    auto* layout = new QVBoxLayout(this);
    auto* desc = new QLabel(correcting ? QStringLiteral("データを修正してください。")
                                       : QStringLiteral("データを入力してください。"),
                            this);
    desc->setObjectName(QStringLiteral("Label_Desc"));
    layout->addWidget(desc);
    auto* grid = new QGridLayout();
    for (int box = 1; box <= 9; ++box) {
        auto* label = new QLabel(QString::fromUtf8(kLabels[box]), this);
        label->setObjectName(QStringLiteral("Label%1").arg(box));
        auto* text = new QLineEdit(this);
        text->setObjectName(QStringLiteral("Text%1").arg(box));
        text->setAlignment(Qt::AlignRight);
        text->setMaximumWidth(140);
        text_[box] = text;
        grid->addWidget(label, box - 1, 0);
        grid->addWidget(text, box - 1, 1);
        if (box >= 2) {
            connect(text, &QLineEdit::editingFinished, this, [this, box] { Text_LostFocus(box); });
        }
    }
    text_[1]->setReadOnly(true);
    layout->addLayout(grid);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setAutoDefault(false);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &Dialog_1INPUTDATAOPE::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &Dialog_1INPUTDATAOPE::CancelButton_Click);

    // A new record shows zeros in the form of its field.
    for (int box = 1; box <= 9; ++box) ShowField(box);
}

void Dialog_1INPUTDATAOPE::ShowField(int box) { text_[box]->setText(FieldText(working_, box)); }

void Dialog_1INPUTDATAOPE::Text_LostFocus(int box) {
    // A box left as it was shown is no entry.
    if (text_[box]->text() == FieldText(working_, box)) return;
    // Whole-number fields take a decimal text rounded, as the file reader does.
    const std::optional<double> value =
        ReadRealBox(*text_[box], context_.messages(), windowTitle().toStdString());
    // Anything that is not a number in range gives the field its value back.
    if (value && (*value < 0 || *value > 20000)) {
        context_.messages().Show("0～20000 の範囲の数値を入力してください。",
                                 windowTitle().toStdString(), MessageIcon::Error);
    } else if (value) {
        SetField(working_, box, *value);
    }
    ShowField(box);
}

void Dialog_1INPUTDATAOPE::OKButton_Click() {
    std::string errors;
    double sum = 0;
    SurveyRecord entered = working_;
    for (int box = 2; box <= 9; ++box) {
        const std::string text = text_[box]->text().toStdString();
        if (text.empty()) {
            errors += kMissing[box];
            errors += "\r\n";
            continue;
        }
        double value = LeadingNumber(FoldTypedNumber(text));
        if (IsWhole(box)) value = RoundToInt(value);
        SetField(entered, box, value);
        sum += value;
    }
    if (errors.empty() && sum == 0) errors = "有効な数値が入力されていません。";
    if (!errors.empty()) {
        context_.messages().Show(errors, windowTitle().toStdString(), MessageIcon::Error);
        return;
    }
    entered.number = RoundToInt(LeadingNumber(FoldTypedNumber(text_[1]->text().toStdString())));
    entered.confirmed = true;
    recordBuffer_ = entered;
    accepted_ = true;
    accept();
}

void Dialog_1INPUTDATAOPE::CancelButton_Click() {
    accepted_ = false;
    reject();
}

Dialog_1INPUTDATAOPE::~Dialog_1INPUTDATAOPE() { DisconnectEditBoxes(this); }

}  // namespace mk::app
