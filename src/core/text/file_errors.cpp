#include "core/text/file_errors.h"

#include "core/host/messages.h"

namespace mk {

std::string CannotOpenText(const std::string& path) { return "ファイルを開けません。\r\n" + path; }

std::string TooLargeText(const std::string& path) {
    return "ファイルが大きすぎて読めません（" + std::to_string(kMaxReadFileSize >> 20) +
           "MBまで）。\r\n" + path;
}

std::string ReadFailureText(FileReadError error, const std::string& path) {
    return error == FileReadError::TooLarge ? TooLargeText(path) : CannotOpenText(path);
}

void ReportWriteFailure(Messages& messages, const std::string& path) {
    messages.Show("ファイルに書き込めません。\r\n" + path, "ファイル書き込みエラー",
                  MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace mk
