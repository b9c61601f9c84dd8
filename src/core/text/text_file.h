#pragma once
// Reading and writing the program's text files: code page 932, lines ending
// in CR LF (LF alone is accepted on reading). Files are written whole or not
// at all: a temporary file in the same folder is renamed over the target.

#include <string>
#include <string_view>
#include <vector>

#include "core/text/file_save.h"

namespace mk {

struct TextLine {
    std::string text;   // UTF-8; empty when the line is not valid code page 932
    bool valid = true;  // false: the line holds bytes that are not code page 932
};

enum class TextFileError { None, CannotOpen, CannotWrite, NotEncodable };

struct TextFileContent {
    TextFileError error = TextFileError::None;
    std::vector<TextLine> lines;
    bool ok() const { return error == TextFileError::None; }
};

// Splits bytes into lines (CR LF or LF; a last line without an end counts,
// an empty tail after the last line end does not) and decodes each one.
std::vector<TextLine> DecodeTextLines(std::string_view bytes);

// Reads a whole file. CannotOpen for a missing, unreadable or empty path,
// or a folder.
TextFileContent ReadTextFile(const std::string& path);

// Reads the raw bytes of a file; false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Encodes UTF-8 text as code page 932 and writes it whole. The text carries
// its own line ends (use kCrLf).
TextFileError WriteCp932File(const std::string& path, std::string_view utf8Text);

// Writes each line followed by CR LF.
TextFileError WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

inline constexpr std::string_view kCrLf = "\r\n";

}  // namespace mk
