#include "support/test_files.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/text/cp932.h"

namespace mk::test {

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "morikoyomi-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot create a temporary folder";
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string TempDir::File(std::string_view name) const { return path_ + "/" + std::string(name); }

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Sjis(std::string_view utf8) {
    auto bytes = Utf8ToCp932(utf8);
    if (!bytes) {
        ADD_FAILURE() << "not encodable in code page 932: " << utf8;
        return {};
    }
    return *bytes;
}

std::string SourcePath(std::string_view relative) {
#ifdef MORIKOYOMI_SOURCE_DIR
    return std::string(MORIKOYOMI_SOURCE_DIR) + "/" + std::string(relative);
#else
    return std::string(relative);
#endif
}

}  // namespace mk::test
