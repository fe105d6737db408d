// Field books with what no instrument writes: a control byte inside a record, numbers past what an
// observation can be.  The file reader refuses the first naming the line; the transfer into the
// traverse table leaves out the second, saying which value of which record.
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsTable.h"
#include "core/zub/ZubChecksum.h"
#include "core/zub/ZubFile.h"
#include "core/zub/ZubTransfer.h"
#include "support/ErrorMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

namespace vemo::test {
namespace {

using ::testing::HasSubstr;

std::string Book(const std::vector<std::string>& bodies) {
    std::string text;
    for (const std::string& body : bodies) {
        text += ZubRecordLine(body) + "\r\n";
    }
    return text;
}

// A NUL in a target name keeps the check character right (it adds nothing to the sum) and would
// split the name in two for every program after this one.
TEST(ZubFaults, AControlByteInARecordIsRefusedNamingTheLine) {
    for (const char c : {'\0', '\x1A', '\x07'}) {
        const std::string text =
            Book({"A,01,", "D,T1,,1.500,", "F,T2" + std::string(1, c) + "X,,1.600,r1001,90.0530,89.5930,123.456,"});
        const std::string message = MessageOf([&] { ReadZubBook(text); });
        EXPECT_THAT(message, HasSubstr("3 行目: 制御文字を含む行です: F,T2\\x")) << static_cast<int>(c);
        EXPECT_FALSE(
            IsReceivableZubLine(ZubRecordLine("F,T2" + std::string(1, c) + "X,,1.600,r1001,90.0530,89.5930,123.456,")));
    }
    EXPECT_EQ(ReadZubBook(Book({"A,01,", Jp("F,境界杭,,1.600,r1001,90.0530,89.5930,123.456,")})).rows.size(), 2u);
}

TEST(ZubFaults, ObservationsPastWhatAnInstrumentMeasuresAreLeftOutSayingWhich) {
    const std::vector<ZubRow> rows = ParseZubText(Book({
        "A,01,",
        "D,T1,,1.500,",
        "F,T0,,1.600,r1001,0.0000,90.0000,50.000,",   // backsight
        "F,T2,,1.600,r1001,90.0530,89.5930,1e308,",   // a distance of 1e308
        "F,T3,,1.600,r1001,90.0530,89.5930,-12.000,", // a negative distance
        "F,T4,,1e9,r1001,90.0530,89.5930,12.000,",    // a target height of 1e9
        "F,T5,,1.600,r1001,720.0000,89.5930,12.000,", // two turns
        "F,T6,,1.600,r1001,45.0000,89.5930,12.000,",
    }));
    auto store = std::make_unique<Store>();
    TrvsHeader header;
    TrvsTable table;
    const std::vector<std::string> notes =
        TransferZubToTraverse(rows, TrvsOptions{}, TrvsKnownPoints(*store), "26/12/10", header, table);
    std::string all;
    for (const std::string& note : notes) {
        all += Cp932ToUtf8(note) + "\n";
    }
    EXPECT_THAT(all, HasSubstr("4 行目: 斜距離の値 1e308 が範囲を超えているので取り込みません"));
    EXPECT_THAT(all, HasSubstr("5 行目: 斜距離の値 -12.000 が範囲を超えているので取り込みません"));
    EXPECT_THAT(all, HasSubstr("6 行目: 視準高の値 1e9 が範囲を超えているので取り込みません"));
    EXPECT_THAT(all, HasSubstr("7 行目: 水平角の値 720.0000 が範囲を超えているので取り込みません"));
    ASSERT_EQ(table.ObservationRows(), 2) << all;
    EXPECT_EQ(table.Cell(2, kTrvColTarget), "T6");
}

} // namespace
} // namespace vemo::test
