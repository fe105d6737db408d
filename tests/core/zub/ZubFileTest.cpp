// ZUB observation files: the sample's bytes read and write back unchanged, and every kind of damage is
// refused with the line named.
#include "core/zub/ZubFile.h"
#include "core/text/Cp932.h"
#include "support/ErrorMessage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

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
    edited[1] = "T 1"; // a name with a blank is quoted so that it reads back whole
    edited[3] = "1.5";
    edited[8] = "?"; // the check character of the row before the edit
    EXPECT_EQ(FormatZubLine(edited), "D,\"T 1\",,1.5,,,,,A,");
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
    EXPECT_EQ(FormatZubLine(odd), "Q,x,A,");
    // A check character that is a comma is read from its place, not as a separator.
    const std::vector<ZubRow> rows = ParseZubText("A,01,Z,\r\nE,/,,,\r\nZ,&,\r\n");
    EXPECT_EQ(rows[1][1], "/");
    EXPECT_EQ(rows[1][2], ",");
    EXPECT_EQ(FormatZubText(rows), "A,01,Z,\r\nE,/,,,\r\nZ,&,\r\n");
}

TEST(ZubFile, DamagedFilesAreRefusedNamingTheLine) {
    std::string manyObservations = "A,01,Z,\r\n";
    for (int i = 0; i < kZubMaxDirectObservations + 1; ++i) {
        manyObservations += "F,P,,,r1001,,,,,,,,:,\r\n"; // sum 986 -> 26 + 32
    }
    manyObservations += "Z,&,\r\n";
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"A,01,Z,\r\nE,0,.,\r\nZ,&,\r\n", "ZUBファイルの 2 行目: チェックサムが合いません"},
        {"A,01,Z,\r\nX,$,\r\nZ,&,\r\n", "ZUBファイルの 2 行目: レコードの種類が分かりません"},
        {"A,01,Z,\r\nE,0,0,I,\r\nZ,&,\r\n", "ZUBファイルの 2 行目: E レコードの項目が 3 個を超えています"},
        {"E,0,-,\r\nZ,&,\r\n", "ZUBファイルの 1 行目がスタート・ブロック(A)ではありません"},
        {"", "ZUBファイルの 1 行目がスタート・ブロック(A)ではありません"},
        {std::string("A,01,Z,\r\nB,a\0b,=,\r\nZ,&,\r\n", 25), "ZUBファイルの 2 行目: NUL 文字(0x00)が含まれています"},
        {"A,01,Z,\r\nE,0,-,\r\n\r\n", "ZUBファイルの 2 行目: エンド・ブロック(Z)で終わっていません"},
        {manyObservations, "ZUBファイルの 1999 行目: 正観測は 1997 行までです"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageOf([&] { ParseZubText(c.text); }), c.message) << c.text.substr(0, 40);
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
