#include "app/widgets/scroll_row.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QRegularExpression>
#include <cmath>

#include "core/host/messages.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"

namespace mk::app {

namespace {

int DecimalsOf(int scale) {
    int decimals = 0;
    for (int s = scale; s >= 10; s /= 10) ++decimals;
    return decimals;
}

}  // namespace

ScrollRow::ScrollRow(QWidget* parent, const QString& labelName, const QString& boxName,
                     const QString& barName, const QString& caption)
    : QWidget(parent) {
    label_ = new QLabel(caption, this);
    label_->setObjectName(labelName);
    box_ = new QLineEdit(this);
    box_->setObjectName(boxName);
    box_->setReadOnly(true);
    box_->setAlignment(Qt::AlignRight);
    box_->setFixedWidth(90);
    label_->setBuddy(box_);
    bar_ = new QScrollBar(Qt::Horizontal, this);
    bar_->setObjectName(barName);
    bar_->setMinimumWidth(200);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label_, 0, 0, 1, 2);
    layout->addWidget(box_, 1, 0);
    layout->addWidget(bar_, 1, 1);
    connect(box_, &QLineEdit::textChanged, this, [this](const QString& text) {
        // The program's own texts (the user's typing marks the box modified).
        if (!box_->isModified()) shownText_ = text;
    });
}

void ScrollRow::Setup(int minimum, int maximum, int value, int smallStep, int largeStep) {
    bar_->setRange(minimum, maximum);
    bar_->setSingleStep(smallStep);
    bar_->setPageStep(largeStep);
    bar_->setValue(value);
}

void ScrollRow::SetRowEnabled(bool enabled) {
    label_->setEnabled(enabled);
    box_->setEnabled(enabled);
    bar_->setEnabled(enabled);
}

void ScrollRow::EnableTyping(Messages& messages, const QString& title) {
    messages_ = &messages;
    title_ = title;
    box_->setReadOnly(false);
    box_->installEventFilter(this);
}

QString ScrollRow::Shown(int value) const {
    if (scale_ <= 1) return QString::number(value);
    const std::string pattern =
        "0." + std::string(static_cast<std::size_t>(DecimalsOf(scale_)), '0');
    return QString::fromStdString(FormatNumber(static_cast<double>(value) / scale_, pattern));
}

QString ScrollRow::BoundsText() const {
    return Shown(bar_->minimum()) + QStringLiteral("～") + Shown(bar_->maximum());
}

std::optional<int> ScrollRow::TypedValue(const QString& text) const {
    // Full-width digits, signs and points read as their ASCII forms.
    const QString plain = text.normalized(QString::NormalizationForm_KC).trimmed();
    if (plain.isEmpty()) return std::nullopt;
    const std::optional<double> number = ParseReal(plain.toStdString());
    if (!number || !std::isfinite(*number)) return std::nullopt;
    const double scaled = *number * scale_;
    const double whole = std::round(scaled);
    // Only the bar's own steps: 0.855 is not a value of a bar of hundredths.
    if (std::abs(scaled - whole) > 1e-6) return std::nullopt;
    if (whole < bar_->minimum() || whole > bar_->maximum()) return std::nullopt;
    const int value = static_cast<int>(whole);
    const int step = std::max(1, bar_->singleStep());
    if ((value - bar_->minimum()) % step != 0) return std::nullopt;
    return value;
}

bool ScrollRow::ConfirmTyped() {
    if (confirming_ || !box_->isModified()) return true;
    confirming_ = true;
    box_->setModified(false);
    const std::optional<int> value = TypedValue(box_->text());
    bool accepted = true;
    if (value) {
        if (*value != bar_->value()) {
            // The page shows the new value in its own form ("3000", "0.80").
            bar_->setValue(*value);
        } else {
            box_->setText(shownText_.isEmpty() ? Shown(*value) : shownText_);
        }
    } else {
        accepted = false;
        const QString typed = box_->text();
        box_->setText(shownText_.isEmpty() ? Shown(bar_->value()) : shownText_);
        // "植栽本数(1000-10000)": the bounds are named in the message itself.
        QString caption = label_->text().trimmed();
        caption.remove(QRegularExpression(QStringLiteral("[(（][^()（）]*[)）]$")));
        const QString kind =
            scale_ > 1 ? QStringLiteral("数値（小数点以下%1桁まで）").arg(DecimalsOf(scale_))
                       : QStringLiteral("整数");
        const QString text = (caption.isEmpty() ? QString() : caption + QStringLiteral("には")) +
                             BoundsText() + QStringLiteral(" の") + kind +
                             QStringLiteral("を入力してください。\r\n「") + typed +
                             QStringLiteral("」は使えません。");
        messages_->Show(text.toStdString(), title_.toStdString(), MessageIcon::Error);
        box_->selectAll();
        box_->setFocus();
    }
    confirming_ = false;
    return accepted;
}

bool ScrollRow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_ && messages_ != nullptr && box_->isEnabled()) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            // A refused value keeps Enter from also pressing the page's
            // default button.
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !ConfirmTyped())
                return true;
        } else if (event->type() == QEvent::FocusOut) {
            // Leaving with Tab or a click confirms; a window going away
            // (hidden while it is torn down) does not.
            if (window()->isVisible()) ConfirmTyped();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void EnableTypedEntry(QWidget* window, Messages& messages) {
    for (ScrollRow* row : window->findChildren<ScrollRow*>()) {
        if (!row->typingEnabled() && row->box()->isReadOnly())
            row->EnableTyping(messages, window->windowTitle());
    }
}

}  // namespace mk::app
