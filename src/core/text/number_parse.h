#pragma once
// Text to number, as the readers and entry fields need it.

#include <optional>
#include <string>
#include <string_view>

namespace mk {

// A real and nothing else: optional blanks, optional sign, digits with an
// optional "." and fraction (".5" and "5." included), an optional exponent
// ("E" or "e", optional sign, digits), optional blanks. Empty otherwise.
std::optional<double> ParseReal(std::string_view text);

// A whole number with blanks around it (optional sign, digits). Empty
// otherwise or when it does not fit in 32 bits.
std::optional<int> ParseWhole(std::string_view text);

// The value of the leading numeric part of a text, 0 when there is none:
// leading blanks skipped, then the longest prefix that reads as a real
// ("12.5m" -> 12.5, "abc" -> 0, "1e3x" -> 1000).
double LeadingNumber(std::string_view text);

// A number as a user types it into a box with the input method on: the
// full-width digits, signs, point, exponent letter and blank ("３０．５",
// "－１．２Ｅ＋０３", the minus sign U+2212) become their ASCII forms; every
// other character is left as it is, so that the readers above refuse it.
// UTF-8 in and out.
std::string FoldTypedNumber(std::string_view text);

// ParseReal and ParseWhole of a typed text (FoldTypedNumber first).
std::optional<double> ParseTypedReal(std::string_view text);
std::optional<int> ParseTypedWhole(std::string_view text);

}  // namespace mk
