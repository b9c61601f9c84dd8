#include "core/text/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/text/number_parse.h"

namespace mk {
namespace {

TEST(FormatNumber, RoundsHalfAwayFromZeroOnFifteenDigits) {
    // 2.675 and 0.125 are just below their halves in binary; the decimal
    // form decides.
    EXPECT_EQ(FormatNumber(2.675, "0.00"), "2.68");
    EXPECT_EQ(FormatNumber(0.125, "0.00"), "0.13");
    EXPECT_EQ(FormatNumber(0.5, "0"), "1");
    EXPECT_EQ(FormatNumber(2.5, "0"), "3");
    EXPECT_EQ(FormatNumber(-2.5, "0"), "-3");
    EXPECT_EQ(FormatNumber(1.05, "0.0"), "1.1");
    EXPECT_EQ(FormatNumber(9.95, "##0.0"), "10.0");
    EXPECT_EQ(FormatNumber(99.96, "#0.0"), "100.0");
    EXPECT_EQ(FormatNumber(0.04999, "0.0"), "0.0");
}

TEST(FormatNumber, NegativeZeroLosesItsSign) {
    EXPECT_EQ(FormatNumber(-0.04, "0.0"), "0.0");
    EXPECT_EQ(FormatNumber(-0.4, "##0"), "0");
    EXPECT_EQ(FormatNumber(-0.0, "0.00"), "0.00");
    EXPECT_EQ(FormatNumber(-0.05, "0.0"), "-0.1");
}

TEST(FormatNumber, IntegerAndLeadingPatterns) {
    EXPECT_EQ(FormatNumber(0, "##0"), "0");
    EXPECT_EQ(FormatNumber(1234.4, "####0"), "1234");
    EXPECT_EQ(FormatNumber(123456, "##0"), "123456");
    EXPECT_EQ(FormatNumber(12.34, "###0.0"), "12.3");
    EXPECT_EQ(FormatNumber(0.3, "#0.0"), "0.3");
    EXPECT_EQ(FormatNumber(7, " 0"), " 7");
    EXPECT_EQ(FormatNumber(7.25, " 0.0"), " 7.3");
    EXPECT_EQ(FormatNumber(7, "00"), "07");
    EXPECT_EQ(FormatNumber(123, "00"), "123");
    EXPECT_EQ(FormatNumber(1e20, "0"), "100000000000000000000");
    EXPECT_EQ(FormatNumber(0.001, "0.00"), "0.00");
    EXPECT_EQ(FormatNumber(0.005, "0.00"), "0.01");
}

TEST(FormatNumber, ExponentForm) {
    EXPECT_EQ(FormatNumber(0.0015, "0.000000E+00"), "1.500000E-03");
    EXPECT_EQ(FormatNumber(0, "0.000000E+00"), "0.000000E+00");
    EXPECT_EQ(FormatNumber(12345678, "0.000000E+00"), "1.234568E+07");
    EXPECT_EQ(FormatNumber(-2.5E-10, "0.000000E+00"), "-2.500000E-10");
    EXPECT_EQ(FormatNumber(9.9999996, "0.000000E+00"), "1.000000E+01");
    EXPECT_EQ(FormatNumber(1.5e123, "0.000000E+00"), "1.500000E+123");
    EXPECT_EQ(FormatNumber(32.4, "0.000000E+00"), "3.240000E+01");
}

TEST(AlignRight, PadsButNeverCuts) {
    EXPECT_EQ(AlignRight("12.5", 7), "   12.5");
    EXPECT_EQ(AlignRight("100000.0", 6), "100000.0");
    EXPECT_EQ(AlignRight("上", 3), "  上");  // counted in characters, not bytes
    EXPECT_EQ(FormatRight(100000, "####0", 5), "100000");
    EXPECT_EQ(FormatRight(3.14159, "0.00", 6), "  3.14");
}

TEST(GeneralNumber, ShortestFifteenDigitForm) {
    EXPECT_EQ(GeneralNumber(30), "30");
    EXPECT_EQ(GeneralNumber(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(GeneralNumber(1.5E-06), "1.5E-06");
    EXPECT_EQ(GeneralNumber(2E+15), "2E+15");
    EXPECT_EQ(GeneralNumber(0), "0");
    EXPECT_EQ(GeneralNumber(-0.0), "0");
    EXPECT_EQ(GeneralNumber(-12.5), "-12.5");
    EXPECT_EQ(GeneralNumber(1E-05), "0.00001");
    EXPECT_EQ(GeneralNumber(999999999999999), "999999999999999");
    EXPECT_EQ(GeneralNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(GeneralNumber(1.234E-100), "1.234E-100");
    EXPECT_EQ(GeneralNumber(100), "100");
}

TEST(NumberText, WhatIsWrittenReadsBack) {
    const double max = std::numeric_limits<double>::max();
    // Fifteen digits of the largest doubles round up past them.
    EXPECT_EQ(GeneralNumber(-max), "-1.7976931348623157E+308");
    EXPECT_EQ(GeneralNumber(std::nextafter(max, 0.0)), "1.7976931348623155E+308");
    EXPECT_EQ(GeneralNumber(1.79769313486231e308), "1.79769313486231E+308");
    EXPECT_EQ(GeneralNumber(0.1 + 0.2), "0.3");  // display text keeps its 15 digits

    // The exact form keeps 15 digits where they suffice, so files of typed
    // values look as before, and reaches 17 only where needed.
    const struct {
        double value;
        const char* text;
    } cases[] = {{5490, "5490"},
                 {-2.7, "-2.7"},
                 {1.5e-6, "1.5E-06"},
                 {0.1 + 0.2, "0.30000000000000004"},
                 {max, "1.7976931348623157E+308"},
                 {-max, "-1.7976931348623157E+308"},
                 {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
                 {123456789012345.67, "123456789012345.67"},
                 {9007199254740993.0, "9.007199254740992E+15"},
                 {0.0, "0"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ExactNumber(c.value), c.text);
        EXPECT_EQ(ParseReal(ExactNumber(c.value)), c.value) << c.text;
    }
}

TEST(RoundToInt, HalvesToEven) {
    EXPECT_EQ(RoundToInt(2.5), 2);
    EXPECT_EQ(RoundToInt(3.5), 4);
    EXPECT_EQ(RoundToInt(-2.5), -2);
    EXPECT_EQ(RoundToInt(2.5000001), 3);
    EXPECT_EQ(RoundToInt(1e12), 2147483647);
    EXPECT_EQ(RoundToInt(-1e12), -2147483647 - 1);
    EXPECT_EQ(RoundToInt(std::nan("")), 0);
    EXPECT_EQ(RoundHalfEven(4500000000.5), 4500000000.0);
}

}  // namespace
}  // namespace mk
