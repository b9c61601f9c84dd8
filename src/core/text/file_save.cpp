#include "core/text/file_save.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <random>

#include "core/text/paths.h"

namespace mk {
namespace {

std::string FolderForOpen(const std::string& folder) { return folder.empty() ? "." : folder; }

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

// A file system that cannot flush (some special ones refuse) has nothing
// better to offer; a failed flush on one that can means the bytes may not be
// on the disk, and the save fails.
bool Flush(int fd) { return ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS; }

// The new name itself lives in the folder: without this a power cut can
// lose the rename even though the file's bytes were flushed.
void FlushFolder(const std::string& folder) {
    int fd = ::open(FolderForOpen(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool SameFile(int fd, const std::string& path) {
    struct stat open {
    }, named{};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

std::string UniqueSuffix() {
    static std::atomic<unsigned long> counter{0};
    static const unsigned long long salt = std::random_device{}();
    // The process number tells a reader whose file it is; the counter and
    // the random part keep two threads or two hosts sharing a folder apart.
    char text[64];
    std::snprintf(text, sizeof text, "%ld-%lu-%08llx", static_cast<long>(::getpid()),
                  counter.fetch_add(1), salt & 0xffffffffULL);
    return text;
}

// A temporary file, open and locked for as long as it is being written. The
// lock is what tells a sweep of another process that its writer lives.
class TempFile {
public:
    TempFile() = default;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() { Discard(); }

    bool Create(const std::string& folder) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = folder + std::string(kTempFilePrefix) + UniqueSuffix() +
                    std::string(kTempFileSuffix);
            fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0) {
                if (errno == EEXIST) continue;
                return false;
            }
            // Where locks are not supported nobody else can lock it either,
            // so sweeps leave it alone.
            ::flock(fd_, LOCK_EX);
            // Between the creation and the lock a sweep may have taken the
            // file for a dead one and removed it: start again.
            if (SameFile(fd_, path_)) return true;
            ::close(fd_);
            fd_ = -1;
        }
        return false;
    }

    bool Fill(std::string_view bytes) { return Append(bytes) && Flush(); }
    bool Append(std::string_view bytes) { return WriteAll(fd_, bytes); }
    bool Flush() { return mk::Flush(fd_); }

    // Keeps the permissions of the file the save replaces.
    void CopyModeOf(const std::string& path) {
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            ::fchmod(fd_, st.st_mode & 07777);
    }

    const std::string& path() const { return path_; }

    // The file now lives under its final name (or was linked there and its
    // temporary name removed): closing releases the lock.
    void Published() {
        ::close(fd_);
        fd_ = -1;
        path_.clear();
    }

    void Discard() {
        if (fd_ < 0) return;
        ::unlink(path_.c_str());
        ::close(fd_);
        fd_ = -1;
    }

private:
    std::string path_;
    int fd_ = -1;
};

enum class Publish { Done, Taken, Failed };

// Gives the temporary file the name target only when no entry has that name.
Publish PublishNoReplace(const std::string& temp, const std::string& target) {
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return Publish::Done;
    if (errno == EEXIST) return Publish::Taken;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return Publish::Failed;
    // A file system without the no-replace rename: a hard link also fails
    // when the name exists.
    if (::link(temp.c_str(), target.c_str()) == 0) {
        ::unlink(temp.c_str());
        return Publish::Done;
    }
    if (errno == EEXIST) return Publish::Taken;
    if (errno != EPERM && errno != ENOTSUP) return Publish::Failed;
    // Neither (FAT and the like): look, then rename. Another program may
    // slip in between; nothing better can be done there.
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0) return Publish::Taken;
    return ::rename(temp.c_str(), target.c_str()) == 0 ? Publish::Done : Publish::Failed;
}

}  // namespace

bool IsTemporaryFileName(std::string_view name) {
    return name.size() > kTempFilePrefix.size() + kTempFileSuffix.size() &&
           name.substr(0, kTempFilePrefix.size()) == kTempFilePrefix &&
           name.substr(name.size() - kTempFileSuffix.size()) == kTempFileSuffix;
}

void RemoveStaleTemporaryFiles(const std::string& folder) {
    DIR* dir = ::opendir(FolderForOpen(folder).c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryFileName(entry->d_name)) continue;
        const std::string path = folder + entry->d_name;
        int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        // A lock we get means its writer has gone; a file that changed
        // name meanwhile was published and is not ours to remove.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, path)) ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

struct AtomicFileWriter::Temp {
    TempFile file;
};

AtomicFileWriter::AtomicFileWriter() = default;
AtomicFileWriter::~AtomicFileWriter() = default;

bool AtomicFileWriter::Open(const std::string& path) {
    temp_.reset();
    path_ = path;
    failed_ = false;
    if (path.empty() || path.back() == '/') return false;
    const std::string folder = FolderPart(path);
    RemoveStaleTemporaryFiles(folder);
    auto temp = std::make_unique<Temp>();
    if (!temp->file.Create(folder)) return false;
    temp->file.CopyModeOf(path);
    temp_ = std::move(temp);
    return true;
}

bool AtomicFileWriter::Write(std::string_view bytes) {
    if (!temp_ || failed_) return false;
    if (!temp_->file.Append(bytes)) failed_ = true;
    return !failed_;
}

bool AtomicFileWriter::Commit() {
    const std::unique_ptr<Temp> temp = std::move(temp_);
    if (!temp || failed_ || !temp->file.Flush()) return false;
    struct stat st {};
    // Never replace a folder or anything that is not a plain file.
    if (::stat(path_.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return false;
    if (std::rename(temp->file.path().c_str(), path_.c_str()) != 0) return false;
    temp->file.Published();
    FlushFolder(FolderPart(path_));
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFileWriter writer;
    return writer.Open(path) && writer.Write(bytes) && writer.Commit();
}

NewFileResult WriteNewFile(const std::vector<std::string>& candidates, std::string_view bytes,
                           std::string& written) {
    written.clear();
    if (candidates.empty()) return NewFileResult::AllTaken;
    const std::string folder = FolderPart(candidates.front());
    RemoveStaleTemporaryFiles(folder);
    TempFile temp;
    if (!temp.Create(folder) || !temp.Fill(bytes)) return NewFileResult::CannotWrite;
    for (const std::string& candidate : candidates) {
        switch (PublishNoReplace(temp.path(), candidate)) {
            case Publish::Done:
                temp.Published();
                FlushFolder(folder);
                written = candidate;
                return NewFileResult::Written;
            case Publish::Taken:
                continue;
            case Publish::Failed:
                return NewFileResult::CannotWrite;
        }
    }
    return NewFileResult::AllTaken;
}

}  // namespace mk
