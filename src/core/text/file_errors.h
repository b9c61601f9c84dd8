#pragma once
// The messages of files that cannot be opened or written.

#include <string>

namespace mk {

class Messages;

// "ファイルを開けません。" + CR LF + path
std::string CannotOpenText(const std::string& path);

// "ファイルに書き込めません。" + CR LF + path, titled "ファイル書き込みエラー",
// error icon.
void ReportWriteFailure(Messages& messages, const std::string& path);

}  // namespace mk
