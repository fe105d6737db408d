#include "core/store/CommaList.h"

#include "core/text/Cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vemo {
namespace {

using Items = std::vector<std::string>;

TEST(CommaList, DecodesVertexLists) {
    EXPECT_EQ(DecodeCommaList("1,2,3,1"), (Items{"1", "2", "3", "1"}));
    EXPECT_EQ(DecodeCommaList("1,,3"), (Items{"1", "", "3"}));
    EXPECT_EQ(DecodeCommaList("1,2,"), (Items{"1", "2"}));
    EXPECT_EQ(DecodeCommaList("A 1"), (Items{"A", "1"}));
    EXPECT_EQ(DecodeCommaList("1,2\r\n"), (Items{"1", "2"}));
    EXPECT_EQ(DecodeCommaList("  1 , 2\t,3"), (Items{"1", "2", "3"}));
    EXPECT_EQ(DecodeCommaList(",1"), (Items{"", "1"}));
    EXPECT_EQ(DecodeCommaList(""), Items{});
    EXPECT_EQ(DecodeCommaList(" \r\n"), Items{});
}

TEST(CommaList, DecodesQuotedItems) {
    EXPECT_EQ(DecodeCommaList("\"\""), Items{""});
    EXPECT_EQ(DecodeCommaList("\"A 1\",\"B,2\""), (Items{"A 1", "B,2"}));
    EXPECT_EQ(DecodeCommaList("\"say \"\"hi\"\"\",x"), (Items{"say \"hi\"", "x"}));
    EXPECT_EQ(DecodeCommaList("\"open"), Items{"open"});                           // unterminated: runs to the end
    EXPECT_EQ(DecodeCommaList("\"ab\"cd"), (Items{"ab", "cd"}));                   // text after the closing quote
    EXPECT_EQ(DecodeCommaList(std::string_view("a,b\0,c", 6)), (Items{"a", "b"})); // the text ends at NUL
}

TEST(CommaList, EncodesAndQuotesOnlyWhenNeeded) {
    EXPECT_EQ(EncodeCommaList({"1", "2", "3", "1"}), "1,2,3,1");
    EXPECT_EQ(EncodeCommaList({""}), "\"\"");
    EXPECT_EQ(EncodeCommaList({}), "");
    EXPECT_EQ(EncodeCommaList({"1", "", "3"}), "1,,3");
    EXPECT_EQ(EncodeCommaList({"1", ""}), "1,");
    EXPECT_EQ(EncodeCommaList({"A 1", "B,2", "q\"x", "t\tb"}), "\"A 1\",\"B,2\",\"q\"\"x\",\"t\tb\"");
}

TEST(CommaList, TrailBytesNeverTriggerQuoting) {
    // 表 is 95 5C and ソ is 83 5C: trail bytes that are backslashes; ＠ is 81 97, ー is 81 5B.  None
    // of them holds a blank, quote or comma, so the names go unquoted.
    const Items names{Jp("点１"), Jp("表"), Jp("ソ"), Jp("＠ー"), Jp("境界杭") + "12"};
    const std::string encoded = EncodeCommaList(names);
    EXPECT_EQ(encoded.find('"'), std::string::npos);
    EXPECT_EQ(DecodeCommaList(encoded), names);
    EXPECT_EQ(EncodeCommaList({Jp("点 １")}), "\"" + Jp("点 １") + "\"");
}

TEST(CommaList, RoundTripsItemsThatNeedQuoting) {
    const Items items{"a b", "", "\"", ",", Jp("点，１"), "x\x81,", "end"};
    EXPECT_EQ(DecodeCommaList(EncodeCommaList(items)), items);
}

} // namespace
} // namespace vemo
