#pragma once
// A value chosen with a horizontal scroll bar: a caption, a read-only box
// that echoes the value, and the bar.

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>

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

private:
    QLabel* label_;
    QLineEdit* box_;
    QScrollBar* bar_;
};

}  // namespace mk::app
