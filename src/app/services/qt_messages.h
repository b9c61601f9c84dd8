#pragma once
// Message boxes of the program, shown with the toolkit.

#include <QPointer>
#include <QWidget>

#include "core/host/messages.h"

namespace mk::app {

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
