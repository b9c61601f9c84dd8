#include "core/text/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/text/cp932.h"
#include "core/text/number_parse.h"

namespace mk {
namespace {

// A finite value as its 15 significant decimal digits: value = 0.d1d2...d15
// x 10^(exponent + 1), i.e. d1 is the digit of 10^exponent.
struct Decimal15 {
    bool negative = false;
    std::string digits;  // exactly 15 digits, first non-zero unless the value is 0
    int exponent = 0;
    bool zero = true;
};

// The value rounded to significant digits (15 for every formatted number).
Decimal15 ToDecimal(double value, int significant) {
    Decimal15 d;
    // Same digits as printf's "%.14e" (both round correctly), several
    // times faster: a table formats hundreds of numbers.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, significant - 1);
    std::string s(buffer, written.ptr);
    size_t pos = 0;
    if (s[pos] == '-') {
        d.negative = true;
        ++pos;
    }
    size_t e = s.find('e');
    for (size_t i = pos; i < e; ++i)
        if (s[i] != '.') d.digits += s[i];
    d.exponent = std::stoi(s.substr(e + 1));
    d.zero = d.digits.find_first_not_of('0') == std::string::npos;
    if (d.zero) d.exponent = 0;
    return d;
}

Decimal15 ToDecimal15(double value) { return ToDecimal(value, 15); }

// Rounds the digit string half away from zero to its first keep digits.
// Returns true when the rounding carried into a new leading digit.
bool RoundDigits(std::string& digits, size_t keep) {
    if (keep >= digits.size()) return false;
    bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (!up) return false;
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] == '9') {
            digits[i] = '0';
        } else {
            ++digits[i];
            return false;
        }
    }
    digits.insert(digits.begin(), '1');
    return true;
}

struct Pattern {
    std::string prefix;  // literal blanks before the digits
    int minInt = 0;      // '0's before the point
    int decimals = 0;    // digits after the point
    bool exponent = false;
    int minExpDigits = 2;
    bool expAlwaysSigned = true;
};

Pattern ParsePattern(std::string_view p) {
    Pattern pat;
    size_t i = 0;
    while (i < p.size() && p[i] != '#' && p[i] != '0' && p[i] != '.') pat.prefix += p[i++];
    for (; i < p.size() && (p[i] == '#' || p[i] == '0'); ++i)
        if (p[i] == '0') ++pat.minInt;
    if (i < p.size() && p[i] == '.') {
        ++i;
        for (; i < p.size() && (p[i] == '#' || p[i] == '0'); ++i) ++pat.decimals;
    }
    if (i < p.size() && (p[i] == 'E' || p[i] == 'e')) {
        pat.exponent = true;
        ++i;
        pat.expAlwaysSigned = i < p.size() && p[i] == '+';
        if (i < p.size() && (p[i] == '+' || p[i] == '-')) ++i;
        pat.minExpDigits = 0;
        for (; i < p.size() && p[i] == '0'; ++i) ++pat.minExpDigits;
    }
    return pat;
}

std::string NonFinite(double value) {
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-Infinity" : "Infinity";
}

std::string FormatFixed(const Decimal15& d, const Pattern& pat) {
    std::string digits = d.digits;
    int exponent = d.exponent;
    // Digits kept: those of 10^exponent down to 10^-decimals.
    long keep = static_cast<long>(exponent) + 1 + pat.decimals;
    std::string intPart, fracPart;
    if (d.zero || keep < 0) {
        digits.clear();
    } else {
        if (RoundDigits(digits, static_cast<size_t>(keep))) ++exponent;
    }
    bool allZero = digits.find_first_not_of('0') == std::string::npos;
    if (!allZero) {
        if (exponent >= 0) {
            size_t intDigits = static_cast<size_t>(exponent) + 1;
            if (digits.size() < intDigits) digits.append(intDigits - digits.size(), '0');
            intPart = digits.substr(0, intDigits);
            fracPart = digits.substr(intDigits);
        } else {
            fracPart = std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
        }
    }
    size_t firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? "" : intPart.substr(firstNonZero);
    if (static_cast<int>(intPart.size()) < pat.minInt)
        intPart.insert(0, static_cast<size_t>(pat.minInt) - intPart.size(), '0');
    fracPart.resize(static_cast<size_t>(pat.decimals), '0');
    std::string out = pat.prefix;
    if (d.negative && !allZero) out += '-';
    out += intPart;
    if (pat.decimals > 0) {
        out += '.';
        out += fracPart;
    }
    return out;
}

std::string FormatExponent(const Decimal15& d, const Pattern& pat) {
    std::string digits = d.digits;
    int exponent = d.exponent;
    // One digit before the point, pat.decimals after it.
    if (!d.zero && RoundDigits(digits, static_cast<size_t>(1 + pat.decimals))) {
        ++exponent;
        digits.resize(static_cast<size_t>(1 + pat.decimals));
    }
    digits.resize(static_cast<size_t>(1 + pat.decimals), '0');
    if (d.zero) exponent = 0;
    std::string out = pat.prefix;
    if (d.negative && !d.zero) out += '-';
    out += digits[0];
    if (pat.decimals > 0) {
        out += '.';
        out.append(digits, 1);
    }
    out += 'E';
    if (exponent < 0)
        out += '-';
    else if (pat.expAlwaysSigned)
        out += '+';
    std::string e = std::to_string(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(e.size()) < pat.minExpDigits)
        e.insert(0, static_cast<size_t>(pat.minExpDigits) - e.size(), '0');
    return out + e;
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern) {
    if (!std::isfinite(value)) return NonFinite(value);
    Pattern pat = ParsePattern(pattern);
    Decimal15 d = ToDecimal15(value);
    return pat.exponent ? FormatExponent(d, pat) : FormatFixed(d, pat);
}

std::string AlignRight(std::string_view text, int width) {
    int count = CharCount(text);
    std::string out;
    if (count < width) out.assign(static_cast<size_t>(width - count), ' ');
    out += text;
    return out;
}

std::string FormatRight(double value, std::string_view pattern, int width) {
    return AlignRight(FormatNumber(value, pattern), width);
}

namespace {

std::string GeneralForm(double value, int significant) {
    Decimal15 d = ToDecimal(value, significant);
    if (d.zero) return "0";
    std::string digits = d.digits;
    size_t last = digits.find_last_not_of('0');
    digits.resize(last + 1);
    std::string out = d.negative ? "-" : "";
    int e = d.exponent;
    if (e >= -5 && e < 15) {
        if (e < 0) {
            out += "0.";
            out.append(static_cast<size_t>(-e - 1), '0');
            out += digits;
        } else if (static_cast<int>(digits.size()) <= e + 1) {
            out += digits;
            out.append(static_cast<size_t>(e + 1) - digits.size(), '0');
        } else {
            out.append(digits, 0, static_cast<size_t>(e + 1));
            out += '.';
            out.append(digits, static_cast<size_t>(e + 1));
        }
        return out;
    }
    out += digits[0];
    if (digits.size() > 1) {
        out += '.';
        out.append(digits, 1);
    }
    int magnitude = e < 0 ? -e : e;
    out += e < 0 ? "E-" : "E+";
    if (magnitude < 10) out += '0';
    out += std::to_string(magnitude);
    return out;
}

bool ReadsBackAs(const std::string& text, double value) {
    const auto read = ParseReal(text);
    return read && *read == value;
}

}  // namespace

std::string GeneralNumber(double value) {
    if (!std::isfinite(value)) return NonFinite(value);
    std::string text = GeneralForm(value, 15);
    // Within a hair of the largest double, 15 digits round up past it and
    // the text would read as an overflow.
    if (!ParseReal(text)) text = GeneralForm(value, 17);
    return text;
}

std::string ExactNumber(double value) {
    if (!std::isfinite(value)) return NonFinite(value);
    for (int significant = 15; significant < 17; ++significant) {
        std::string text = GeneralForm(value, significant);
        if (ReadsBackAs(text, value)) return text;
    }
    // 17 significant digits always identify a double.
    return GeneralForm(value, 17);
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    double r = std::nearbyint(value);  // the default rounding mode: halves to even
    return r == 0 ? 0.0 : r;
}

int RoundToInt(double value) {
    if (std::isnan(value)) return 0;
    double r = RoundHalfEven(value);
    if (r >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

std::string IntText(long long value) { return std::to_string(value); }

}  // namespace mk
