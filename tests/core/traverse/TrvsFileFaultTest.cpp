// Traverse files with values no observation can have: each is refused while the file is read, naming
// the file, the line and the field, before the computation turns it into "inf" or a point placed
// backwards.
#include "TrvsFixture.h"

#include "core/traverse/TrvsFile.h"
#include "support/ErrorMessage.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vemo::test {
namespace {

using ::testing::HasSubstr;

// The connected traverse of the test data, its first observation row given by the test.
std::string TraverseWithRow(const std::string& row) {
    return "1\r\n26/12/09\r\nconnected\r\nA,1000.000,1000.000,10.000\r\nP,1,45.3000\r\n"
           "E,1000.000,1300.000,10.000\r\nF,0,90.0000\r\n" +
           row + "\r\n2,T,,,C,180.0010,89.5950,100.000\r\n3,T,,,E,180.0000,90.0000,100.000\r\n";
}

TEST(TrvsFileFaults, ValuesNoObservationCanHaveAreRefusedNamingFileLineAndField) {
    const struct {
        std::string bytes;
        const char* message;
    } cases[] = {
        {TraverseWithRow("1,T,,,B,180.0000,90.0000,1e308,1.500,1.500"),
         "8 行目: 斜距離の値 1e308 は範囲（0 ～ 100000）を超えています"},
        {TraverseWithRow("1,T,,,B,180.0000,90.0000,-100.000,1.500,1.500"), "8 行目: 斜距離の値 -100.000 が負です"},
        {TraverseWithRow("1,T,,,B,1e300,90.0000,100.000"), "8 行目: 水平角の値 1e300 は範囲（0 ～ 360）"},
        {TraverseWithRow("1,T,,,B,180.0000,90.0000,100.000,1.500,9e9"), "8 行目: 視準高の値 9e9 は範囲"},
        {TraverseWithRow("1,T,,,B,180.0000,90.0000,100.0x0"), "8 行目: 斜距離 '100.0x0' は数値ではありません"},
        // A NUL inside an angle would end the row there: H 132, V and distance empty.
        {TraverseWithRow("1,T,,,B,132.0" + std::string(1, '\0') + "000,90.0000,100.000"),
         "8 行目: 制御文字を含む行です"},
        {TraverseWithRow(std::string("1,T,,,B\x1A,180.0000,90.0000,100.000")), "8 行目: 制御文字を含む行です"},
        {TraverseWithRow("1,T,,,B\x82,180.0000,90.0000,100.000"), "8 行目: 測点 'B\\x82' に途中で切れた文字があります"},
        {"1\r\n\r\n\r\nA,1e9,1000.000,10.000\r\n", "4 行目: 始点のX座標の値 1e9 は範囲"},
        {"1\r\n\r\n\r\nA,0,0,0\r\nP,1,400.0000\r\n", "5 行目: 始点の方向角の値 400.0000 は範囲"},
    };
    TempDir dir;
    const std::string path = dir.File("bad.Trv");
    for (const auto& c : cases) {
        WriteBytes(path, c.bytes);
        TrvsFixture f;
        const std::string message = MessageOf([&] { LoadTrvFile(path, f.options, "26/12/09", f.header, f.table); });
        EXPECT_THAT(message, HasSubstr(path)) << c.message;
        EXPECT_THAT(message, HasSubstr(c.message));
    }
    // The same traverse with sound values reads, a distance of 0 and a zenith angle below the horizon
    // included.
    WriteBytes(path, TraverseWithRow("1,T,,,B,180.0000,-90.0000,0,1.500,1.500"));
    TrvsFixture f;
    EXPECT_EQ(MessageOf([&] { LoadTrvFile(path, f.options, "26/12/09", f.header, f.table); }), "(no error)");
    EXPECT_EQ(f.table.Cell(1, kTrvColSlope), "0");
}

} // namespace
} // namespace vemo::test
