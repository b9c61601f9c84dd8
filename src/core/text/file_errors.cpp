#include "core/text/file_errors.h"

#include "core/host/messages.h"

namespace mk {

std::string CannotOpenText(const std::string& path) {
    return "ファイルを開けません。\r\n" + path;
}

void ReportWriteFailure(Messages& messages, const std::string& path) {
    messages.Show("ファイルに書き込めません。\r\n" + path, "ファイル書き込みエラー",
                  MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace mk
