// The adjusted new points go into the coordinate list under the new-point rule, as one undo step.
#include "core/network/RegisterNetwork.h"
#include "core/network/AdjustNetwork.h"
#include "core/store/Store.h"
#include "core/text/Error.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

// Two new points, N1 and N2, adjusted (their coordinates as the adjustment gives them).
struct Adjusted {
    Network network;
    NetworkAdjustment adjustment;
    Adjusted() {
        for (const char* name : {"K1", "N1", "N2"}) {
            NetworkPoint p;
            p.name = name;
            p.role = name[0] == 'K' ? NetworkPointRole::Fixed : NetworkPointRole::Adjusted;
            network.points.push_back(p);
        }
        AdjustedNetworkPoint a;
        a.point = 1;
        a.x = -52100.12345;
        a.y = 18400.9996;
        adjustment.points.push_back(a);
        a.point = 2;
        a.x = -52010.5;
        a.y = 18555.25;
        adjustment.points.push_back(a);
    }
};

// A point row; the first one takes the empty row a new list starts with.
void AddRow(Store& store, const char* name, const char* x, const char* y) {
    const XyzRow row{"", name, x, y, "0.000", "", ""};
    if (store.xyz.PointRowCount() == 1 && store.xyz.Cell(1, kColName).empty()) {
        store.xyz.SetRow(1, row);
    } else {
        store.xyz.AppendRows({row});
    }
}

TEST(RegisterNetwork, NewPointsGoInAsOneUndoStepAndKnownPointsStayUntouched) {
    Store store;
    AddRow(store, "K1", "-52000.000", "18000.000");
    store.history.Clear();
    const Adjusted a;
    EXPECT_EQ(RegisterNetworkPoints(store, a.network, a.adjustment), 2);
    ASSERT_EQ(store.xyz.PointRowCount(), 3);
    EXPECT_EQ(store.xyz.Cell(2, kColName), "N1");
    EXPECT_EQ(store.xyz.Cell(2, kColX), "-52100.123");
    EXPECT_EQ(store.xyz.Cell(2, kColY), "18401.000");
    EXPECT_EQ(store.xyz.Cell(2, kColBiko), "Net:");
    EXPECT_EQ(store.xyz.Cell(3, kColName), "N2");
    store.history.Undo();
    EXPECT_EQ(store.xyz.PointRowCount(), 1);
    EXPECT_FALSE(store.history.CanUndo());

    // Registered again onto the same coordinates: nothing to write.
    store.history.Redo();
    EXPECT_EQ(RegisterNetworkPoints(store, a.network, a.adjustment), 0);
}

TEST(RegisterNetwork, ANameHeldByAPointIsReplacedOnlyWhenTheSurveyorAgrees) {
    Store store;
    AddRow(store, "N2", "-52011.000", "18556.000");
    store.history.Clear();
    const Adjusted a;
    std::vector<std::string> asked;
    EXPECT_THROW(RegisterNetworkPoints(store, a.network, a.adjustment,
                                       [&](const std::vector<std::string>& held) {
                                           asked = held;
                                           return false;
                                       }),
                 Error);
    EXPECT_EQ(asked, std::vector<std::string>{"N2"});
    EXPECT_EQ(store.xyz.PointRowCount(), 1); // nothing written
    EXPECT_EQ(store.xyz.Cell(1, kColX), "-52011.000");
    EXPECT_EQ(RegisterNetworkPoints(store, a.network, a.adjustment, [](const auto&) { return true; }), 2);
    EXPECT_EQ(store.xyz.Cell(1, kColX), "-52010.500");
    EXPECT_EQ(store.xyz.PointRowCount(), 2);
}

} // namespace
} // namespace vemo
