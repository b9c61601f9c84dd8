#include "core/text/paths.h"

#include <filesystem>

#include "core/host/messages.h"

namespace mk {

std::string FileNamePart(std::string_view path) {
    size_t pos = path.rfind(kPathSeparator);
    return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string FolderPart(std::string_view path) {
    size_t pos = path.rfind(kPathSeparator);
    return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

std::string MakeSaveName(std::string_view folder, std::string_view suffix, Messages& messages) {
    for (char first = 'A'; first <= 'Z'; ++first) {
        for (char second = 'A'; second <= 'Z'; ++second) {
            std::string candidate = std::string(folder) + "YIELD_" + first + second + std::string(suffix);
            // Any entry of that name, readable or not, is taken: a table is
            // never written over a file that exists.
            std::error_code ec;
            auto status = std::filesystem::symlink_status(candidate, ec);
            if (status.type() == std::filesystem::file_type::not_found) return candidate;
            // A folder we cannot look into: let the write itself fail and
            // say which path it could not write.
            if (ec && status.type() == std::filesystem::file_type::none) return candidate;
        }
    }
    messages.Show("作成可能なファイル名がありません", "SAVENAME Error", MessageIcon::Error,
                  MessageButtons::Ok);
    return {};
}

}  // namespace mk
