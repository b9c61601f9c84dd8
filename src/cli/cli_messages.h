#pragma once
// The batch tool shows a message box as one "[TITLE] TEXT" on standard
// error (CR LF inside the text printed as LF) and goes on as after OK.

#include <ostream>

#include "core/host/messages.h"

namespace mk::cli {

class CliMessages final : public Messages {
public:
    explicit CliMessages(std::ostream& err) : err_(err) {}
    MessageAnswer Show(const std::string& text, const std::string& title, MessageIcon icon,
                       MessageButtons buttons) override;
    int count() const { return count_; }

private:
    std::ostream& err_;
    int count_ = 0;
};

}  // namespace mk::cli
