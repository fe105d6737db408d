#include "ui/plot/PlotPick.h"

#include "core/store/BlockList.h"
#include "ui/plot/XyzImagePoints.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(PlotPickTest, NearestDrawnPointWithTheFirstWinningTies) {
    XyzImagePoints drawn;
    EXPECT_FALSE(PickNearestPoint(drawn, 0, 0)); // nothing drawn, nothing picked
    drawn.names = {"P1", "P2", "P3", "P4"};
    drawn.x = {10, 0, 0, 10};
    drawn.y = {0, 10, -10, 0};
    // (0, 0) is 10 m from every point: the first drawn wins.
    EXPECT_EQ(PickNearestPoint(drawn, 0, 0), 0);
    // No distance limit: far away in the south-west the nearest is still found.
    EXPECT_EQ(PickNearestPoint(drawn, -1000, -900), 2);
    EXPECT_EQ(PickNearestPoint(drawn, 1, 9), 1);
}

TEST(PlotPickTest, NearestParcelByItsLabelPoint) {
    BlockList blocks;
    EXPECT_FALSE(PickNearestParcel(blocks, 0, 0));
    blocks.Add(Block{"A", "1,2,3,1", 4, 0, 0});
    blocks.Add(Block{"B", "4,5,6,4", 4, 100, 0});
    blocks.Add(Block{"C", "7,8,9,7", 4, 50, 0});
    EXPECT_EQ(PickNearestParcel(blocks, 80, 5), 1);
    EXPECT_EQ(PickNearestParcel(blocks, 25, 0), 0); // equally far from A and C: A comes first
}

} // namespace
} // namespace vemo
