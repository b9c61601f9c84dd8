#pragma once
// How the core talks to the user: every message box of the program goes
// through one Messages object supplied by the host (windows, batch tool,
// tests), so the computations never show anything themselves.

#include <string>

namespace mk {

enum class MessageIcon { None, Error, Warning, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class Messages {
public:
    virtual ~Messages() = default;
    // text may hold CR LF line breaks exactly as the program composes them.
    virtual MessageAnswer Show(const std::string& text, const std::string& title, MessageIcon icon,
                               MessageButtons buttons = MessageButtons::Ok) = 0;
};

// Called once per simulated year and per search step so that the host can
// process pending user-interface events; the batch tool and tests do nothing.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void Pump() = 0;
};

class NullEventPump final : public EventPump {
public:
    void Pump() override {}
};

}  // namespace mk
