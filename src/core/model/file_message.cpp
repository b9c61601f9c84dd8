#include "core/model/file_message.h"

namespace mk {

void ShowFileMessages(const std::vector<FileMessage>& messages, Messages& host) {
    for (const FileMessage& m : messages) host.Show(m.text, m.title, m.icon, MessageButtons::Ok);
}

}  // namespace mk
