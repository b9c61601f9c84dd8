#pragma once
// Comparison of file headers and names that ignores letter case, character
// width and kana type: "ＰＲＭ" equals "prm", "ｶﾅ" equals "カナ" and "かな",
// "ﾊﾟ" equals "パ".

#include <string>
#include <string_view>

namespace mk {

// The text folded to one canonical form: ASCII lower case, half-width
// katakana and full-width ASCII made ordinary, hiragana made katakana.
std::string FoldText(std::string_view utf8);

bool TextEquals(std::string_view a, std::string_view b);

}  // namespace mk
