#include "core/store/BlockList.h"

#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vemo {
namespace {

Block Parcel(const std::string& name, const std::string& noList, int rows, double lx, double ly) {
    return Block{name, noList, rows, lx, ly};
}

class Recorder : public BlockListObserver {
public:
    explicit Recorder(const BlockList& list) : list_(list) {}
    std::vector<std::string> log;
    void BlockAboutToBeAdded(int p) override { Add("aboutAdd", p); }
    void BlockAdded(int p) override { Add("added", p); }
    void BlockReplaced(int p) override { Add("replaced", p); }
    void BlockAboutToBeRemoved(int p) override { Add("aboutRemove", p); }
    void BlockRemoved(int p) override { Add("removed", p); }
    void BlocksAboutToReset() override { Add("aboutReset"); }
    void BlocksReset() override { Add("reset"); }

private:
    void Add(const std::string& what, int p = -1) {
        log.push_back(what + (p >= 0 ? " " + std::to_string(p) : "") + " @" + std::to_string(list_.Count()));
    }
    const BlockList& list_;
};

TEST(BlockList, RemovingTheFirstOfThreeKeepsEachParcelWhole) {
    BlockList list;
    list.Add(Parcel("A", "1,2,3,1", 4, 1, 2));
    list.Add(Parcel("B", "4,5,6,4", 5, 3, 4));
    list.Add(Parcel("C", "7,8,9,10,7", 6, 5, 6));
    list.Remove(0);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(0).BlockName, "B");
    EXPECT_EQ(list.At(0).NoList, "4,5,6,4");
    EXPECT_EQ(list.At(0).NoRowCount, 5);
    EXPECT_EQ(list.At(0).LabelX, 3);
    EXPECT_EQ(list.At(0).LabelY, 4);
    EXPECT_EQ(list.At(1).BlockName, "C");
    EXPECT_EQ(list.At(1).NoList, "7,8,9,10,7");
    EXPECT_EQ(list.At(1).NoRowCount, 6);
    EXPECT_EQ(list.At(1).LabelX, 5);
    EXPECT_EQ(list.At(1).LabelY, 6);
    EXPECT_THROW(list.Remove(2), std::out_of_range);
    EXPECT_THROW(list.Replace(-1, Block{}), std::out_of_range);
}

TEST(BlockList, ObserversBracketEachChange) {
    BlockList list;
    Recorder recorder(list);
    list.AddObserver(&recorder);
    list.Add(Parcel("A", "1", 1, 0, 0));
    list.Add(Parcel("B", "2", 1, 0, 0));
    list.Replace(1, Parcel("B2", "2", 1, 0, 0));
    list.Remove(0);
    list.Clear();
    EXPECT_EQ(recorder.log,
              (std::vector<std::string>{"aboutAdd 0 @0", "added 0 @1", "aboutAdd 1 @1", "added 1 @2", "replaced 1 @2",
                                        "aboutRemove 0 @2", "removed 0 @1", "aboutReset @1", "reset @0"}));
}

TEST(BlockList, RefusesToPassTheParcelLimitAndChangesNothing) {
    BlockList list;
    std::vector<Block> full;
    for (int i = 0; i < kMaxBlocks; ++i) {
        full.push_back(Parcel("B" + std::to_string(i), "1,2,3,1", 4, 0, 0));
    }
    list.ReplaceAll(full);
    Recorder recorder(list);
    list.AddObserver(&recorder);
    try {
        list.Add(Parcel("X", "1", 1, 0, 0));
        FAIL() << "a parcel past the limit was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), Jp("画地数が上限（1000画地）を超えるため追加できません"));
    }
    full.push_back(Parcel("X", "1", 1, 0, 0));
    EXPECT_THROW(list.ReplaceAll(full), Error);
    EXPECT_EQ(list.Count(), kMaxBlocks);
    EXPECT_EQ(list.At(kMaxBlocks - 1).BlockName, "B999");
    EXPECT_TRUE(recorder.log.empty());
}

TEST(BlockList, LabelPointIsTheMeanOfTheVerticesFound) {
    XyzList points;
    points.ReplaceAll(
        {{"", "1", "0", "0", "", "", ""}, {"", "2", "10", "0", "", "", ""}, {"", "3", "10", "10.0004", "", "", ""}});
    XyzNameIndex index;
    index.Rebuild(points);

    // The closing repetition of vertex 1 counts; "9" is unknown and left out.
    Block block = Parcel("A", "1,2,3,1,9", 5, -1, -1);
    ComputeLabelPoint(block, index);
    EXPECT_DOUBLE_EQ(block.LabelX, 5.0);
    EXPECT_DOUBLE_EQ(block.LabelY, 2.5); // 10.0004 comes out of the index as 10.000

    Block none = Parcel("N", "", 0, -1, -1);
    ComputeLabelPoint(none, index);
    EXPECT_EQ(none.LabelX, 0.0);
    EXPECT_EQ(none.LabelY, 0.0);
}

} // namespace
} // namespace vemo
