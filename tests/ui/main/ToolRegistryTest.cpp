// The one registry of what tools offer: order decides, the focus (accepts) decides among the ordered,
// and a tool that is gone is never asked again.
#include "ui/main/ToolRegistry.h"
#include "core/store/Store.h"
#include "ui/plot/PlotView.h"

#include <QObject>

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace vemo::test {
namespace {

struct Taker {
    int order;
    bool accepts;
};

TEST(ToolRegistry, APointNameGoesToTheFirstTakerInOrderThatAcceptsIt) {
    // The calculation window (20) has the focus; the selection list (10) does not; the list (40) would.
    const Taker takers[] = {{40, true}, {10, false}, {20, true}};
    ToolRegistry tools;
    std::vector<std::unique_ptr<QObject>> owners;
    std::vector<std::string> got(3);
    for (int i = 0; i < 3; ++i) {
        owners.push_back(std::make_unique<QObject>());
        ToolRegistration r;
        r.pointNames = PointNameTaker{takers[i].order, [accepts = takers[i].accepts](PointSource) { return accepts; },
                                      [&got, i](const std::string& name) { got[i] = name; }};
        tools.add(owners.back().get(), std::move(r));
    }
    EXPECT_TRUE(tools.offerPointName(PointSource::GridRow, "K1"));
    EXPECT_EQ(got, (std::vector<std::string>{"", "", "K1"}));
    // The taker at 20 closes: the list gets the next name; with it gone too, nobody takes one.
    owners[2].reset();
    EXPECT_TRUE(tools.offerPointName(PointSource::PlotClick, "K2"));
    EXPECT_EQ(got[0], "K2");
    owners[0].reset();
    EXPECT_FALSE(tools.offerPointName(PointSource::PlotClick, "K3"));
}

TEST(ToolRegistry, AShortDownwardDragClosesTheFirstShownPanelAndOtherDragsGoToTheirTool) {
    ToolRegistry tools;
    QObject owner;
    bool selectionShown = false;
    bool listShown = true;
    int closed = 0;
    for (auto [order, shown, name] :
         {std::tuple{10, &selectionShown, "座標選択"}, std::tuple{40, &listShown, "リスト"}}) {
        ToolRegistration r;
        r.panel = ClosablePanel{order, QString::fromUtf8(name), [shown] { return *shown; },
                                [&closed, shown] { *shown = false, ++closed; }};
        tools.add(&owner, std::move(r));
    }
    PlotDirection ran = PlotDirection::Down;
    ToolRegistration drag;
    drag.shortDrag = ShortDrag{
        20, [](PlotDirection d) { return d == PlotDirection::Left ? QStringLiteral("クリア|クリア") : QString(); },
        [&ran](PlotDirection d) { ran = d; }};
    tools.add(&owner, std::move(drag));

    EXPECT_EQ(tools.shortDragHint(PlotDirection::Down), QStringLiteral("リスト"));
    selectionShown = true;
    EXPECT_EQ(tools.shortDragHint(PlotDirection::Down), QStringLiteral("座標選択"));
    tools.runShortDrag(PlotDirection::Down);
    EXPECT_FALSE(selectionShown);
    EXPECT_TRUE(listShown);
    EXPECT_EQ(closed, 1);

    EXPECT_EQ(tools.shortDragHint(PlotDirection::Left), QStringLiteral("クリア|クリア"));
    EXPECT_EQ(tools.shortDragHint(PlotDirection::Right), QString());
    tools.runShortDrag(PlotDirection::Right); // nobody offers it: nothing runs
    EXPECT_EQ(ran, PlotDirection::Down);
    tools.runShortDrag(PlotDirection::Left);
    EXPECT_EQ(ran, PlotDirection::Left);
}

// The plot may come before or after a tool, and may go before it: a layer is painted while both live.
TEST(ToolRegistry, LayersReachThePlotWhicheverComesFirst) {
    struct CountingLayer : PlotLayer {
        int painted = 0;
        void PaintLayer(PlotCanvas&) override { ++painted; }
    };
    Store store;
    store.xyz.ReplaceAll({{"", "A", "0", "0", "", "", ""}, {"", "B", "10", "10", "", "", ""}});
    CountingLayer layer;
    ToolRegistry tools;
    QObject owner;
    ToolRegistration r;
    r.layer = &layer;
    tools.add(&owner, std::move(r));
    {
        PlotView plot(store);
        plot.resize(200, 200);
        tools.setPlot(&plot);
        plot.FitAll();
        plot.grab();
        EXPECT_EQ(layer.painted, 1);
    }
    // The plot is gone; withdrawing the tool must not touch it.
    tools.remove(&owner);
    EXPECT_EQ(layer.painted, 1);
}

} // namespace
} // namespace vemo::test
