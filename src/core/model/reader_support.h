#pragma once
// Pieces shared by the PRM, PAR and HNP readers.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/file_message.h"
#include "core/text/text_file.h"

namespace mk::reader {

inline constexpr std::string_view kWrongFormatText = "データの形式が違います。これは読めません。";

FileMessage WrongFormat(std::string_view errorTitle);
// "ライン数が" + expected + "ではない!"
FileMessage LineCountWarning(int expectedLines, std::string_view warningTitle);
// lineNumber + "行目の数値が読めません。"
FileMessage UnreadableLine(int lineNumber, std::string_view errorTitle);
// "ファイルを開けません。" + CR LF + path
FileMessage CannotOpen(const std::string& path, std::string_view errorTitle);
// The file could not be opened or is too large to be one of ours.
FileMessage ReadFailure(FileReadError error, const std::string& path, std::string_view errorTitle);

// True when the first line exists, is valid code page 932 and equals the
// header, ignoring case, width and kana type.
bool HeaderMatches(const std::vector<TextLine>& lines, std::string_view header);

// The text after the first `chars` characters; empty when the line is
// shorter.
std::string AfterChars(std::string_view text, int chars);

// The value of line `lineNumber` (1-based) after its label of `labelChars`
// characters; empty when the line is missing, malformed or not a number.
std::optional<double> LabelledValue(const std::vector<TextLine>& lines, int lineNumber,
                                    int labelChars);

}  // namespace mk::reader
