#pragma once
// Reads back a table file the program wrote (yield .150, plan .160, stand
// volume .80) into its rows, so that a finished run can be seen and
// exported again. The kind is told by the file's first line, not by its
// name. Anything that is not such a table is refused, naming the first line
// that does not read.

#include <string>
#include <string_view>

#include "core/model/file_message.h"
#include "core/yield/result_table.h"

namespace mk {

inline constexpr const char* kTableReadTitle = "表ファイル読み込みエラー";

// "表ファイルの形式が違います。これは読めません。" + CR LF + N + "行目"
std::string TableFormatErrorText(int lineNumber);

// The table in bytes (code page 932, CR LF or LF). path is kept in the
// record; the refusal's message names the line.
ReadOutcome<ResultTable> ParseTableFile(std::string_view bytes, const std::string& path);

// The same for a file on disk; a file that cannot be read is refused with
// "ファイルを開けません。" and its path.
ReadOutcome<ResultTable> ReadTableFile(const std::string& path);

}  // namespace mk
