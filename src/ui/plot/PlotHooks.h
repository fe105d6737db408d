#pragma once

#include <QString>

#include <string>

namespace vemo {

class PlotCanvas;

// The four directions of a plain left drag on the plot.
enum class PlotDirection { Up = 0, Left = 1, Right = 2, Down = 3 };

// What the plot needs to know from the main window and its tools.  Every answer has a harmless
// default, so the plot works on its own and each tool fills in its part when it arrives.
class PlotHost {
public:
    virtual ~PlotHost() = default;

    // Paint step 4: while the coordinate list has the focus and its cursor row's X and Y are filled,
    // the name of that row's point (CP932); empty otherwise.
    virtual std::string ListCursorPointName() const { return {}; }
    // The parcel editor is shown: registered parcels are drawn whatever "画地表示" says, in full colour.
    virtual bool ParcelEditorShown() const { return false; }
    // A short drag (31-99 pixels) in a direction: the hint "short|long" that names the command a
    // release would run, or an empty text when the direction does nothing at the moment
    // (up: "画地登録" / "座標登録"; left: "逆座標計算" / "クリア"; right: "垂線長計算" / "クリア";
    // down: the panel that would be closed, e.g. "座標リスト閉じる").
    virtual QString ShortDragHint(PlotDirection) const { return {}; }
    // Runs that command.
    virtual void ShortDragCommand(PlotDirection) {}
};

// A tool that takes point names (or parcels) from clicks on the plot: the selection list, the
// calculation window, the parcel editor and the coordinate list.  The plot asks the targets in their
// order (lowest first) and hands the click to the first that accepts it.
class PlotClickTarget {
public:
    virtual ~PlotClickTarget() = default;

    // The parcel editor with its parcel list focused takes the parcel whose label point is nearest.
    virtual bool AcceptsParcelClick() const { return false; }
    virtual void ParcelClicked(int /*position*/) {}
    // Otherwise the name of the nearest drawn point goes to the first target that accepts it.
    virtual bool AcceptsPointClick() const = 0;
    virtual void PointClicked(const std::string& cp932Name) = 0;
};

// The usual order of the click targets, after the first applicable case of the click dispatch.
namespace PlotClickOrder {
inline constexpr int kSelection = 10;
inline constexpr int kCalculation = 20;
inline constexpr int kParcelEditor = 30;
inline constexpr int kCoordinateList = 40;
} // namespace PlotClickOrder

// Something the paint procedure draws over the points at every repaint (the ring being edited, the
// selection, the geometry of the calculation in progress).  Layers paint in their order.
class PlotLayer {
public:
    virtual ~PlotLayer() = default;
    virtual void PaintLayer(PlotCanvas& canvas) = 0;
};

namespace PlotLayerOrder {
inline constexpr int kParcelEditor = 6;
inline constexpr int kSelection = 8;
inline constexpr int kCalculation = 9;
} // namespace PlotLayerOrder

} // namespace vemo
