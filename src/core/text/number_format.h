#pragma once
// Numbers as the program writes them.

#include <string>
#include <string_view>

namespace mk {

// Formats with one of the numeric patterns of the tables and files:
// "##0", "####0", "##0.0", "###0.0", "#0.0", "###0", "0.00", "0.0", "0",
// " 0", " 0.0", "00", "0.000000E+00" (and any pattern of the same kind:
// leading blanks kept, '#' optional digits, '0' required digits, one '.',
// an "E+00" exponent part). Rounds half away from zero on the value's
// 15-significant-digit decimal form; a negative value that rounds to zero
// is written without its minus sign.
std::string FormatNumber(double value, std::string_view pattern);

// Right-aligns text in a field of width characters ("@@@@" patterns): blanks
// on the left, never cut when the text is wider.
std::string AlignRight(std::string_view text, int width);

// FormatNumber then AlignRight.
std::string FormatRight(double value, std::string_view pattern, int width);

// The general decimal form: at most 15 significant digits, no trailing zeros
// or ".", fixed notation for 1E-05 <= |x| < 1E+15 and 0, otherwise mantissa
// "E" sign and at least two exponent digits ("1.5E-06", "2E+15"). Always
// reads back as a number: next to the largest double, where 15 digits would
// round past it, as many digits as needed are written.
std::string GeneralNumber(double value);

// The general decimal form with as many significant digits as the value
// needs to read back as exactly itself: 15 where they do (so that files of
// typed values look as they always have), otherwise 16 or 17. For the data
// files the program reads again.
std::string ExactNumber(double value);

// Real to 32-bit integer, to nearest with halves to even (2.5 -> 2, 3.5 -> 4).
// Values beyond the int32 range are clamped.
int RoundToInt(double value);
// The same rounding kept as a real (for values that may exceed int32).
double RoundHalfEven(double value);

// A whole number as plain decimal text.
std::string IntText(long long value);

}  // namespace mk
