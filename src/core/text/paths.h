#pragma once
// Path helpers and the free output name of a file family.

#include <string>
#include <string_view>
#include <vector>

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

// The names a save chosen by MakeSaveName may end under: chosen itself, the
// later names of its family, then the earlier ones. Only chosen for a name
// outside the family.
std::vector<std::string> SaveNameCandidates(std::string_view chosen);

// Saves UTF-8 text as code page 932 under chosen (from MakeSaveName) or,
// when another program took that name since it was chosen, under the next
// free name of its family; what is there is never replaced. Shows the
// message of a failed write, or MakeSaveName's when every name is taken.
// Returns the name written, empty when nothing was.
std::string SaveUnderFreeName(const std::string& chosen, std::string_view utf8Text,
                              Messages& messages);

}  // namespace mk
