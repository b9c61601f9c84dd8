#pragma once
// Path helpers and the free output name of a file family.

#include <string>
#include <string_view>

namespace mk {

class Messages;

inline constexpr char kPathSeparator = '/';

// The text after the last separator; the whole text when there is none.
std::string FileNamePart(std::string_view path);
// The text up to and including the last separator; empty when there is none.
std::string FolderPart(std::string_view path);

// The first of folder + "YIELD_AA" + suffix ... "YIELD_ZZ" + suffix that does
// not exist yet. When all 676 exist: "作成可能なファイル名がありません",
// titled "SAVENAME Error", and an empty text.
std::string MakeSaveName(std::string_view folder, std::string_view suffix, Messages& messages);

}  // namespace mk
