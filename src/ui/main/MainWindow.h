#pragma once

#include "core/settings/Settings.h"
#include "core/store/Store.h"
#include "ui/common/Workspace.h"
#include "ui/main/Command.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPrinter;
class QSplitter;
class QTimer;

namespace vemo {

class AboutBox;
class AreaSlot;
class AutoSaveTimer;
class CommandSet;
class KeyRules;
class LockKeys;
class PlotView;
class StatusPanels;
class ToolRegistry;
class TreeArea;
class XyzListPanel;

// The four areas of the main window, left to right.
enum class Area : int { DataTree, XyzList, Plot, BlockEdit };
constexpr int kAreaCount = 4;

// The main window: the data tree, the coordinate list, the plot (with the selection panel at its left
// edge) and the parcel editor side by side, the menus, the status bar.  The data (store and settings)
// belong to the workspace, which outlives the window.
//
// Windows plug in through the workspace (data and its change signals), the commands (commands().connect
// by id) and the one registry of tools (tools().add: plot click targets and layers, point-name takers,
// the panel a short drag closes, short-drag commands, idle and close rules); docs/architecture.md.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Marks the run as started (Normal = false) in the workspace's settings file.
    explicit MainWindow(Workspace& workspace, QWidget* parent = nullptr);
    ~MainWindow() override;

    Workspace& workspace() { return workspace_; }
    Store& store() { return workspace_.store(); }
    Settings& settings() { return workspace_.settings(); }
    // Native path of "VEMO.ini" and of the program folder (ExeDir).
    const std::string& settingsPath() const { return workspace_.settingsPath(); }
    const std::string& programFolder() const { return workspace_.programFolder(); }
    // Normal as read at start: false means the last run did not end by closing this window, and the
    // first show asks for the automatic restore.
    bool normalAtStart() const { return workspace_.normalAtStart(); }

    ToolRegistry& tools() { return *tools_; }
    // The installed areas (null until installed).
    PlotView* plotView() const;
    XyzListPanel* xyzListPanel() const;
    TreeArea* treeArea() const;
    void setPlotView(PlotView* plot);
    void setXyzListPanel(XyzListPanel* panel);
    void setTreeArea(TreeArea* tree);

    CommandSet& commands() { return *commands_; }
    KeyRules& keyRules() { return *keyRules_; }
    AutoSaveTimer& autoSaveTimer() { return *autoSave_; }
    StatusPanels& statusPanels() { return *status_; }

    AreaSlot* area(Area which) const { return areas_[static_cast<int>(which)]; }
    AreaSlot* selectionPanel() const { return selectionSlot_; }
    bool isAreaShown(Area which) const;
    // The 表示 commands: shows the area when hidden, hides it when shown; a shown coordinate list or
    // parcel editor takes the focus; areaToggled tells the tools.
    void toggleArea(Area which);
    // Shows or hides without side effects; the menu check, tool button and the area's main menu follow.
    void setAreaShown(Area which, bool shown);
    // Width of the area in pixels as the user set it (the settings, then dragging a divider); shown,
    // an area may be wider to show its content whole, or narrower when the window is.
    int areaWidth(Area which) const;
    void setSelectionPanelShown(bool shown);
    bool isSelectionPanelShown() const;

    // UpdateCaption: the caption and the application title from the current names.
    void updateCaption();
    // An explicit caption (a file from outside the data tree).  While data are unsaved, "*" goes before
    // the caption and the status bar says so.
    void setCaptionText(const QString& caption);
    // What tells whether data are unsaved; the mark follows it at idle time and at every caption.
    void setSavedState(std::function<bool()> unsaved) { unsaved_ = std::move(unsaved); }
    void refreshSavedMark();
    bool showsUnsaved() const { return unsavedShown_; }

    void setAboutBox(AboutBox* box) { aboutBox_ = box; }
    void showAbout();

    // The printer every print command uses; "印刷の設定(&R)..." sets it up.
    QPrinter& printer();
    void showPrinterSetup();

    // Idle processing: the Caps / Num panels and the idle rules of the tools.
    void runIdle();

    // Absolute index of the selected data tree node, written as SelectedDat at close.
    void setSelectedTreeNode(std::optional<int> index) { selectedTreeNode_ = index; }

    // Timer on / interval from settings().Data (also after the settings dialog's OK).
    void applyAutoSaveSettings();
    // UpperChr, the auto-save timer and the external programs from the settings (at start and at
    // every settingsChanged of the workspace).
    void applyChangedSettings();

    // Moves the keyboard focus to the next (or previous) control of the window.
    void moveFocus(bool next);

signals:
    void areaVisibilityChanged(vemo::Area area, bool shown);
    // The 表示 command of an area ran (after its visibility changed).
    void areaToggled(vemo::Area area, bool shown);
    // The first show: restoreAutoSave is true when the last run ended abnormally.
    void firstShown(bool restoreAutoSave);
    // The application regained / lost the focus (the first activation after start is ignored).
    void applicationActivated();
    void applicationDeactivated();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void buildToolBars();
    QSize initialWindowSize() const;
    static constexpr int kPlotMinimumWidth = 200;
    // An area is widened to show its content whole up to this width.
    static constexpr int kWidthNeedLimit = 400;
    void connectOwnCommands();
    void registerAreaPanels();
    void applySettings();
    void applyProgramCommands();
    void markRunStarted();
    void writeWindowState();
    void onApplicationState(Qt::ApplicationState state);
    void rememberDraggedWidths();
    int shownWidth(Area which) const;
    void applySplitterSizes();
    int defaultXyzListWidth() const;

    Workspace& workspace_;
    std::optional<int> selectedTreeNode_;

    CommandSet* commands_ = nullptr;
    ToolRegistry* tools_ = nullptr;
    KeyRules* keyRules_ = nullptr;
    AutoSaveTimer* autoSave_ = nullptr;
    StatusPanels* status_ = nullptr;
    LockKeys* lockKeys_ = nullptr;
    QTimer* idleTimer_ = nullptr;
    AboutBox* aboutBox_ = nullptr;
    std::unique_ptr<AboutBox> ownAboutBox_;
    std::unique_ptr<QPrinter> printer_;

    QSplitter* splitter_ = nullptr;
    QWidget* plotContainer_ = nullptr;
    QWidget* filler_ = nullptr;
    std::array<AreaSlot*, kAreaCount> areas_{};
    std::array<int, kAreaCount> widths_{};
    AreaSlot* selectionSlot_ = nullptr;

    QPointer<PlotView> plot_;
    QPointer<XyzListPanel> xyzListPanel_;
    QPointer<TreeArea> treeArea_;
    QString captionBase_;
    std::function<bool()> unsaved_;
    bool unsavedShown_ = false;
    // The first activation after start is only noted.
    bool activatedOnce_ = false;
    bool shownOnce_ = false;
};

} // namespace vemo
