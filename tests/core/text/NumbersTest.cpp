#include "core/text/Numbers.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include "support/ErrorMessage.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::MessageOf;

TEST(StrToFloat, ReadsPlainDecimalForms) {
    EXPECT_DOUBLE_EQ(StrToFloat("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(StrToFloat("  -12.300 "), -12.3);
    EXPECT_DOUBLE_EQ(StrToFloat("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("5."), 5.0);
    EXPECT_DOUBLE_EQ(StrToFloat("1e3"), 1000.0);
    EXPECT_DOUBLE_EQ(StrToFloat("1.5E-2"), 0.015);
    EXPECT_EQ(StrToFloat("0"), 0.0);
}

TEST(StrToFloat, RefusesWhatIsNotADecimalNumber) {
    for (const char* bad :
         {"", " ", "-", ".", "1,5", "1.2.3", "abc", "12a", "inf", "nan", "0x10", "1e", "1e+", "--1", "1 2", "1e999"}) {
        EXPECT_FALSE(TryStrToFloat(bad).has_value()) << bad;
    }
    EXPECT_EQ(MessageOf([] { StrToFloat("12a"); }), "'12a' は浮動小数点数ではありません");
}

TEST(StrToFloat, MessageKeepsTheTextAsGiven) {
    std::string name = Jp("１２");
    EXPECT_EQ(MessageOf([&] { StrToFloat(name); }), "'１２' は浮動小数点数ではありません");
}

TEST(StrToInt, ReadsDecimalAndDollarHexadecimal) {
    EXPECT_EQ(StrToInt("15"), 15);
    EXPECT_EQ(StrToInt(" -7 "), -7);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("$400000"), 4194304);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483648LL);
}

TEST(StrToInt, RefusesNonIntegers) {
    for (const char* bad :
         {"", "1.0", "yes", "2147483648", "-2147483649", "$", "$G1", "0x10", "1e3", "99999999999999999999"}) {
        EXPECT_FALSE(TryStrToInt(bad).has_value()) << bad;
    }
    EXPECT_EQ(MessageOf([] { StrToInt("abc"); }), "'abc' は整数ではありません");
}

TEST(FormatPattern, RoundsHalfAwayFromZeroOnWhatWasTyped) {
    EXPECT_EQ(FormatPattern(-12.3, "0.000"), "-12.300");
    EXPECT_EQ(FormatPattern(0.1235, "0.000"), "0.124"); // binary 0.12349999... still reads as typed
    EXPECT_EQ(FormatPattern(-0.0005, "0.000"), "-0.001");
    EXPECT_EQ(FormatPattern(0.0005, "0.000"), "0.001");
    EXPECT_EQ(FormatPattern(12.3454, "0.000"), "12.345");
    EXPECT_EQ(FormatPattern(2.5, "0"), "3");
    EXPECT_EQ(FormatPattern(-2.5, "0"), "-3");
    EXPECT_EQ(FormatPattern(9.9996, "0.000"), "10.000");
    EXPECT_EQ(FormatPattern(99999.9995, "0.000"), "100000.000");
}

TEST(FormatPattern, PadsIntegerDigitsAndDropsTheSignOfZero) {
    EXPECT_EQ(FormatPattern(5, "00"), "05");
    EXPECT_EQ(FormatPattern(59.6, "00"), "60");
    EXPECT_EQ(FormatPattern(0, "0.000"), "0.000");
    EXPECT_EQ(FormatPattern(-0.0004, "0.000"), "0.000");
    EXPECT_EQ(FormatPattern(-0.0, "0.0000"), "0.0000");
    EXPECT_EQ(FormatPattern(1.23456789, "0.00000"), "1.23457");
    EXPECT_EQ(FormatPattern(123456789.123, "0.000"), "123456789.123");
    EXPECT_EQ(FormatPattern(1e-9, "0.000"), "0.000");
    EXPECT_EQ(Format3(-45678.9), "-45678.900");
}

TEST(FormatGeneral, GivesTheShortestFormUpToFifteenDigits) {
    EXPECT_EQ(FormatGeneral(12.5), "12.5");
    EXPECT_EQ(FormatGeneral(-3), "-3");
    EXPECT_EQ(FormatGeneral(0), "0");
    EXPECT_EQ(FormatGeneral(-0.0), "0");
    EXPECT_EQ(FormatGeneral(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatGeneral(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FormatGeneral(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(FormatGeneral(0.0001), "0.0001");
    EXPECT_EQ(FormatGeneral(0.00001), "0.00001");
    EXPECT_EQ(FormatGeneral(0.0000015), "1.5E-6");
    EXPECT_EQ(FormatGeneral(123456789012345.0), "123456789012345");
    EXPECT_EQ(FormatGeneral(1e20), "1E20");
}

TEST(Sprintf, UsesTheCFormats) {
    EXPECT_EQ(Sprintf("%-16s%20s", "A1", "1.000"), "A1                             1.000");
    EXPECT_EQ(Sprintf("ar %15.7f", 12.5), "ar      12.5000000");
    EXPECT_EQ(Sprintf("%s", ""), "");
}

} // namespace
} // namespace vemo
