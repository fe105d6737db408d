#pragma once

#include "core/calc/CalcOverlay.h"

#include <QPoint>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace vemo {

class Store;

// What the calculation window needs from the rest of the program.  The installer fills it from the
// main window and the plot; every part may stay empty.
struct CalcHost {
    Store* store = nullptr;
    std::function<void()> repaintPlot;                      // overlays changed
    std::function<void()> pointsRegistered;                 // the list grew: rebuild, redraw
    std::function<void(const std::string&)> highlightPoint; // "" removes the highlight
    std::function<std::string()> resultTxtPath;             // TmpDir + "Result.Txt" (native path)
    std::function<bool()> upperCase;                        // UpperChr now (empty: on)
    // The parcel editor: whether it is shown, the vertex rows of its open parcel (entry row included),
    // and clearing it after the grid was registered as a parcel.
    std::function<bool()> parcelEditorShown;
    std::function<std::vector<std::string>()> openParcelNames;
    std::function<void()> clearParcelEditor;
    // The coordinate selection (座標選択) of the main window: the names it holds while it is shown
    // (empty when hidden), and its toggle command.
    std::function<std::vector<std::string>()> selectedPoints;
    std::function<void()> toggleSelection;
    // The top-left corner of the plot on the screen, where the small registration dialogs open.
    std::function<QPoint()> plotTopLeft;
    // Sends named points of the list to the instrument over the serial line (ZUB coordinate records);
    // empty when the program has no serial window.
    std::function<void(const std::vector<std::string>&)> sendPoints;
    // 逆座標 starts in the radial layout (放射型) rather than the open one.
    bool radialInverse = false;
};

// One tab of the calculation window.  A page owns its inputs and results; the window switches pages,
// asks them for the overlay to draw and hands them point names clicked on the plot or in the list.
class CalcPage : public QWidget {
    Q_OBJECT
public:
    CalcPage(CalcHost& host, QWidget* parent = nullptr) : QWidget(parent), host_(host) {}

    // Window caption while the tab is selected; empty leaves the caption as it is.
    virtual QString caption() const { return {}; }
    // Every input back to its initial text, results and overlay emptied.
    virtual void clear() {}
    // The focus into the first input of the tab.
    virtual void focusFirstInput() {}
    // The coordinate list changed: the results follow it, without messages (the surveyor is editing
    // the list, not this tab).
    virtual void refresh() {}
    // Enabling of the commands that depend on other windows (run while the window is idle).
    virtual void updateEnabling() {}
    // A point name from a plot click or a row of the coordinate list: true when the page took it.
    virtual bool takePointName(const std::string& /*cp932*/) { return false; }
    // 登録 of the results, for tabs whose row registers them on a short upward drag.
    virtual void registerResults() {}
    // What the plot draws while the tab is shown.
    const CalcOverlay& overlay() const { return overlay_; }

signals:
    void overlayChanged();
    // The window's close command (閉じる, ｷｬﾝｾﾙ).
    void closeRequested();

protected:
    void setOverlay(CalcOverlay overlay) {
        overlay_ = std::move(overlay);
        emit overlayChanged();
    }
    CalcHost& host_;

private:
    CalcOverlay overlay_;
};

} // namespace vemo
