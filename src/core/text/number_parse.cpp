#include "core/text/number_parse.h"

#include <errno.h>
#include <locale.h>
#include <stdlib.h>

#include <cmath>
#include <limits>
#include <string>

namespace mk {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Length of the longest prefix of s that is a real number (sign, digits,
// point, fraction, exponent); 0 when there is none.
size_t RealPrefixLength(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t intDigits = 0, fracDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++intDigits;
    if (i < s.size() && s[i] == '.') {
        size_t j = i + 1;
        while (j < s.size() && IsDigit(s[j])) ++j, ++fracDigits;
        if (intDigits + fracDigits > 0) i = j;
    }
    if (intDigits + fracDigits == 0) return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < s.size() && IsDigit(s[j])) ++j, ++expDigits;
        if (expDigits > 0) i = j;
    }
    return i;
}

// Converts a text already known to be a real, independent of the process
// locale (the windows set one). Underflow reads as zero; a value too large
// for a double is not a usable number.
std::optional<double> Convert(std::string_view s) {
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    std::string text(s);
    errno = 0;
    char* end = nullptr;
    double value = strtod_l(text.c_str(), &end, cLocale);
    if (end != text.c_str() + text.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    if (errno == ERANGE && std::fabs(value) > 1.0) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> ParseReal(std::string_view text) {
    std::string_view s = Trim(text);
    if (s.empty() || RealPrefixLength(s) != s.size()) return std::nullopt;
    return Convert(s);
}

std::optional<int> ParseWhole(std::string_view text) {
    std::string_view s = Trim(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    long long value = 0;
    for (char c : s) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(value);
}

double LeadingNumber(std::string_view text) {
    std::string_view s = text;
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    size_t n = RealPrefixLength(s);
    if (n == 0) return 0;
    auto value = Convert(s.substr(0, n));
    return value ? *value : 0;
}

std::string FoldTypedNumber(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        // Every character folded here is three bytes long in UTF-8.
        if (c >= 0xE0 && c < 0xF0 && i + 2 < text.size()) {
            const char32_t code = (static_cast<char32_t>(c & 0x0F) << 12) |
                                  (static_cast<char32_t>(text[i + 1] & 0x3F) << 6) |
                                  static_cast<char32_t>(text[i + 2] & 0x3F);
            char ascii = 0;
            if (code >= 0xFF10 && code <= 0xFF19) {
                ascii = static_cast<char>('0' + (code - 0xFF10));
            } else if (code == 0xFF0B) {
                ascii = '+';
            } else if (code == 0xFF0D || code == 0x2212) {
                ascii = '-';
            } else if (code == 0xFF0E) {
                ascii = '.';
            } else if (code == 0xFF25) {
                ascii = 'E';
            } else if (code == 0xFF45) {
                ascii = 'e';
            } else if (code == 0x3000) {
                ascii = ' ';
            }
            if (ascii != 0) {
                folded += ascii;
                i += 3;
                continue;
            }
        }
        folded += text[i];
        ++i;
    }
    return folded;
}

std::optional<double> ParseTypedReal(std::string_view text) {
    return ParseReal(FoldTypedNumber(text));
}

std::optional<int> ParseTypedWhole(std::string_view text) {
    return ParseWhole(FoldTypedNumber(text));
}

}  // namespace mk
