#include "core/host/recording_messages.h"

namespace mk {

MessageAnswer RecordingMessages::Show(const std::string& text, const std::string& title,
                                      MessageIcon icon, MessageButtons buttons) {
    shown_.push_back({text, title, icon, buttons});
    if (!scripted_.empty()) {
        MessageAnswer answer = scripted_.front();
        scripted_.pop_front();
        return answer;
    }
    switch (buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return MessageAnswer::Yes;
        default:
            return MessageAnswer::Ok;
    }
}

}  // namespace mk
