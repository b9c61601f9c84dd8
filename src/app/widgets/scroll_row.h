#pragma once
// A value chosen with a horizontal scroll bar: a caption, a box that echoes
// the value, and the bar. Once typing is enabled the value can also be typed
// into the box: Enter or leaving the box hands it to the bar, with the bar's
// bounds and steps; full-width digits are read as digits, and a value the
// bar cannot take is refused with a message that names the bounds.

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>
#include <optional>

namespace mk {
class Messages;
}

namespace mk::app {

class ScrollRow : public QWidget {
    Q_OBJECT
public:
    ScrollRow(QWidget* parent, const QString& labelName, const QString& boxName,
              const QString& barName, const QString& caption);

    QLabel* label() const { return label_; }
    QLineEdit* box() const { return box_; }
    QScrollBar* bar() const { return bar_; }

    // Range, value and steps at once; the value is set after the range so
    // that it is never clamped by the old one.
    void Setup(int minimum, int maximum, int value, int smallStep, int largeStep);
    // Label, box and bar together.
    void SetRowEnabled(bool enabled);

    // The box shows the bar's value divided by scale (10: one decimal, 100:
    // two), which is how typed values are read back.
    void SetTypedScale(int scale) { scale_ = scale; }
    int typedScale() const { return scale_; }
    // Makes the box editable; refusals are shown through messages under
    // title (the window's caption).
    void EnableTyping(Messages& messages, const QString& title);
    bool typingEnabled() const { return messages_ != nullptr; }

    // The bar value a typed text stands for, or nothing when it is not a
    // number the bar can take exactly (outside the bounds, or between two
    // steps).
    std::optional<int> TypedValue(const QString& text) const;
    // "50～99" in the form the box shows ("0.50～0.99" for scale 100).
    QString BoundsText() const;

    // Hands what was typed to the bar. False when it was refused (the box
    // then shows the bar's value again).
    bool ConfirmTyped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString Shown(int value) const;

    QLabel* label_;
    QLineEdit* box_;
    QScrollBar* bar_;
    int scale_ = 1;
    Messages* messages_ = nullptr;
    QString title_;
    // What the program last wrote into the box, put back after a refusal.
    QString shownText_;
    bool confirming_ = false;
};

// Lets every read-only scroll-bar box below window be typed into (boxes a
// window already edits itself are left alone), with refusals titled with
// the window's caption.
void EnableTypedEntry(QWidget* window, Messages& messages);

}  // namespace mk::app
