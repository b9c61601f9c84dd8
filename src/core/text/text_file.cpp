#include "core/text/text_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "core/text/cp932.h"

namespace mk {
namespace {

// Parameter and survey files are a few kilobytes; anything this large is
// not one of ours and is refused rather than read into memory.
constexpr size_t kMaxFileSize = size_t{64} << 20;

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::vector<TextLine> DecodeTextLines(std::string_view bytes) {
    std::vector<TextLine> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        std::string_view raw = bytes.substr(start, end - start);
        TextLine line;
        if (auto text = Cp932ToUtf8(raw)) {
            line.text = std::move(*text);
        } else {
            line.valid = false;
        }
        lines.push_back(std::move(line));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() &&
            bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    if (path.empty()) return false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<size_t>(st.st_size) > kMaxFileSize) {
        ::close(fd);
        return false;
    }
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            bytes.clear();
            return false;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
        if (bytes.size() > kMaxFileSize) {
            ::close(fd);
            bytes.clear();
            return false;
        }
    }
    ::close(fd);
    return true;
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

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

void AtomicFileWriter::Discard() {
    if (fd_ >= 0) ::close(fd_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
    fd_ = -1;
    temp_.clear();
}

bool AtomicFileWriter::Open(const std::string& path) {
    Discard();
    path_ = path;
    failed_ = false;
    if (path.empty() || path.back() == '/') return false;
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temp_ = path + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) temp_.clear();
    return fd_ >= 0;
}

bool AtomicFileWriter::Write(std::string_view bytes) {
    if (fd_ < 0 || failed_) return false;
    if (!WriteAll(fd_, bytes)) failed_ = true;
    return !failed_;
}

bool AtomicFileWriter::Commit() {
    if (fd_ < 0) return false;
    bool ok = !failed_;
    ok = (::close(fd_) == 0) && ok;
    fd_ = -1;
    if (ok) {
        struct stat st {};
        // Never replace a folder or anything that is not a plain file.
        if (::stat(path_.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) ok = false;
    }
    if (ok) ok = std::rename(temp_.c_str(), path_.c_str()) == 0;
    if (ok) temp_.clear();
    Discard();
    return ok;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFileWriter writer;
    return writer.Open(path) && writer.Write(bytes) && writer.Commit();
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
