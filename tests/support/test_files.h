#pragma once
// Temporary folders and whole-file helpers for the suites.

#include <string>
#include <string_view>

namespace mk::test {

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string File(std::string_view name) const;

private:
    std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);
// UTF-8 text converted to code page 932 (the test fails if it cannot be).
std::string Sjis(std::string_view utf8);
// A file of the repository, by its path from the top.
std::string SourcePath(std::string_view relative);

}  // namespace mk::test
