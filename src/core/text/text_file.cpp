#include "core/text/text_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "core/text/cp932.h"
#include "core/text/file_save.h"

namespace mk {

bool TextLineReader::Next(TextLine& line) {
    if (pos_ >= bytes_.size()) return false;
    // The line ends at the first LF or CR; a CR can only come before the LF.
    const std::string_view rest = bytes_.substr(pos_);
    const void* lf = std::memchr(rest.data(), '\n', rest.size());
    size_t end = lf == nullptr
                     ? bytes_.size()
                     : pos_ + static_cast<size_t>(static_cast<const char*>(lf) - rest.data());
    if (const void* cr = std::memchr(rest.data(), '\r', end - pos_))
        end = pos_ + static_cast<size_t>(static_cast<const char*>(cr) - rest.data());
    line = TextLine{};
    if (auto text = Cp932ToUtf8(bytes_.substr(pos_, end - pos_))) {
        line.text = std::move(*text);
    } else {
        line.valid = false;
    }
    if (end < bytes_.size() && bytes_[end] == '\r' && end + 1 < bytes_.size() &&
        bytes_[end + 1] == '\n')
        ++end;
    pos_ = end + 1;
    ++number_;
    return true;
}

std::vector<TextLine> DecodeTextLines(std::string_view bytes, std::size_t maxLines) {
    std::vector<TextLine> lines;
    TextLineReader reader(bytes);
    TextLine line;
    while (lines.size() < maxLines && reader.Next(line)) lines.push_back(std::move(line));
    return lines;
}

FileReadError ReadFileBytesChecked(const std::string& path, std::string& bytes) {
    bytes.clear();
    if (path.empty()) return FileReadError::CannotOpen;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return FileReadError::CannotOpen;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return FileReadError::CannotOpen;
    }
    if (static_cast<size_t>(st.st_size) > kMaxReadFileSize) {
        ::close(fd);
        return FileReadError::TooLarge;
    }
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            bytes.clear();
            return FileReadError::CannotOpen;
        }
        if (n == 0) break;
        // A file that grows while it is read is held to the same limit.
        if (bytes.size() + static_cast<size_t>(n) > kMaxReadFileSize) {
            ::close(fd);
            bytes.clear();
            bytes.shrink_to_fit();
            return FileReadError::TooLarge;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return FileReadError::None;
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    return ReadFileBytesChecked(path, bytes) == FileReadError::None;
}

TextFileContent ReadTextFile(const std::string& path) {
    TextFileContent content;
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        content.error = TextFileError::CannotOpen;
        return content;
    }
    content.lines = DecodeTextLines(bytes);
    return content;
}

TextFileError WriteCp932File(const std::string& path, std::string_view utf8Text) {
    auto bytes = Utf8ToCp932(utf8Text);
    if (!bytes) return TextFileError::NotEncodable;
    return WriteFileAtomically(path, *bytes) ? TextFileError::None : TextFileError::CannotWrite;
}

TextFileError WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += kCrLf;
    }
    return WriteCp932File(path, text);
}

}  // namespace mk
