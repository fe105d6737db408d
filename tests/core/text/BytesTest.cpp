#include "core/text/Bytes.h"

#include "core/text/Cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace vemo {
namespace {

// Fixed-width fields (14 bytes of 点種 and 備考 on the printed list, 16 bytes of a point name in the
// coordinate file) are cut without splitting a double-byte character.
TEST(Bytes, CutBytesKeepsWholeCharacters) {
    const struct {
        std::string text;
        size_t maxBytes;
        std::string cut;
    } cases[] = {
        {"ABCDEFGHIJKLMN", 14, "ABCDEFGHIJKLMN"},           // exactly 14
        {"ABCDEFGHIJKLMNO", 14, "ABCDEFGHIJKLMN"},          // cut after the 14th byte
        {"ABCDEFGHIJKLM" + Jp("杭"), 14, "ABCDEFGHIJKLM"},  // the lead byte alone would be the 14th: dropped
        {Jp("一二三四五六七八"), 14, Jp("一二三四五六七")}, // seven double-byte characters fill 14 bytes
        {"", 14, ""},
        {"ABCDEFGHIJKLMNOPQ", 16, "ABCDEFGHIJKLMNOP"},
        {"A" + Jp("基準点番号八九十"), 16, "A" + Jp("基準点番号八九")}, // byte 16 would split 十
        {Jp("基準点番号七八九十"), 16, Jp("基準点番号七八九")},
        {"SHORT", 16, "SHORT"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CutBytes(c.text, c.maxBytes), c.cut) << Cp932ToUtf8(c.text);
    }
}

} // namespace
} // namespace vemo
