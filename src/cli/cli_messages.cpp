#include "cli/cli_messages.h"

namespace mk::cli {

MessageAnswer CliMessages::Show(const std::string& text, const std::string& title, MessageIcon,
                                MessageButtons buttons) {
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        plain += text[i] == '\r' ? '\n' : text[i];
    }
    err_ << "[" << title << "] " << plain << "\n";
    ++count_;
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel
               ? MessageAnswer::Yes
               : MessageAnswer::Ok;
}

}  // namespace mk::cli
