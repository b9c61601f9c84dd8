#include "core/text/text_compare.h"

#include <cstdint>
#include <vector>

namespace mk {
namespace {

std::vector<char32_t> Decode(std::string_view s) {
    std::vector<char32_t> out;
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
        if (len == 1 || i + len > s.size()) {
            out.push_back(c);
            ++i;
            continue;
        }
        char32_t cp = c & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
        for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out.push_back(cp);
        i += len;
    }
    return out;
}

void Encode(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Half-width katakana U+FF61..U+FF9F and their full-width forms.
constexpr char16_t kHalfToFull[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};

bool IsVoiceMark(char32_t c) { return c == 0x309B || c == 0x3099; }
bool IsSemiVoiceMark(char32_t c) { return c == 0x309C || c == 0x309A; }

// The voiced form of a katakana followed by a voiced or semi-voiced mark,
// or 0 when it has none.
char32_t Compose(char32_t base, char32_t mark) {
    if (IsVoiceMark(mark)) {
        if (base == 0x30A6) return 0x30F4;  // ウ -> ヴ
        if (base >= 0x30AB && base <= 0x30C8 && base != 0x30C3) {
            // カ..ト: the voiced form follows each plain one, except around ッ.
            bool plain = base <= 0x30C1 ? (base - 0x30AB) % 2 == 0 : (base - 0x30C4) % 2 == 0;
            if (plain) return base + 1;
        }
        if (base >= 0x30CF && base <= 0x30DB && (base - 0x30CF) % 3 == 0) return base + 1;
    }
    if (IsSemiVoiceMark(mark) && base >= 0x30CF && base <= 0x30DB && (base - 0x30CF) % 3 == 0)
        return base + 2;
    return 0;
}

}  // namespace

std::string FoldText(std::string_view utf8) {
    std::vector<char32_t> in = Decode(utf8);
    std::vector<char32_t> folded;
    folded.reserve(in.size());
    for (char32_t c : in) {
        if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;  // full-width ASCII
        if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
        if (c >= 0xFF61 && c <= 0xFF9F) c = kHalfToFull[c - 0xFF61];
        if (c >= 0x3041 && c <= 0x3096) c += 0x60;  // hiragana -> katakana
        if (c == 0x309D || c == 0x309E) c += 0x60;  // ゝゞ -> ヽヾ
        if (!folded.empty() && (IsVoiceMark(c) || IsSemiVoiceMark(c))) {
            if (char32_t composed = Compose(folded.back(), c)) {
                folded.back() = composed;
                continue;
            }
        }
        folded.push_back(c);
    }
    std::string out;
    out.reserve(utf8.size());
    for (char32_t c : folded) Encode(c, out);
    return out;
}

bool TextEquals(std::string_view a, std::string_view b) {
    // One folded character comes from at most two characters of at most
    // four bytes and folds to at least one byte, so texts whose lengths
    // differ more than eightfold cannot be equal; a header compared with a
    // line of megabytes is then refused without folding the line.
    if (a.size() > 8 * b.size() || b.size() > 8 * a.size()) return false;
    return FoldText(a) == FoldText(b);
}

}  // namespace mk
