#include "core/text/paths.h"

#include <filesystem>

#include "core/host/messages.h"
#include "core/text/cp932.h"
#include "core/text/file_errors.h"
#include "core/text/file_save.h"

namespace mk {

std::string FileNamePart(std::string_view path) {
    size_t pos = path.rfind(kPathSeparator);
    return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string FolderPart(std::string_view path) {
    size_t pos = path.rfind(kPathSeparator);
    return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

namespace {

constexpr std::string_view kSaveNameStem = "YIELD_";
constexpr int kLetters = 26;

std::string SaveName(std::string_view folder, int index, std::string_view suffix) {
    std::string name(folder);
    name += kSaveNameStem;
    name += static_cast<char>('A' + index / kLetters);
    name += static_cast<char>('A' + index % kLetters);
    name += suffix;
    return name;
}

void ReportNoFreeName(Messages& messages) {
    messages.Show("作成可能なファイル名がありません", "SAVENAME Error", MessageIcon::Error,
                  MessageButtons::Ok);
}

}  // namespace

std::string MakeSaveName(std::string_view folder, std::string_view suffix, Messages& messages) {
    for (int index = 0; index < kLetters * kLetters; ++index) {
        std::string candidate = SaveName(folder, index, suffix);
        // Any entry of that name, readable or not, is taken: a table is
        // never written over a file that exists.
        std::error_code ec;
        auto status = std::filesystem::symlink_status(candidate, ec);
        if (status.type() == std::filesystem::file_type::not_found) return candidate;
        // A folder we cannot look into: let the write itself fail and
        // say which path it could not write.
        if (ec && status.type() == std::filesystem::file_type::none) return candidate;
    }
    ReportNoFreeName(messages);
    return {};
}

std::vector<std::string> SaveNameCandidates(std::string_view chosen) {
    const std::string folder = FolderPart(chosen);
    const std::string_view name = chosen.substr(folder.size());
    const size_t stem = kSaveNameStem.size();
    const bool inFamily = name.size() >= stem + 2 && name.substr(0, stem) == kSaveNameStem &&
                          name[stem] >= 'A' && name[stem] <= 'Z' && name[stem + 1] >= 'A' &&
                          name[stem + 1] <= 'Z';
    if (!inFamily) return {std::string(chosen)};
    const int first = (name[stem] - 'A') * kLetters + (name[stem + 1] - 'A');
    const std::string_view suffix = name.substr(stem + 2);
    std::vector<std::string> names;
    names.reserve(kLetters * kLetters);
    for (int k = 0; k < kLetters * kLetters; ++k)
        names.push_back(SaveName(folder, (first + k) % (kLetters * kLetters), suffix));
    return names;
}

std::string SaveUnderFreeName(const std::string& chosen, std::string_view utf8Text,
                              Messages& messages) {
    std::string written;
    const auto bytes = Utf8ToCp932(utf8Text);
    NewFileResult result = NewFileResult::CannotWrite;
    if (bytes) result = WriteNewFile(SaveNameCandidates(chosen), *bytes, written);
    if (result == NewFileResult::AllTaken) ReportNoFreeName(messages);
    if (result == NewFileResult::CannotWrite) ReportWriteFailure(messages, chosen);
    return written;
}

}  // namespace mk
