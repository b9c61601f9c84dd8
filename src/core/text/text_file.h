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

// Walks bytes one line at a time (CR LF, LF or a lone CR ends a line; a
// last line without an end counts, an empty tail after the last line end
// does not), decoding each line only when it is asked for. A reader that
// needs a few lines of a large file never holds more than those.
class TextLineReader {
public:
    explicit TextLineReader(std::string_view bytes) : bytes_(bytes) {}
    // The next line; false at the end of the bytes.
    bool Next(TextLine& line);
    // 1-based number of the line Next gave last (0 before the first).
    int LineNumber() const { return number_; }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

// The first maxLines lines of bytes, split and decoded as TextLineReader
// does.
std::vector<TextLine> DecodeTextLines(std::string_view bytes,
                                      std::size_t maxLines = static_cast<std::size_t>(-1));

// Reads a whole file. CannotOpen for a missing, unreadable or empty path,
// or a folder.
TextFileContent ReadTextFile(const std::string& path);

// The largest file any reader takes: parameter and survey files are a few
// kilobytes; anything this large is not one of ours and is refused rather
// than read into memory.
inline constexpr std::size_t kMaxReadFileSize = std::size_t{64} << 20;

enum class FileReadError { None, CannotOpen, TooLarge };

// Reads the raw bytes of a file. TooLarge for a file above
// kMaxReadFileSize, which is refused before anything of it is read.
FileReadError ReadFileBytesChecked(const std::string& path, std::string& bytes);
// The same, false for either failure.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Encodes UTF-8 text as code page 932 and writes it whole. The text carries
// its own line ends (use kCrLf).
TextFileError WriteCp932File(const std::string& path, std::string_view utf8Text);

// Writes each line followed by CR LF.
TextFileError WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

inline constexpr std::string_view kCrLf = "\r\n";

}  // namespace mk
