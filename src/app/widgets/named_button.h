#pragma once
// A push button with the object name tests and the keyboard find it by. It
// is never an auto-default button: Enter presses only the window's own
// default button, not whichever button has the focus.

#include <QPushButton>
#include <QString>

namespace mk::app {

inline QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace mk::app
