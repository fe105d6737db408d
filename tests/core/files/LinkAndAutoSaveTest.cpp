#include "core/files/AutoSave.h"
#include "core/files/ParcelLink.h"

#include "FilesTestUtil.h"
#include "core/files/XyzFile.h"
#include "core/store/BlockList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vemo {
namespace {

using test::PointRow;
using Positions = std::vector<int>;

TEST(ParcelLink, TriangleBlockWithAreaAndPointTypes) {
    XyzList list = test::ListOf(
        {PointRow("1", "0", "0", "", Jp("杭")), PointRow("2", "10", "0"), PointRow("3", "0", "20", "", "KUI")});
    XyzNameIndex index;
    index.Rebuild(list);
    BlockList blocks;
    blocks.Add(Block{"X", "9", 2, 0, 0});
    blocks.Add(Block{Jp("画地"), "1,2,3,1", 5, 0, 0});
    std::string expected = "#2_" + Jp("画地") + "\r\nar     100.0000000\r\n" + "1          " +
                           "       0.000000        0.000000                   " + Jp("杭") + "\r\n" +
                           "2                10.000000        0.000000                     \r\n" +
                           "3                 0.000000       20.000000                  KUI\r\n\r\n";
    EXPECT_EQ(FormatParcelLinkText(blocks, {1}, list, index), expected);

    // A vertex the index does not know stands on the vertex before it: no area, no point type.
    blocks.Add(Block{"M", "1,2,NONE,3,1", 6, 0, 0});
    std::string text = FormatParcelLinkText(blocks, {2}, list, index);
    EXPECT_NE(text.find("ar     100.0000000\r\n"), std::string::npos);
    EXPECT_NE(text.find("NONE             10.000000        0.000000                     \r\n"), std::string::npos);
}

TEST(ParcelLink, ParcelsChosenByBlkOutType) {
    EXPECT_EQ(LinkParcelPositions(0, 3, {}), (Positions{0, 1, 2}));
    EXPECT_EQ(LinkParcelPositions(0, 3, {1}), (Positions{0, 1, 2}));
    EXPECT_EQ(LinkParcelPositions(0, 3, {0, 2}), (Positions{0, 2}));
    EXPECT_EQ(LinkParcelPositions(1, 3, {1}), (Positions{1}));
    EXPECT_EQ(LinkParcelPositions(1, 3, {}), (Positions{}));
    EXPECT_EQ(LinkParcelPositions(5, 2, {1}), (Positions{0, 1}));
}

// The fault: an auto-save that does not say which data set it belongs to, so that a restored list is
// no longer tied to its site and data name.
TEST(AutoSave, RemembersTheDataSetItBelongsTo) {
    test::TempDir exe;
    EXPECT_FALSE(ReadAutoSaveOrigin(exe.Path()).has_value());
    XyzList list = test::ListOf({PointRow("A", "1.000", "2.000")});
    AutoSaveOrigin origin{"/home/s/data", "\x93\x8c\x92\xac", "K1", "", true, false, ""};
    WriteAutoSave(exe.Path(), list, BlockList(), origin);
    const std::optional<AutoSaveOrigin> read = ReadAutoSaveOrigin(exe.Path());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->datDir, origin.datDir);
    EXPECT_EQ(read->caseName, origin.caseName);
    EXPECT_EQ(read->xyzName, "K1");
    EXPECT_EQ(read->blkName, "");
    EXPECT_TRUE(read->pointsModified);
    EXPECT_FALSE(read->parcelsModified);
    EXPECT_EQ(read->savedAt.size(), 19u) << read->savedAt; // "2026/12/09 18:30:15"
}

TEST(AutoSave, WritesBothFilesAndRestoresThem) {
    test::TempDir exe;
    XyzList list = test::ListOf({PointRow("A", "1.000", "2.000"), PointRow("B", "3.000", "4.000")});
    BlockList blocks;
    EXPECT_EQ(AutoSaveRestoreLevel(exe.Path()), 0);
    WriteAutoSave(exe.Path(), list, blocks);
    EXPECT_FALSE(std::filesystem::exists(exe.File("Auto.Blk"))); // no parcels, no parcel file
    EXPECT_EQ(AutoSaveRestoreLevel(exe.Path()), 1);

    blocks.Add(Block{"P", "A,B,A", 4, 0, 0});
    WriteAutoSave(exe.Path(), list, blocks);
    EXPECT_EQ(AutoSaveRestoreLevel(exe.Path()), 2);
    XyzList restored;
    BlockList restoredBlocks;
    EXPECT_EQ(ReadAutoSave(exe.Path(), restored, restoredBlocks), 2);
    EXPECT_EQ(restored.Row(2), (XyzRow{"2", "B", "3.000", "4.000", "0.000", "", ""}));
    EXPECT_EQ(restoredBlocks.At(0).NoList, "A,B,A");

    // The parcels were removed since: the next auto-save drops the old parcel file.
    WriteAutoSave(exe.Path(), list, BlockList());
    EXPECT_EQ(AutoSaveRestoreLevel(exe.Path()), 1);

    // A damaged auto-save changes nothing.
    test::WriteBytes(exe.File("Auto.Xyz"), "A                   bad\r\n");
    EXPECT_THROW(ReadAutoSave(exe.Path(), restored, restoredBlocks), Error);
    EXPECT_EQ(restored.PointRowCount(), 2);
    EXPECT_EQ(restoredBlocks.Count(), 1);
}

} // namespace
} // namespace vemo
