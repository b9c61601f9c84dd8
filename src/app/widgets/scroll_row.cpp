#include "app/widgets/scroll_row.h"

#include <QGridLayout>

namespace mk::app {

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
    bar_ = new QScrollBar(Qt::Horizontal, this);
    bar_->setObjectName(barName);
    bar_->setMinimumWidth(260);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label_, 0, 0, 1, 2);
    layout->addWidget(box_, 1, 0);
    layout->addWidget(bar_, 1, 1);
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

}  // namespace mk::app
