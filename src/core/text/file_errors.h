#pragma once
// The messages of files that cannot be opened or written.

#include <string>

#include "core/text/text_file.h"

namespace mk {

class Messages;

// "ファイルを開けません。" + CR LF + path
std::string CannotOpenText(const std::string& path);

// "ファイルが大きすぎて読めません（64MBまで）。" + CR LF + path
std::string TooLargeText(const std::string& path);

// Why a file could not be read: one of the two texts above.
std::string ReadFailureText(FileReadError error, const std::string& path);

// "ファイルに書き込めません。" + CR LF + path, titled "ファイル書き込みエラー",
// error icon.
void ReportWriteFailure(Messages& messages, const std::string& path);

}  // namespace mk
