#pragma once
// Reading and writing the program's text files: code page 932, lines ending
// in CR LF (LF alone is accepted on reading). Files are written whole or not
// at all: a temporary file in the same folder is renamed over the target.

#include <string>
#include <string_view>
#include <vector>

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

// Writes bytes whole or not at all (temporary file in the same folder, then
// rename). False when anything fails; an existing file is then untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// The same for output too large to hold in memory: the bytes go to a
// temporary file in the target's folder as they come, and only Commit puts
// the file in place. Destroying the writer without a successful Commit
// removes the temporary file, so a failed or abandoned run leaves an
// existing file untouched.
class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file; false when the folder cannot take it.
    bool Open(const std::string& path);
    // False once any write has failed (the failure is kept until Commit).
    bool Write(std::string_view bytes);
    // Closes the temporary file and renames it over the target. False, and
    // the target untouched, when any step (or an earlier write) failed.
    bool Commit();

private:
    void Discard();

    std::string path_;
    std::string temp_;
    int fd_ = -1;
    bool failed_ = false;
};

// Encodes UTF-8 text as code page 932 and writes it whole. The text carries
// its own line ends (use kCrLf).
TextFileError WriteCp932File(const std::string& path, std::string_view utf8Text);

// Writes each line followed by CR LF.
TextFileError WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

inline constexpr std::string_view kCrLf = "\r\n";

}  // namespace mk
