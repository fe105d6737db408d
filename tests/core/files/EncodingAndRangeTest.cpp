// Files a reader must refuse rather than store wrong: text an editor saved as UTF-8 where CP932 is
// expected (it would become mojibake), and coordinates no plane rectangular system can hold.
#include "FilesTestUtil.h"

#include "core/files/BlkFile.h"
#include "core/files/LinkFileState.h"
#include "core/files/Nichoren.h"
#include "core/files/Sima.h"
#include "core/files/XyzFile.h"
#include "core/io/Utf8Text.h"
#include "core/text/Cp932.h"
#include "core/traverse/TrvsFile.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsTable.h"
#include "core/zub/ZubChecksum.h"
#include "core/zub/ZubFile.h"
#include "support/ErrorMessage.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

namespace vemo {
namespace {
using ::testing::HasSubstr;

const char* const kBom = "\xEF\xBB\xBF";

// A line of the native file: the name in 16 bytes, the numbers right-aligned in 20 (CP932 bytes).
std::string XyzLine(const std::string& name, const std::string& x, const std::string& y, const std::string& z = "",
                    const std::string& rest = "") {
    const auto right = [](const std::string& n) { return std::string(20 - n.size(), ' ') + n; };
    return name + std::string(16 - name.size(), ' ') + right(x) + right(y) + right(z) + rest + "\r\n";
}

// The same point in the three formats (CP932 bytes, as the files hold them).
struct Format {
    const char* name;
    std::string cp932;
    std::function<void(const std::string&)> read;
};

std::vector<Format> Formats() {
    return {
        {"native.Xyz", XyzLine(Jp("境界杭No.2"), "-12345.678", "23456.789", "1.250", Jp("境界杭")),
         [](const std::string& path) {
             XyzList list;
             ReadXyzFile(path, list);
         }},
        {"sima.sim", Jp("G00,01,現場,\r\nA00,\r\nA01,1,境界杭No.2,-12345.678,23456.789,1.25,\r\nA99,\r\n"),
         [](const std::string& path) { ReadSimaFile(path); }},
        {"nichoren.txt", Jp("1,境界杭No.2,-12345.678,23456.789,1.25\r\n"),
         [](const std::string& path) { ReadNichorenFile(path); }},
        {"parcels.Blk", Jp("区画1,5,境界杭No.2,P2,P3,境界杭No.2\r\n"),
         [](const std::string& path) {
             BlockList blocks;
             ReadBlkFile(path, blocks);
         }},
        {"traverse.Trv",
         Jp("1\r\n26/12/09\r\n東町\r\n基準点1,1000.000,1000.000,10.000\r\nP,1,45.3000\r\n"
            "基準点2,1000.000,1100.000,10.000\r\nF,0,90.0000\r\n"
            "1,T,,,境界杭No.2,180.0000,90.0000,100.000,1.500,1.500\r\n"),
         [](const std::string& path) {
             TrvsHeader header;
             TrvsTable table;
             LoadTrvFile(path, TrvsOptions{}, "26/12/09", header, table);
         }},
        {"book.ZUB", "A,01,Z,\r\n" + ZubRecordLine(Jp("B,境界確認,GTS,12345,")) + "\r\n",
         [](const std::string& path) { LoadZubBook(path); }},
    };
}

TEST(Utf8Text, EveryReaderRefusesUtf8AndReadsTheCp932Original) {
    test::TempDir dir;
    for (const Format& format : Formats()) {
        const std::string path = dir.File(format.name);
        test::WriteBytes(path, format.cp932);
        EXPECT_EQ(test::MessageOf([&] { format.read(path); }), "(no error)") << format.name;
        const std::string utf8 = Cp932ToUtf8(format.cp932);
        for (const std::string& bytes : {utf8, kBom + utf8}) {
            test::WriteBytes(path, bytes);
            EXPECT_THAT(test::MessageOf([&] { format.read(path); }), HasSubstr(path + "」は UTF-8 で保存されています"))
                << format.name;
        }
    }
}

// The link file an editor saved as UTF-8 is refused on its way back, not read as mojibake.
TEST(Utf8Text, TheLinkFileRoundTripRefusesUtf8) {
    test::TempDir dir;
    const std::string link = dir.File("Xyz.txt");
    const std::string written = XyzLine("P1", "-12345.678", "23456.789", "1.250", Jp("杭"));
    LinkFileState state;
    state.Write(link, written);
    test::WriteBytes(link, Cp932ToUtf8(written) + XyzLine("P2", "1.000", "2.000"));
    bool missing = false;
    EXPECT_THAT(test::MessageOf([&] { state.ChangedBytes(link, missing); }), HasSubstr("UTF-8 で保存されています"));
    test::WriteBytes(link, written + XyzLine("P2", "1.000", "2.000"));
    EXPECT_TRUE(state.ChangedBytes(link, missing).has_value()) << "a CP932 edit comes back";
}

// Random names of the characters surveyors write: their CP932 bytes are never taken for UTF-8, their
// UTF-8 bytes always are.  The oracle is the construction itself.
TEST(Utf8Text, RandomJapaneseNamesAreToldApartByTheirEncoding) {
    const std::vector<std::string> pieces = {"境界", "杭",     "No.", "点", "ﾃﾞｰﾀ", "①", "鋲", "金属標", "Ａ", "ー",
                                             "・",   "（仮）", "○",   "ｱ",  "株",   "2", " ",  "道路",   "℃",  "〒"};
    std::mt19937 random(29);
    for (int round = 0; round < 2000; ++round) {
        std::string utf8;
        const int count = std::uniform_int_distribution<int>(1, 6)(random);
        for (int i = 0; i < count; ++i) {
            utf8 += pieces[std::uniform_int_distribution<size_t>(0, pieces.size() - 1)(random)];
        }
        const std::string cp932 = Jp(utf8);
        const bool hasJapanese = cp932 != utf8;
        EXPECT_FALSE(IsUtf8Text(cp932)) << utf8;
        EXPECT_EQ(IsUtf8Text(utf8), hasJapanese) << utf8;
    }
}

// 10,000 km is the bound (a zone reaches a few hundred kilometres); the value itself still reads.
TEST(CoordinateRange, AbsurdCoordinatesAreRefusedNamingFileLineAndField) {
    test::TempDir dir;
    const std::string xyz = dir.File("far.Xyz");
    const std::string inBounds = XyzLine("P1", "10000000.000", "-10000000.000", "1.000");
    test::WriteBytes(xyz, inBounds + XyzLine("P2", "1e308", "2.000"));
    EXPECT_THAT(test::MessageOf([&] {
                    XyzList list;
                    ReadXyzFile(xyz, list);
                }),
                HasSubstr(xyz + "」: 2行目: X座標の値 1e308 は座標の範囲（±10000000 m）を超えています"));
    test::WriteBytes(xyz, XyzLine("P1", "10000000.001", "1.000"));
    EXPECT_THAT(test::MessageOf([&] {
                    XyzList list;
                    ReadXyzFile(xyz, list);
                }),
                HasSubstr("1行目: X座標の値 10000000.001 は座標の範囲"));
    test::WriteBytes(xyz, inBounds);
    XyzList list;
    ReadXyzFile(xyz, list);
    EXPECT_EQ(list.Cell(1, kColY), "-10000000.000");

    const std::string sima = dir.File("far.sim");
    test::WriteBytes(sima, "G00,01,S,\r\nA00,\r\nA01,1,P1,1.0,-2e7,0.0,\r\nA99,\r\n");
    EXPECT_THAT(test::MessageOf([&] { ReadSimaFile(sima); }), HasSubstr("3行目: Y座標の値 -2e7 は座標の範囲"));
    const std::string nichoren = dir.File("far.txt");
    test::WriteBytes(nichoren, "1,P1,1.0,2.0,1e9\r\n");
    EXPECT_THAT(test::MessageOf([&] { ReadNichorenFile(nichoren); }), HasSubstr("1行目: Z座標の値 1e9 は座標の範囲"));
}

} // namespace
} // namespace vemo
