#pragma once
// Conversion between UTF-8 (the program's own strings) and code page 932,
// the Windows Shift_JIS in which every file is stored.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mk {

// Empty when the bytes are not valid code page 932.
std::optional<std::string> Cp932ToUtf8(std::string_view bytes);
// Empty when a character has no code page 932 form.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// Number of characters of a UTF-8 text (code points).
int CharCount(std::string_view utf8);
// The UTF-8 text split into its characters.
std::vector<std::string> SplitChars(std::string_view utf8);
// The byte offset just after the first `chars` characters (the whole size
// when the text is shorter), found without splitting the text.
std::size_t ByteOffsetOfChars(std::string_view utf8, std::size_t chars);

}  // namespace mk
