#include "app/basedata/prm_equations.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>
#include <vector>

namespace mk::app {

namespace {

// One piece of a formula: plain text, a coefficient box, or text or a box
// raised as an exponent or lowered as a subscript, or a root sign.
enum class Place { Line, Raised, Lowered };
enum class Kind { Text, Box, Root };

struct Piece {
    Kind kind;
    Place place;
    const char* text;  // the text, or the radicand
    int box;           // parameter number of a box
};

Piece T(const char* text) { return {Kind::Text, Place::Line, text, 0}; }
Piece B(int box) { return {Kind::Box, Place::Line, nullptr, box}; }
Piece Sup(const char* text) { return {Kind::Text, Place::Raised, text, 0}; }
Piece SupBox(int box) { return {Kind::Box, Place::Raised, nullptr, box}; }
Piece Sub(const char* text) { return {Kind::Text, Place::Lowered, text, 0}; }
Piece Root(const char* text) { return {Kind::Root, Place::Line, text, 0}; }

struct Equation {
    const char* title;  // what the equation gives
    int first, last;    // parameter numbers
    std::vector<Piece> pieces;
};

// The coefficient names in the order of the lines of a PRM file.
const char* const kCoefficientNames[18] = {nullptr, "b1", "b2", "b3", "b4", "f1", "f2", "f3", "d1",
                                           "d2",    "d3", "a",  "b",  "k",  "e",  "c",  "a'", "b'"};

const char* const kCoefficientTips[18] = {
    nullptr,
    "b1：収量－密度式の第1項の係数",
    "b2：第1項のＨの指数",
    "b3：第2項の係数",
    "b4：第2項のＨの指数",
    "f1：林分形状高式の定数",
    "f2：Ｈの係数",
    "f3：√Ｎ×Ｈ／100 の係数",
    "d1：平均直径式の定数",
    "d2：断面積平均直径ｄｇの係数",
    "d3：√Ｎ×Ｈ／100 の係数",
    "a：最多密度線の切片",
    "b：最多密度線の傾き（Ｈの指数）",
    "k：自然枯死線の係数",
    "e：自然枯死線の係数に掛ける10の指数",
    "c：植栽本数Ｎ0の指数（c－1乗）",
    "a'：最多密度材積線の切片",
    "b'：最多密度材積線の傾き",
};

const std::vector<Equation>& Equations() {
    static const std::vector<Equation> equations = {
        {"収量－密度効果の逆数式",
         1,
         4,
         {T("Ｖ ＝ （"), B(1), T("×Ｈ"), SupBox(2), T("＋"), B(3), T("×Ｈ"), SupBox(4),
          T("／Ｎ ）"), Sup("－1")}},
        {"林分形状高（ＨＦ）式",
         5,
         7,
         {T("ＨＦ ＝"), B(5), T("＋"), B(6), T("×Ｈ ＋"), B(7), T("×"), Root("Ｎ"), T("×Ｈ／100")}},
        {"平均直径式",
         8,
         10,
         {T("ｄ ＝"), B(8), T("＋"), B(9), T("×ｄｇ ＋"), B(10), T("×"), Root("Ｎ"),
          T("×Ｈ／100")}},
        {"最多密度線",
         11,
         12,
         {T("logＮ"), Sub("Rf"), T("＝"), B(11), T("＋"), B(12), T("×logＨ")}},
        {"自然枯死線",
         13,
         15,
         {T("Ｎ"), Sub("0"), T("＝ Ｎ ＋ ｖ ／ （"), B(13), T("×10"), SupBox(14), T("×Ｎ"),
          Sub("0"), Sup("（"), SupBox(15), Sup("－1）"), T("）")}},
        {"最多密度材積線",
         16,
         17,
         {T("logＶ"), Sub("Rf"), T("＝"), B(16), T("＋"), B(17), T("×logＮ"), Sub("Rf")}},
    };
    return equations;
}

QLineEdit* MakeBox(QWidget* parent, int i, bool raised) {
    auto* text = new QLineEdit(parent);
    text->setObjectName(QStringLiteral("Text%1").arg(i));
    // Wide enough for "-1.234567E-03" and for the full digits of a typed value.
    text->setFixedWidth(raised ? 112 : 122);
    text->setAlignment(Qt::AlignRight);
    text->setToolTip(QString::fromUtf8(kCoefficientTips[i]));
    return text;
}

// The coefficient's short name, small, above its box.
QLabel* NameLabel(QWidget* parent, int i) {
    auto* name = new QLabel(QString::fromUtf8(kCoefficientNames[i]), parent);
    name->setObjectName(QStringLiteral("Name%1").arg(i));
    name->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    QFont font = name->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    font.setItalic(true);
    name->setFont(font);
    QPalette palette = name->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 160));
    name->setPalette(palette);
    return name;
}

QLabel* SmallLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.8);
    label->setFont(font);
    return label;
}

// Grid rows of an equation: 0 the coefficient names, 1-2 raised pieces,
// 2-3 the line of the formula, 3-4 lowered pieces. Pieces that share a row
// overlap by half, which lifts an exponent above the line and drops a
// subscript below it.
void LayOut(QWidget* box, QGridLayout* grid, const Equation& eq, int group,
            PrmEquationBoxes& boxes) {
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(0);
    int column = 0;
    int small = 1;  // numbering of Label<g>_<n> for the small labels
    bool titled = false;
    for (const Piece& p : eq.pieces) {
        QWidget* widget = nullptr;
        if (p.kind == Kind::Box) {
            QLineEdit* text = MakeBox(box, p.box, p.place == Place::Raised);
            boxes.text[static_cast<size_t>(p.box)] = text;
            grid->addWidget(NameLabel(box, p.box), 0, column, Qt::AlignHCenter | Qt::AlignBottom);
            widget = text;
        } else if (p.kind == Kind::Root) {
            widget = new RootSign(QString::fromUtf8(p.text), box);
            widget->setObjectName(QStringLiteral("Line%1").arg(group));
        } else if (p.place == Place::Line) {
            auto* label = new QLabel(QString::fromUtf8(p.text), box);
            if (!titled) {
                label->setObjectName(QStringLiteral("Label%1").arg(group));
                titled = true;
            } else {
                label->setObjectName(QStringLiteral("Label%1_t%2").arg(group).arg(column));
            }
            widget = label;
        } else {
            QLabel* label = SmallLabel(QString::fromUtf8(p.text), box);
            label->setObjectName(QStringLiteral("Label%1_%2").arg(group).arg(++small));
            widget = label;
        }
        switch (p.place) {
            case Place::Line:
                grid->addWidget(widget, 2, column, 2, 1, Qt::AlignVCenter);
                break;
            case Place::Raised:
                grid->addWidget(widget, 1, column, 2, 1, Qt::AlignTop);
                break;
            case Place::Lowered:
                grid->addWidget(widget, 3, column, 2, 1, Qt::AlignBottom);
                break;
        }
        ++column;
    }
    grid->setColumnStretch(column, 1);
}

}  // namespace

int FirstParameterOf(int group) { return Equations()[static_cast<size_t>(group - 1)].first; }
int LastParameterOf(int group) { return Equations()[static_cast<size_t>(group - 1)].last; }

PrmEquationBoxes BuildPrmEquations(QWidget* parent) {
    PrmEquationBoxes boxes;
    auto* layout = qobject_cast<QVBoxLayout*>(parent->layout());
    for (int g = 1; g <= 6; ++g) {
        const Equation& eq = Equations()[static_cast<size_t>(g - 1)];
        auto* box = new QGroupBox(QString::fromUtf8(eq.title), parent);
        box->setObjectName(QStringLiteral("Group%1").arg(g));
        auto* grid = new QGridLayout(box);
        LayOut(box, grid, eq, g, boxes);
        boxes.group[static_cast<size_t>(g)] = box;
        if (layout != nullptr) layout->addWidget(box);
    }
    return boxes;
}

RootSign::RootSign(const QString& radicand, QWidget* parent)
    : QWidget(parent), radicand_(radicand) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize RootSign::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(radicand_) + 14, metrics.height() + 6};
}

void RootSign::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int top = 2;
    const int bottom = height() - 2;
    const int textLeft = 12;
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1.2));
    // The hook, the long stroke up and the bar over the radicand.
    const QPointF points[] = {{1.0, bottom - (bottom - top) * 0.45},
                              {4.0, bottom - (bottom - top) * 0.55},
                              {7.5, static_cast<double>(bottom)},
                              {textLeft - 1.5, static_cast<double>(top)},
                              {static_cast<double>(width() - 1), static_cast<double>(top)}};
    painter.drawPolyline(points, 5);
    painter.drawText(QRect(textLeft, top + 2, width() - textLeft, bottom - top - 1),
                     Qt::AlignLeft | Qt::AlignVCenter, radicand_);
}

}  // namespace mk::app
