#include "core/model/reader_support.h"

#include "core/text/cp932.h"
#include "core/text/file_errors.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"
#include "core/text/text_compare.h"

namespace mk::reader {

FileMessage WrongFormat(std::string_view errorTitle) {
    return {std::string(kWrongFormatText), std::string(errorTitle), MessageIcon::Error};
}

FileMessage LineCountWarning(int expectedLines, std::string_view warningTitle) {
    return {"ライン数が" + IntText(expectedLines) + "ではない!", std::string(warningTitle),
            MessageIcon::Warning};
}

FileMessage UnreadableLine(int lineNumber, std::string_view errorTitle) {
    return {IntText(lineNumber) + "行目の数値が読めません。", std::string(errorTitle),
            MessageIcon::Error};
}

FileMessage CannotOpen(const std::string& path, std::string_view errorTitle) {
    return {CannotOpenText(path), std::string(errorTitle), MessageIcon::Error};
}

FileMessage ReadFailure(FileReadError error, const std::string& path, std::string_view errorTitle) {
    return {ReadFailureText(error, path), std::string(errorTitle), MessageIcon::Error};
}

bool HeaderMatches(const std::vector<TextLine>& lines, std::string_view header) {
    return !lines.empty() && lines[0].valid && TextEquals(lines[0].text, header);
}

std::string AfterChars(std::string_view text, int chars) {
    // Walked, not split: a value line may be megabytes of junk.
    return std::string(text.substr(ByteOffsetOfChars(text, static_cast<std::size_t>(chars))));
}

std::optional<double> LabelledValue(const std::vector<TextLine>& lines, int lineNumber,
                                    int labelChars) {
    const auto index = static_cast<std::size_t>(lineNumber - 1);
    if (index >= lines.size() || !lines[index].valid) return std::nullopt;
    return ParseReal(AfterChars(lines[index].text, labelChars));
}

}  // namespace mk::reader
