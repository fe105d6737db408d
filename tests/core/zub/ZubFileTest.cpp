// ZUB observation files: the sample's bytes read and write back unchanged, and every kind of damage is
// refused with the line named.
#include "core/zub/ZubFile.h"
#include "core/text/Cp932.h"
#include "support/ErrorMessage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace vemo::test {
namespace {

TEST(ZubFile, SampleReadsIntoCellsAndWritesBackByteForByte) {
    const std::string bytes = ReadBytes(DataFile("zub/field.ZUB"));
    const std::vector<ZubRow> rows = ParseZubText(bytes);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0][0], "A");
    EXPECT_EQ(rows[0][1], "01");
    EXPECT_EQ(rows[0][2], "Z");
    EXPECT_EQ(Cp932ToUtf8(rows[1][1]), "境界測量");
    EXPECT_EQ(rows[1][6], "") << "a blank check character shows as an empty cell";
    EXPECT_EQ(rows[3][3], "1.500");
    EXPECT_EQ(rows[5][kZubObsNumber], "r1001");
    EXPECT_EQ(rows[5][kZubHAngle], "90.0530");
    EXPECT_EQ(rows[5][8], "");
    EXPECT_EQ(rows[5][12], "G");
    EXPECT_EQ(rows[10][1], "&");
    EXPECT_EQ(FormatZubText(rows), bytes);
}

TEST(ZubFile, WritingGivesEachKindItsFieldsAndAFreshCheckCharacter) {
    ZubRow edited;
    edited[0] = "D";
    edited[1] = "T 1"; // blanks stay in the field, as the instruments write them: 733 -> 29 + 32
    edited[3] = "1.5";
    edited[8] = "?"; // the check character of the row before the edit
    EXPECT_EQ(FormatZubLine(edited), "D,T 1,,1.5,,,,,=,");
    edited[1] = "a,b"; // a comma could not be told from a separator: quoted, and read back whole
    EXPECT_EQ(ParseZubText("A,01,Z,\r\n" + FormatZubLine(edited) + "\r\n")[1][1], "a,b");
    ZubRow f;
    f[0] = "F";
    EXPECT_EQ(FormatZubLine(f), "F,,,,,,,,,,,,6,") << "12 fields, each followed by one comma";
    ZubRow lineEnd{"E", Jp("境境境境x")}; // E,境境境境x, sums to -531: its check character would be CR
    EXPECT_EQ(MessageOf([&] {
                  FormatZubText({ZubRow{"A", "01"}, lineEnd});
              }),
              "ZUBファイルの 2 行目: チェック文字が改行になるため、この記録は書けません（項目を変えてください）");
    ZubRow odd; // a record letter this program does not know
    odd[0] = "Q";
    odd[1] = "x";
    odd[2] = "Z"; // its old check character: the last text of a record of an unknown letter
    EXPECT_EQ(FormatZubLine(odd), "Q,x,A,");
    // A check character that is a comma is read from its place, not as a separator.
    const std::vector<ZubRow> rows = ParseZubText("A,01,Z,\r\nE,/,,,\r\nZ,&,\r\n");
    EXPECT_EQ(rows[1][1], "/");
    EXPECT_EQ(rows[1][2], ",");
    EXPECT_EQ(FormatZubText(rows), "A,01,Z,\r\nE,/,,,\r\nZ,&,\r\n");
}

// A field book as a surveyor brings it: blanks inside fields, a record this program does not know
// (a "G" line with a code field), two setups and a line whose distance was corrected by hand, so its
// check character no longer fits ('>' kept from 100.010; 100.000 sums to 2396 -> 28 + 32 = '<').
TEST(ZubFile, HandCorrectedBookOpensWithItsLinesMarked) {
    const std::string bytes = ReadBytes(DataFile("zub/corrected.ZUB"));
    const ZubBook book = ReadZubBook(bytes);
    ASSERT_EQ(book.rows.size(), 13u);
    EXPECT_EQ(Cp932ToUtf8(book.rows[1][1]), "境界 確認");
    EXPECT_EQ(Cp932ToUtf8(book.rows[1][4]), "山田 太郎");
    EXPECT_EQ(book.rows[3][2], "PC -30");
    EXPECT_EQ(book.rows[8], (ZubRow{"G", "T9", "-12345.678", "34567.890", "", "CODE1", "_"}));
    const std::vector<bool> marked(book.checkWrong.begin(), book.checkWrong.end());
    std::vector<bool> expected(13, false);
    expected[11] = true;
    EXPECT_EQ(marked, expected);
    EXPECT_TRUE(book.endRecord);
    EXPECT_EQ(book.directObservations, 4);
    // Saving writes a fresh check character on the corrected line only, and keeps the rest byte for byte.
    std::string fixed = bytes;
    fixed.replace(fixed.find("100.000,,,,0,>,"), 15, "100.000,,,,0,<,");
    EXPECT_EQ(FormatZubText(book.rows), fixed);
}

TEST(ZubFile, WhatIsNoFieldBookIsRefusedNamingTheLineAndTheRestOpens) {
    std::string manyObservations = "A,01,Z,\r\n";
    for (int i = 0; i < kZubMaxDirectObservations + 1; ++i) {
        manyObservations += "F,P,,,r1001,,,,,,,,:,\r\n"; // sum 986 -> 26 + 32
    }
    manyObservations += "Z,&,\r\n";
    const ZubBook many = ReadZubBook(manyObservations);
    EXPECT_EQ(many.directObservations, kZubMaxDirectObservations + 1) << "opened; the transfer says what it takes";
    const ZubBook open = ReadZubBook("A,01,Z,\r\nE,0,.,\r\nX,$,\r\n");
    EXPECT_EQ(open.checkWrong, (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(open.endRecord);
    EXPECT_EQ(open.rows[2], (ZubRow{"X", "$"})) << "an unknown letter keeps its check character after its fields";
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"A,01,Z,\r\n1,$,\r\nZ,&,\r\n",
         "ZUBファイルの 2 行目: 先頭の項目がレコードの種類（英字 1 文字）ではありません"},
        {"A,01,Z,\r\nE,0-\r\nZ,&,\r\n",
         "ZUBファイルの 2 行目: レコードの区切り（項目ごとのカンマとチェック文字）が読めません"},
        {"A,01,Z,\r\nE,0,0,I,\r\nZ,&,\r\n", "ZUBファイルの 2 行目: E レコードの項目が 3 個を超えています"},
        {"A,01,Z,\r\nQ,1,2,3,4,5,6,7,8,9,10,11,12,C,\r\n",
         "ZUBファイルの 2 行目: Q レコードの項目が 13 個を超えています"},
        {"E,0,-,\r\nZ,&,\r\n", "ZUBファイルの 1 行目がスタート・ブロック(A)ではありません"},
        {"", "ZUBファイルの 1 行目がスタート・ブロック(A)ではありません"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageOf([&] { ParseZubText(c.text); }), c.message) << c.text.substr(0, 40);
    }
}

// The check character is the signed byte sum's remainder by 64 plus 32: double-byte text makes the sum
// negative and the character a control byte, NUL included.  Whatever the rule gives, the file reads.
TEST(ZubFile, EveryCheckCharacterTheRuleGivesReadsBack) {
    TempDir dir;
    // The sample's job name set to this sums to -288 = -32 - 64 x 4: check character NUL.
    std::vector<ZubRow> rows = ParseZubText(ReadBytes(DataFile("zub/field.ZUB")));
    rows[1][1] = Jp("用地測量業務委託第一工区四");
    SaveZubFile(dir.File("nul.ZUB"), rows, false);
    const std::string saved = ReadBytes(dir.File("nul.ZUB"));
    EXPECT_NE(saved.find(Jp("四,GTS,12345,") + Jp("山田") + ",26/12/09," + std::string(1, '\0') + ",\r\n"),
              std::string::npos);
    const ZubBook reopened = LoadZubBook(dir.File("nul.ZUB"));
    EXPECT_EQ(reopened.rows[1][1], Jp("用地測量業務委託第一工区四"));
    EXPECT_EQ(reopened.rows[1][6], std::string(1, '\0'));
    EXPECT_EQ(std::ranges::count(reopened.checkWrong, true), 0);
    struct Case {
        const char* utf8Body;
        int check; // byte, from the sum worked out by hand (境 8B AB = -202, 杭 8D 59 = -26, ...)
    };
    const Case cases[] = {
        {"E,境杭杭A,", 0x00},  // -32: NUL
        {"E,境界測ab,", 0x00}, // -96 = -32 - 64
        {"E,境境杭1,", 0x00},  // -224 = -32 - 64 x 3
        {"E,境境山x,", 0x01},  // -159: -31 + 32
        {"E,境境x,", 0xE1},    // -127: -63 + 32 = -31, byte 0xE1
        {"E,境境境,", 0x1F},   // -449: -1 + 32
    };
    for (const Case& c : cases) {
        const std::string body = Jp(c.utf8Body);
        const std::string line = body + std::string(1, static_cast<char>(c.check)) + ",";
        const ZubBook book = ReadZubBook("A,01,Z,\r\n" + line + "\r\nZ,&,\r\n");
        EXPECT_FALSE(book.checkWrong[1]) << c.utf8Body;
        EXPECT_EQ(FormatZubLine(book.rows[1]), line) << c.utf8Body;
    }
}

TEST(ZubFile, RecordTableGivesHeadersAndStatusTextsByLetterAndColumn) {
    const ZubRow d{"D", "T1", "", "1.500"};
    EXPECT_EQ(Cp932ToUtf8(ZubStatusText(d, 0)), "グループ３");
    EXPECT_EQ(Cp932ToUtf8(ZubStatusText(d, 3)), "器械高");
    EXPECT_EQ(ZubStatusText(d, 2), "") << "a column without a code text clears the status";
    const ZubRow b{"B", Jp("境界")};
    EXPECT_EQ(Cp932ToUtf8(ZubStatusText(b, 1)), "業務名：境界") << "followed by the cell's own text";
    const ZubRow f{"F", "", "", "", "r1001"};
    EXPECT_EQ(Cp932ToUtf8(ZubStatusText(f, 11)), "手入力コード：水平角,鉛直角,斜距離: 0=自動入力 1=手入力(1桁)");
    EXPECT_EQ(ZubStatusText(ZubRow{"Q"}, 0), "");
    const auto headers = ZubHeaderTexts("F");
    EXPECT_EQ(Cp932ToUtf8(headers[1]), "目標点名");
    EXPECT_EQ(Cp932ToUtf8(headers[12]), "C");
    EXPECT_EQ(Cp932ToUtf8(ZubHeaderTexts("A")[2]), "ChkS");
    EXPECT_EQ(ZubHeaderTexts("A")[3], "") << "columns after the record's fields stay empty";
}

TEST(ZubFile, SaveKeepsTheReplacedFileAsBackup) {
    TempDir dir;
    const std::string path = dir.File("day1.ZUB");
    const std::vector<ZubRow> rows = ParseZubText(ReadBytes(DataFile("zub/field.ZUB")));
    WriteBytes(path, "older");
    SaveZubFile(path, rows, true);
    EXPECT_EQ(ReadBytes(dir.File("day1.ZBk")), "older");
    EXPECT_EQ(LoadZubFile(path), rows);
    EXPECT_EQ(MessageOf([&] { LoadZubFile(dir.File("none.ZUB")); }),
              "ファイル「" + dir.File("none.ZUB") + "」がありません");
}

} // namespace
} // namespace vemo::test
