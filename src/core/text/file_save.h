#pragma once
// Saving files whole or not at all. Every save first writes a temporary file
// in the target's folder, flushes it to the disk, and only then gives it its
// final name and flushes the folder: a crash, a power cut or a killed process
// leaves either the old file or the complete new one, never a part of it.
// The temporary files carry a fixed prefix and suffix; those left behind by
// a process that died are removed by the next save into the same folder.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mk {

inline constexpr std::string_view kTempFilePrefix = ".morikoyomi-";
inline constexpr std::string_view kTempFileSuffix = ".tmp";

// True for a name (no folder) that one of our saves uses for its temporary
// file.
bool IsTemporaryFileName(std::string_view name);

// Writes bytes whole at path, replacing a plain file that is there (never a
// folder or anything else). False when anything fails; what was at path is
// then untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// WriteFileAtomically for output too large to hold in memory: the bytes go
// to the temporary file as they come, and only Commit flushes it and puts it
// in place. A writer destroyed without a successful Commit removes its
// temporary file, so a failed or abandoned run leaves what was at the path
// untouched.
class AtomicFileWriter {
public:
    AtomicFileWriter();
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file; false when the folder cannot take it.
    bool Open(const std::string& path);
    // False once any write has failed (the failure is kept until Commit).
    bool Write(std::string_view bytes);
    // Flushes the file and gives it its name, replacing a plain file there.
    // False, and what was at the path untouched, when any step (or an
    // earlier write) failed.
    bool Commit();

private:
    struct Temp;
    std::unique_ptr<Temp> temp_;
    std::string path_;
    bool failed_ = false;
};

enum class NewFileResult { Written, AllTaken, CannotWrite };

// Writes bytes whole under the first of candidates (all in one folder) that
// no entry holds, taking the name in the same step that gives the file its
// content: two programs saving at once never get the same name, and nothing
// already there is replaced. written is set to the name used.
NewFileResult WriteNewFile(const std::vector<std::string>& candidates, std::string_view bytes,
                           std::string& written);

// Removes the temporary files in folder ("" for the current one) whose
// writing process has ended. Files that a live process still writes are
// kept. Every save calls it; it is public for the tests.
void RemoveStaleTemporaryFiles(const std::string& folder);

}  // namespace mk
