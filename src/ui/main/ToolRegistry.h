#pragma once

#include "ui/plot/PlotHooks.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace vemo {

class PlotView;

// Where a point name offered to the tools comes from.
enum class PointSource { PlotClick, GridRow };

// A panel that a short downward drag on the plot closes: of all shown panels, the lowest order.
struct ClosablePanel {
    int order = 0;
    QString hint; // "short|long", e.g. "座標リスト閉じる|座標リスト閉じる"
    std::function<bool()> shown;
    std::function<void()> close;
};

namespace PanelOrder {
inline constexpr int kSelection = 10;
inline constexpr int kCalculation = 20;
inline constexpr int kParcelEditor = 30;
inline constexpr int kCoordinateList = 40;
inline constexpr int kDataTree = 50;
} // namespace PanelOrder

// A short drag (31-99 pixels) up, left or right: the hint "short|long" of what a release would run,
// empty while the tool has nothing to do in that direction; the first tool (lowest order) with a
// hint runs the command.
struct ShortDrag {
    int order = 0;
    std::function<QString(PlotDirection)> hint;
    std::function<void(PlotDirection)> run;
};

// A taker of point names: a click on a plotted point or on a row of the coordinate list offers the
// point's name (CP932) to the takers in their order (PlotClickOrder), and the first that accepts it
// (usually: the one whose field has the focus) gets it.
struct PointNameTaker {
    int order = 0;
    std::function<bool(PointSource)> accepts;
    std::function<void(const std::string& cp932Name)> take;
};

// What the file commands tell the tools, and ask them.
struct FileEvents {
    // New parcels: the parcel editor forgets its picking state (and focuses its name box when shown).
    std::function<void()> newParcels;
    // Parcels were read: the vertex editor and the name box are emptied.
    std::function<void()> parcelsLoaded;
    // New coordinates: the selection list empties and closes itself.
    std::function<void()> clearSelection;
    // New coordinates over a list that held data: the calculation window closes when shown.
    std::function<void()> closeCalculation;
    // The selection list's point names (CP932), for the link file; the positions of the parcels
    // selected in the parcel editor's list.
    std::function<std::vector<std::string>()> selectionNames;
    std::function<std::vector<int>()> selectedParcels;
};

// What one window or panel offers the rest of the program.  Every part is optional.
struct ToolRegistration {
    // Plot: a click target of its own (for parcel clicks; point names go through `pointNames`) and
    // a layer painted over the points at every repaint, each in its order (PlotClickOrder,
    // PlotLayerOrder).  The plot does not own them.
    PlotClickTarget* clickTarget = nullptr;
    int clickOrder = 0;
    PlotLayer* layer = nullptr;
    int layerOrder = 0;
    std::optional<ClosablePanel> panel;
    std::optional<ShortDrag> shortDrag;
    std::optional<PointNameTaker> pointNames;
    // Idle rule: enabling of commands and the like, run a few times a second.  A rule that throws is
    // shown once and dropped.
    std::function<void()> idle;
    // Close rule: run when the main window closes, before the window state is written.
    std::function<void()> close;
    FileEvents files;
};

// The one registry of the tools.  A registration lives as long as its owner: when the owner is
// destroyed, everything it registered is withdrawn (also from the plot), so no tool is asked after
// it is gone.  The plot may be installed before or after the tools.
class ToolRegistry : public QObject {
    Q_OBJECT
public:
    explicit ToolRegistry(QObject* parent = nullptr);
    ~ToolRegistry() override;

    void add(QObject* owner, ToolRegistration registration);
    void remove(QObject* owner);
    void setPlot(PlotView* plot);

    // The hint and the command of a short drag in a direction (down: the panel to close).
    QString shortDragHint(PlotDirection direction) const;
    void runShortDrag(PlotDirection direction);
    // Offers a point name to the takers; false when none took it.
    bool offerPointName(PointSource source, const std::string& cp932Name);

    // The file events, told to every tool that listens; the answers of the first tool that gives one.
    void tellFiles(void (*tell)(const FileEvents&));
    std::vector<std::string> selectionNames() const;
    std::vector<int> selectedParcels() const;

    void runIdle(QWidget* messageParent);
    void runClose(QWidget* messageParent);

private:
    struct Entry;
    const ClosablePanel* panelToClose() const;
    const ShortDrag* dragFor(PlotDirection direction) const;
    void attach(Entry& entry);
    void detach(Entry& entry);

    std::vector<std::unique_ptr<Entry>> entries_;
    QPointer<PlotView> plot_;
};

} // namespace vemo
