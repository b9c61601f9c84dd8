#pragma once
// Message boxes of the program, shown with the toolkit.

#include <QPointer>
#include <QWidget>

#include "core/host/messages.h"

class QMessageBox;

namespace mk::app {

// Makes the box wide enough that the window manager shows its whole title
// instead of cutting it with "…" (a short text leaves the box narrower than
// a title such as "PRMファイル読み込みエラー").
void FitTitle(QMessageBox& box);

// The width a title bar needs for the title: its text in the title font,
// the window's icon and the close button beside it.
int TitleBarWidth(const QString& title);

class QtMessages final : public Messages {
public:
    MessageAnswer Show(const std::string& text, const std::string& title, MessageIcon icon,
                       MessageButtons buttons) override;
};

class QtEventPump final : public EventPump {
public:
    void Pump() override;
};

}  // namespace mk::app
