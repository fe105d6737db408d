// Lines a reader must refuse, naming the file and the line, rather than read as something else: a line
// cut short (an empty field is no 0), a name with a control byte or half a character, another
// program's CSV under the 日調連 extension; and the point at the origin that a local grid has.
#include "FilesTestUtil.h"

#include "core/edit/CellRules.h"
#include "core/files/BlkFile.h"
#include "core/files/Convert.h"
#include "core/files/Nichoren.h"
#include "core/files/Sima.h"
#include "core/files/XyzFile.h"
#include "core/parcels/ParcelArea.h"
#include "core/store/BlockList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "support/ErrorMessage.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace vemo {
namespace {

using ::testing::HasSubstr;

std::string XyzLine(const std::string& name, const std::string& x, const std::string& y, const std::string& z = "") {
    const auto right = [](const std::string& n) { return std::string(20 - n.size(), ' ') + n; };
    return name + std::string(16 - name.size(), ' ') + right(x) + right(y) + right(z) + "\r\n";
}

void Convert(const std::string& input, FileKind from, const std::string& output, FileKind to,
             const std::string& inputBlk = "") {
    ConvertRequest request;
    request.input = input;
    request.from = from;
    request.output = output;
    request.to = to;
    request.inputBlk = inputBlk;
    ConvertFile(request);
}

// A local grid with a point at the origin: the 600 m² rectangle (0,0) (0,30) (20,30) (20,0) comes back
// whole through SIMA and 日調連, not as the 300 m² triangle of the other three.
TEST(OriginPoint, IsWrittenLikeAnyOtherPointAndKeepsItsParcel) {
    test::TempDir dir;
    test::WriteBytes(dir.File("grid.Xyz"), XyzLine("O", "0.000", "0.000") + XyzLine("A", "0.000", "30.000") +
                                               XyzLine("B", "20.000", "30.000") + XyzLine("C", "20.000", "0.000"));
    test::WriteBytes(dir.File("grid.Blk"), "L1,6,O,A,B,C,O\r\n");
    Convert(dir.File("grid.Xyz"), FileKind::Native, dir.File("grid.sim"), FileKind::Sima, dir.File("grid.Blk"));
    Convert(dir.File("grid.sim"), FileKind::Sima, dir.File("back.Xyz"), FileKind::Native);
    XyzList list;
    ASSERT_TRUE(ReadXyzFile(dir.File("back.Xyz"), list));
    BlockList blocks;
    ASSERT_TRUE(ReadBlkFile(dir.File("back.Blk"), blocks));
    XyzNameIndex index;
    index.Rebuild(list);
    ASSERT_EQ(blocks.Count(), 1);
    EXPECT_DOUBLE_EQ(ParcelFigures(blocks.At(0).NoList, index).area, 600.0);
    EXPECT_EQ(list.PointRowCount(), 4);

    Convert(dir.File("grid.Xyz"), FileKind::Native, dir.File("grid.txt"), FileKind::Nichoren);
    const std::string nichoren = test::ReadBytes(dir.File("grid.txt"));
    EXPECT_THAT(nichoren, HasSubstr("    1,O              ,       0.000000,       0.000000,       0.000000\r\n"));
    EXPECT_EQ(ParseNichorenText(nichoren).rows.size(), 4u);
}

// An empty X or Y is no coordinate 0: the line is refused, naming it.
TEST(DamagedLine, AFieldLeftEmptyIsRefusedNamingTheLine) {
    const struct {
        const char* what;
        std::function<void()> read;
        const char* message;
    } cases[] = {
        {"SIMA without Y", [] { ParseSimaText("A00,\r\nA01,1,P,12.5,,3,\r\n"); }, "2行目: Y座標が空です"},
        {"SIMA without X and Y", [] { ParseSimaText("A01,1,P,,,\r\n"); }, "1行目: X座標が空です"},
        {"日調連 without Y", [] { ParseNichorenText("1,A,1,2\r\n2,B,3,,5\r\n"); }, "2行目: Y座標が空です"},
        {"日調連 without X", [] { ParseNichorenText("1,A,,2\r\n"); }, "1行目: X座標が空です"},
        {"Xyz with X only", [] { ParseXyzText(XyzLine("P1", "1.000", "2.000") + XyzLine("SH", "12.345", "")); },
         "2行目: Y座標が空です"},
        {"Xyz with Y only", [] { ParseXyzText(XyzLine("SH", "", "12.345")); }, "1行目: X座標が空です"},
    };
    for (const auto& c : cases) {
        EXPECT_THAT(test::MessageOf(c.read), HasSubstr(c.message)) << c.what;
    }
    // A convert writes nothing in place of the line: the input is refused, the output not made.
    test::TempDir dir;
    test::WriteBytes(dir.File("in.Xyz"), XyzLine("P", "-1.5", "2") + XyzLine("SH", "12.345", ""));
    EXPECT_THAT(
        test::MessageOf([&] { Convert(dir.File("in.Xyz"), FileKind::Native, dir.File("out.sim"), FileKind::Sima); }),
        HasSubstr("in.Xyz」: 2行目: Y座標が空です"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.sim")));
    // A blank line holds no point at all.
    EXPECT_EQ(ParseXyzText(XyzLine("P", "1", "2") + "   \r\n" + XyzLine("Q", "3", "4")).size(), 2u);
    // A name alone is a row without coordinates (the list's entry row), never a point at the origin.
    const std::vector<XyzRow> named = ParseXyzText(XyzLine("P", "1", "2") + "SH\r\n");
    ASSERT_EQ(named.size(), 2u);
    EXPECT_EQ(named[1][kColName], "SH");
    EXPECT_EQ(named[1][kColX], "");
    EXPECT_EQ(named[1][kColY], "");
}

// Another program's "name,X,Y,Z" list named .txt is no 日調連 file: its columns would shift.
TEST(DamagedLine, ACsvOfNamesIsNoNichorenFile) {
    test::TempDir dir;
    const std::string csv = dir.File("points.txt");
    test::WriteBytes(csv, "P1,-12345.678,23456.789,1.25\r\nP2,-12300.000,23400.000,1.30\r\n");
    const std::string message = test::MessageOf([&] { ReadNichorenFile(csv); });
    EXPECT_THAT(message, HasSubstr(csv));
    EXPECT_THAT(message, HasSubstr("1行目: 点番号 'P1' は整数ではありません"));
    EXPECT_THAT(test::MessageOf([] { ParseNichorenText("1,A,1,2\r\n,B,3,4\r\n"); }), HasSubstr("2行目: 点番号 ''"));
    EXPECT_EQ(ParseNichorenText("  12,A,1,2\r\n").rows[0][kColName], "A"); // padded numbers are numbers
}

// Names that could not be written into every format and read back: a control byte (NUL, the old
// end-of-file mark 0x1A, BEL) or a double-byte character cut after its first byte.
TEST(DamagedLine, NamesWithControlBytesOrHalfCharactersAreRefusedByEveryReaderAndAtTyping) {
    const std::string cut = Jp("境界杭No.12") + "\x8B"; // 15 bytes, the last one half of 境
    const std::vector<std::string> bad = {std::string("P\0X", 3), "P\x1AQ",
                                          "A\x07"
                                          "B",
                                          cut, "A\x81,B"};
    for (const std::string& name : bad) {
        SCOPED_TRACE(Cp932ToUtf8(Excerpt(name)));
        const auto refused = [&](const std::function<void()>& read, const char* where) {
            const std::string message = test::MessageOf(read);
            EXPECT_THAT(message, HasSubstr("2行目: ")) << where;
            EXPECT_THAT(message,
                        ::testing::AnyOf(HasSubstr("に制御文字が含まれています"), HasSubstr("制御文字を含む行です"),
                                         HasSubstr("に途中で切れた文字があります")))
                << where << " " << message;
        };
        if (name.find(',') == std::string::npos) {
            refused([&] { ParseXyzText(XyzLine("OK", "1", "2") + XyzLine(name, "1", "2")); }, "Xyz");
            refused([&] { ParseSimaText("A00,\r\nA01,1," + name + ",1,2,\r\n"); }, "SIMA point");
            refused([&] { ParseSimaText("D00,1,L,1,\r\nB01,1," + name + ",\r\n"); }, "SIMA vertex");
            refused([&] { ParseNichorenText("1,A,1,2\r\n2," + name + ",1,2\r\n"); }, "日調連");
        }
        const std::string quoted = "\"" + name + "\"";
        refused([&] { ParseBlkText("L,3,A,B\r\n" + quoted + ",3,A,B\r\n"); }, "Blk parcel");
        refused([&] { ParseBlkText("L,3,A,B\r\nM,3,A," + quoted + "\r\n"); }, "Blk vertex");

        XyzList list = test::ListOf({test::PointRow(name, "", "")});
        EXPECT_THAT(test::MessageOf([&] { CheckLeavingCell(list, 1, kColName, nullptr); }), HasSubstr("点名 '"))
            << "typed";
    }
    // A full-width character whose trail byte is a digit or a letter is whole.
    EXPECT_EQ(ParseXyzText(XyzLine(Jp("基準点９"), "1", "2"))[0][kColName], Jp("基準点９"));
    XyzList typed = test::ListOf({test::PointRow(Jp("ソ表"), "", "")});
    EXPECT_EQ(CheckLeavingCell(typed, 1, kColName, nullptr).outcome, LeaveCheck::Outcome::Keep);
}

TEST(DamagedLine, AParcelRowCountBelowZeroOrTooManyVerticesAreRefusedSayingWhich) {
    EXPECT_THAT(test::MessageOf([] { ParseBlkText("L,4,A,B,C\r\nM,-5,A,B\r\n"); }),
                HasSubstr("2行目: 画地の行数 '-5' は 0 以上の整数ではありません"));
    std::string many = "L,3";
    for (int i = 0; i < 400'000; ++i) {
        many += ",P";
    }
    EXPECT_THAT(test::MessageOf([&] { ParseBlkText(many); }),
                HasSubstr("1行目: 画地の頂点が 400000 個あり、上限 100000 を超えています"));
}

} // namespace
} // namespace vemo
