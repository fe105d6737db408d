#include "core/text/Bytes.h"
#include "core/text/Cp932.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(Cp932, RoundTripsJapaneseAndAsciiSymbols) {
    std::string utf8 = "点名 ㎡ ～ － ① ｱｲｳ \\ ~";
    auto cp932 = Utf8ToCp932(utf8);
    ASSERT_TRUE(cp932.has_value());
    EXPECT_EQ(Cp932ToUtf8(*cp932), utf8);
    EXPECT_EQ(Jp("点名"), "\x93\x5F\x96\xBC");
    // Backslash and tilde stay ASCII: a Windows path or a remark with ~ must survive.
    EXPECT_EQ(Jp("C:\\a~b"), "C:\\a~b");
}

TEST(Cp932, ShowsBadBytesAsReplacementWithoutLosingTheRest) {
    // 0x81 before a blank is a lead byte without its trail byte; 0x82 at the end is cut off.
    std::string bytes = std::string("A\x81 B") + Jp("点") + "\x82";
    EXPECT_EQ(Cp932ToUtf8(bytes), "A\xEF\xBF\xBD B点\xEF\xBF\xBD");
    EXPECT_EQ(Cp932ToUtf8(""), "");
}

TEST(Cp932, RefusesCharactersWithoutCp932Form) {
    EXPECT_FALSE(Utf8ToCp932("A\xF0\x9F\x98\x80").has_value()); // an emoji
    EXPECT_FALSE(Utf8ToCp932("\xC3").has_value());              // broken UTF-8
    EXPECT_THROW(Jp("\xF0\x9F\x98\x80"), std::logic_error);
}

TEST(Bytes, TrimsBlanksButNotDoubleByteCharacters) {
    EXPECT_EQ(Trim(" \t A B \r\n"), "A B");
    EXPECT_EQ(Trim(Jp("　点　")), Jp("　点　")); // full-width spaces are characters, not blanks
    EXPECT_EQ(TrimLeft("  x "), "x ");
    EXPECT_EQ(TrimRight("  x "), "  x");
}

TEST(Bytes, UpperCasesAsciiOnly) {
    // 0x83 0x61 is the katakana ダ: its trail byte is 'a' and must not change.
    EXPECT_EQ(UpperAscii(std::string("ab\x83\x61" "c")), std::string("AB\x83\x61" "C"));
    EXPECT_TRUE(EqualsIgnoreCase("Vemo.ini", "VEMO.INI"));
    EXPECT_FALSE(EqualsIgnoreCase("Vemo.ini", "Vemo.in"));
}

TEST(Bytes, FindsTheExtensionOfTheFileNameOnly) {
    EXPECT_EQ(Extension("a/b.c/site.Xyz"), ".Xyz");
    EXPECT_EQ(Extension("a/b.c/site"), "");
    EXPECT_EQ(Extension("C:\\x.d\\file"), "");
}

} // namespace
} // namespace vemo
