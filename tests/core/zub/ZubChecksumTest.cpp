// The check character of ZUB records.  Expected characters were summed by hand from the bytes: a
// fault in the signed reading of Shift-JIS bytes or in the sign of the remainder changes them.
#include "core/zub/ZubChecksum.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(ZubChecksum, CharacterOfKnownBodies) {
    struct Case {
        std::string body;
        char check;
        const char* why;
    };
    const Case cases[] = {
        {"A,01,", 'Z', "start record: 250 -> 58 + 32"},
        {"Z,", '&', "end record: 134 -> 6 + 32"},
        {"\x06,", 'R', "ACK line: 50 + 32"},
        {"\x15,", '!', "NAK line: 65 -> 1 + 32"},
        {"G,P1,100.5,200.25,,", '_', "coordinate record: 959 -> 63 + 32"},
        {"\x14,", ' ', "sum 64: remainder 0 gives a blank"},
        {"\xB1\xB2Z,", '\x09', "ｱｲ: -79 - 78 + 90 + 44 = -23 -> 9, a control byte"},
        {"\xB1\xB2\xB3,", '\xE2', "ｱｲｳ: -190 -> -62 + 32 = -30, byte 0xE2"},
        {"\x93\x5F,", '\x3E', "点: -109 + 95 + 44 = 30, a trail byte below 0x80 counts positive"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ZubChecksum(c.body), c.check) << c.why;
        EXPECT_EQ(ZubRecordLine(c.body), c.body + c.check + ',') << c.why;
        EXPECT_TRUE(IsValidZubLine(ZubRecordLine(c.body))) << c.why;
    }
}

TEST(ZubChecksum, LineValidity) {
    EXPECT_TRUE(IsValidZubLine("A,01,Z,"));
    EXPECT_TRUE(IsValidZubLine("G,P1,100.5,200.25,,_,"));
    EXPECT_FALSE(IsValidZubLine("G,P1,100.5,200.25,,^,")) << "one off";
    EXPECT_FALSE(IsValidZubLine("G,P1,100.5,200.25,,_")) << "no comma after the check character";
    EXPECT_FALSE(IsValidZubLine("G,P1,100.6,200.25,,_,")) << "a changed digit";
    EXPECT_FALSE(IsValidZubLine("Z,&,\r")) << "a line end is not part of the line";
    EXPECT_FALSE(IsValidZubLine(","));
    EXPECT_FALSE(IsValidZubLine(""));
    EXPECT_TRUE(IsValidZubLine(" ,")) << "an empty body has the check character of sum 0";
}

} // namespace
} // namespace vemo
