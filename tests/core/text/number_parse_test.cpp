#include "core/text/number_parse.h"

#include <gtest/gtest.h>

namespace mk {
namespace {

TEST(ParseReal, AcceptsOnlyANumberWithBlanks) {
    EXPECT_EQ(ParseReal("  1.5E-03"), 0.0015);
    EXPECT_EQ(ParseReal("\t-12.25 "), -12.25);
    EXPECT_EQ(ParseReal("+3"), 3.0);
    EXPECT_EQ(ParseReal(".5"), 0.5);
    EXPECT_EQ(ParseReal("5."), 5.0);
    EXPECT_EQ(ParseReal("2e3"), 2000.0);
    EXPECT_EQ(ParseReal("1e-400"), 0.0);
    for (const char* bad : {"", "   ", ".", "-", "1.2.3", "1e", "1e+", "12abc", "abc", "1 2", "1,5",
                            "0x10", "1e999", "nan", "inf", "１２"})
        EXPECT_FALSE(ParseReal(bad).has_value()) << bad;
}

TEST(ParseWhole, RangeAndShape) {
    EXPECT_EQ(ParseWhole(" 42 "), 42);
    EXPECT_EQ(ParseWhole("-7"), -7);
    EXPECT_EQ(ParseWhole("2147483647"), 2147483647);
    EXPECT_EQ(ParseWhole("-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(ParseWhole("2147483648").has_value());
    EXPECT_FALSE(ParseWhole("99999999999999999999").has_value());
    EXPECT_FALSE(ParseWhole("1.0").has_value());
    EXPECT_FALSE(ParseWhole("").has_value());
    EXPECT_FALSE(ParseWhole("+").has_value());
}

TEST(LeadingNumber, TakesTheNumericStart) {
    EXPECT_EQ(LeadingNumber("12.5m"), 12.5);
    EXPECT_EQ(LeadingNumber("  -3abc"), -3.0);
    EXPECT_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_EQ(LeadingNumber("1e3x"), 1000.0);
    EXPECT_EQ(LeadingNumber("1ex"), 1.0);
    EXPECT_EQ(LeadingNumber(".x"), 0.0);
    EXPECT_EQ(LeadingNumber(""), 0.0);
    EXPECT_EQ(LeadingNumber("1e999"), 0.0);
}

TEST(TypedNumbers, FullWidthFormsReadAsTheirAsciiForms) {
    struct Case {
        const char* typed;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"３０．５", 30.5},
        {"－１．２５Ｅ＋０２", -125.0},
        {"＋７ｅ－１", 0.7},
        {"\u2212"
         "2",
         -2.0},
        {"　１２　", 12.0},
        {"3０.5", 30.5},  // mixed widths, as an input method leaves them
        // Anything else is still not a number.
        {"３０，５", std::nullopt},
        {"３０ｍ", std::nullopt},
        {"一二", std::nullopt},
        {"ー１", std::nullopt},  // the long vowel mark is no minus
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseTypedReal(c.typed), c.value) << c.typed;
    EXPECT_EQ(ParseTypedWhole("２０００"), 2000);
    EXPECT_EQ(ParseTypedWhole("－５"), -5);
    EXPECT_FALSE(ParseTypedWhole("２０００．５").has_value());
    // Text that holds nothing to fold comes back byte for byte.
    EXPECT_EQ(FoldTypedNumber("杉 abc\xff"), "杉 abc\xff");
}

}  // namespace
}  // namespace mk
