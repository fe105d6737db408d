#pragma once

#include <QString>

#include <string>
#include <utility>
#include <vector>

namespace vemo {

// The areas of the main window that the file commands show and hide.
enum class FileArea { DataTree, XyzList, Plot, BlockEdit };

// What the file commands need from the main window and the other tools.  Every answer has a harmless
// default, so the commands work on their own (and in tests) and each tool fills in its part.
class FileCommandHost {
public:
    virtual ~FileCommandHost() = default;

    virtual bool isAreaShown(FileArea) const { return false; }
    // Shows or hides an area without the side effects of its 表示 command.
    virtual void setAreaShown(FileArea, bool) {}
    // The 表示 command: shows a hidden area, hides a shown one, with its side effects (showing the plot
    // rebuilds the name index and fits the view when new coordinates are waiting for it).
    virtual void toggleArea(FileArea) {}

    // A caption of its own (a file outside the data folders, a site alone); the caption otherwise
    // follows the workspace's data names.
    virtual void setCaption(const QString&) {}
    // Status panel 2 ("【データ保存完了】").
    virtual void setStatusText(const QString&) {}

    // New coordinates were loaded or the list was cleared: the plot fits all points when it is next
    // shown (at once when it is shown now).
    virtual void coordinatesLoaded() {}
    // The plot's "全点再表示": rebuild the name index, redraw and fit all points.
    virtual void showAllPoints() {}
    virtual void redrawPlot() {}
    virtual void focusGrid() {}
    // The coordinate grid's cursor as list row and column, kept across a reload of the list.
    virtual std::pair<int, int> gridCursor() const { return {1, 1}; }
    virtual void setGridCursor(int /*row*/, int /*col*/) {}

    // Coordinates exist (created or opened): enable the coordinate list, the plot, the parcel display
    // buttons, "座標選択", the plot and parcel menus, the parcel editor and "新規画地".
    virtual void enableDataCommands() {}
    // The 座標リスト command is enabled: coordinates have been created or opened in this run.
    virtual bool dataCommandsEnabled() const { return true; }

    // New parcels: the parcel editor forgets its picking state and, when shown, focuses its name box.
    virtual void resetParcelEditor() {}
    // Parcels were loaded: the vertex editor is emptied (one empty row) and the name box too.
    virtual void parcelsLoaded() {}

    // New coordinates: the selection list is emptied and its panel closed; the calculation window is
    // closed when it is shown and the list held data.
    virtual void clearSelection() {}
    virtual void closeCalculation() {}
    virtual bool isSelectionPanelShown() const { return false; }
    // The selection list's point names (CP932), for the link file while the selection panel is shown.
    virtual std::vector<std::string> selectionNames() const { return {}; }
    // Positions of the parcels selected in the parcel editor's list.
    virtual std::vector<int> selectedParcels() const { return {}; }
};

} // namespace vemo
