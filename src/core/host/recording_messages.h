#pragma once
// Messages and EventPump that remember what they were asked, for tests and
// for hosts that collect messages instead of showing them.

#include <deque>
#include <string>
#include <vector>

#include "core/host/messages.h"

namespace mk {

struct ShownMessage {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

class RecordingMessages final : public Messages {
public:
    MessageAnswer Show(const std::string& text, const std::string& title, MessageIcon icon,
                       MessageButtons buttons) override;

    // Answers given in order to the next messages; once used up, each
    // message is answered with the first button of its set (Ok or Yes).
    void Script(MessageAnswer answer) { scripted_.push_back(answer); }

    const std::vector<ShownMessage>& shown() const { return shown_; }
    void clear() { shown_.clear(); }

private:
    std::vector<ShownMessage> shown_;
    std::deque<MessageAnswer> scripted_;
};

class CountingEventPump final : public EventPump {
public:
    void Pump() override { ++count; }
    long long count = 0;
};

}  // namespace mk
