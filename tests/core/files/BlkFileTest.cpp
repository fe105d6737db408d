#include "core/files/BlkFile.h"

#include "FilesTestUtil.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(BlkFile, GoldenFileReadsBackAndWritesTheSameBytes) {
    test::TempDir dir;
    BlockList blocks;
    ASSERT_TRUE(ReadBlkFile(test::DataFile("files/golden.Blk"), blocks));
    ASSERT_EQ(blocks.Count(), 3);
    EXPECT_EQ(blocks.At(0).BlockName, "A");
    EXPECT_EQ(blocks.At(0).NoRowCount, 5);
    EXPECT_EQ(blocks.At(0).NoList, "P1," + Jp("基準点１") + ",T-3,P1");
    EXPECT_EQ(blocks.At(1).BlockName, Jp("画地２"));
    EXPECT_EQ(blocks.At(2).BlockName, "B 1"); // a quoted name keeps its blank
    WriteBlkFile(dir.File("out.Blk"), blocks);
    EXPECT_EQ(test::ReadBytes(dir.File("out.Blk")), test::ReadBytes(test::DataFile("files/golden.Blk")));
}

TEST(BlkFile, ParcelLinesAndTheirFaults) {
    std::vector<Block> blocks = ParseBlkText("A,5,1,2,3,1\nB,2,\"x,y\",z,,\n\n   \r\n");
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].NoList, "1,2,3,1"); // four vertex entries, the closing one included
    EXPECT_EQ(blocks[1].NoList, "\"x,y\",z");
    try {
        ParseBlkText("A,5,1\nB\n");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), Jp("画地ファイルの2行目が正しくありません"));
    }
    try {
        ParseBlkText("A,five,1");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), Jp("1行目: 'five' は整数ではありません"));
    }
    // A damaged row count would make the editor open a parcel with billions of rows: refused, named.
    try {
        ParseBlkText("A,5,1,2,1\r\nB,2000000000,1,2,1\r\n");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), Jp("画地ファイルの2行目の行数（2000000000）が上限（100000行）を超えています"));
    }
    EXPECT_EQ(ParseBlkText("A,100000,1,2,1")[0].NoRowCount, 100000); // the limit itself is a parcel
    // A name with a comma or quote would otherwise split the line.
    Block odd{"a,\"b\"", "1,2", 3, 0, 0};
    EXPECT_EQ(ParseBlkText(FormatBlkText({odd}))[0].BlockName, odd.BlockName);
    EXPECT_EQ(FormatBlkText({Block{"", "1", 2, 0, 0}}), ",2,1\r\n");
    // Far past the 10,240 bytes older readers took per line: read whole.
    std::string longList;
    for (int i = 0; i < 3000; ++i) {
        longList += "V" + std::to_string(i) + ",";
    }
    longList += "V0";
    EXPECT_EQ(ParseBlkText("L,3001," + longList + "\r\nN,2,1\r\n")[0].NoList, longList);
}

TEST(BlkFile, LimitAppendAndLabelPoints) {
    test::TempDir dir;
    std::string many;
    for (int i = 0; i < kMaxBlocks; ++i) {
        many += "P,2,1,2\r\n";
    }
    test::WriteBytes(dir.File("full.Blk"), many);
    test::WriteBytes(dir.File("one.Blk"), "Q,4,1,2,3,1\r\n");
    BlockList blocks;
    ASSERT_TRUE(ReadBlkFile(dir.File("one.Blk"), blocks));
    EXPECT_THROW(ReadBlkFile(dir.File("full.Blk"), blocks, true), Error);
    EXPECT_EQ(blocks.Count(), 1);
    ASSERT_TRUE(ReadBlkFile(dir.File("full.Blk"), blocks));
    EXPECT_EQ(blocks.Count(), kMaxBlocks);
    ASSERT_TRUE(ReadBlkFile(dir.File("one.Blk"), blocks = BlockList(), true));
    ASSERT_TRUE(ReadBlkFile(dir.File("one.Blk"), blocks, true));
    EXPECT_EQ(blocks.Count(), 2);
    EXPECT_FALSE(ReadBlkFile(dir.File("none.Blk"), blocks));

    // Label point: the mean over the entries 1, 2, 3, 1 (the closing vertex counts).
    XyzList list =
        test::ListOf({test::PointRow("1", "0", "0"), test::PointRow("2", "4", "0"), test::PointRow("3", "0", "8")});
    XyzNameIndex index;
    index.Rebuild(list);
    ComputeLabelPoints(blocks, index);
    EXPECT_DOUBLE_EQ(blocks.At(1).LabelX, 1.0);
    EXPECT_DOUBLE_EQ(blocks.At(1).LabelY, 2.0);
}

} // namespace
} // namespace vemo
