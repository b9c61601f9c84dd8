#pragma once
// What a parameter-file reader has to say to the user, kept as data so that
// the same reader serves the windows, the batch tool and the tests.

#include <optional>
#include <string>
#include <vector>

#include "core/host/messages.h"

namespace mk {

struct FileMessage {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
    bool operator==(const FileMessage&) const = default;
};

// The outcome of reading one file into a record of type T: the record when
// it loaded, the messages to show in order (a line-count warning may come
// before a refusal), and the refusal that stopped it, if any.
template <typename T>
struct ReadOutcome {
    std::optional<T> record;
    std::vector<FileMessage> messages;
    bool ok() const { return record.has_value(); }
};

// Shows every message of a read through the host.
void ShowFileMessages(const std::vector<FileMessage>& messages, Messages& host);

}  // namespace mk
