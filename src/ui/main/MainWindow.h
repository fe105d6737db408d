#pragma once

#include "core/settings/Settings.h"
#include "core/store/Store.h"
#include "ui/main/Command.h"

#include <QMainWindow>

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
class StatusPanels;

// The four areas of the main window, left to right.
enum class Area : int { DataTree, XyzList, Plot, BlockEdit };
constexpr int kAreaCount = 4;

// The main window: the data tree, the coordinate list, the plot (with the selection panel at its left
// edge) and the parcel editor side by side, the menus, the status bar.  It owns the one store and the
// settings read at start; the other windows use both through it.
//
// Later parts plug in here: put the area widgets into area(...) and selectionPanel(), connect the
// commands by id (commands().connect), add idle rules (addIdleHandler), update window state before the
// close writes it (addCloseHandler), and follow the signals below.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Reads the settings file of the program folder (ProgramFolder(): VEMO_HOME or the executable's
    // folder) and marks the run as started (Normal = false).
    explicit MainWindow(QWidget* parent = nullptr);
    MainWindow(const std::string& programFolder, QWidget* parent);
    ~MainWindow() override;

    Store& store() { return store_; }
    Settings& settings() { return settings_; }
    // Native path of "VEMO.ini" and of the program folder (ExeDir).
    const std::string& settingsPath() const { return iniPath_; }
    const std::string& programFolder() const { return programFolder_; }
    // Normal as read at start: false means the last run did not end by closing this window, and the
    // first show asks for the automatic restore.
    bool normalAtStart() const { return normalAtStart_; }

    CommandSet& commands() { return *commands_; }
    KeyRules& keyRules() { return *keyRules_; }
    AutoSaveTimer& autoSaveTimer() { return *autoSave_; }
    StatusPanels& statusPanels() { return *status_; }

    AreaSlot* area(Area which) const { return areas_[static_cast<int>(which)]; }
    AreaSlot* selectionPanel() const { return selectionSlot_; }
    bool isAreaShown(Area which) const;
    // The 表示 commands: shows the area when hidden, hides it when shown, with the side effects of
    // the command (focus, "新規画地", the name index for the parcel editor).
    void toggleArea(Area which);
    // Shows or hides without side effects; the menu check, tool button and the area's main menu follow.
    void setAreaShown(Area which, bool shown);
    // Width of the area in pixels (the remembered width while it is hidden).
    int areaWidth(Area which) const;
    void setSelectionPanelShown(bool shown);
    bool isSelectionPanelShown() const;

    // UpdateCaption: the caption and the application title from the current names.
    void updateCaption();

    void setAboutBox(AboutBox* box) { aboutBox_ = box; }
    void showAbout();

    // The printer every print command uses; "印刷の設定(&R)..." sets it up.
    QPrinter& printer();
    void showPrinterSetup();

    // Idle processing: the Caps / Num panels and every enabling rule added here.
    void addIdleHandler(std::function<void()> handler);
    void runIdle();

    // Run at close before the window state is written (areas update settings().Exit and the like).
    void addCloseHandler(std::function<void()> handler);
    // Absolute index of the selected data tree node, written as SelectedDat at close.
    void setSelectedTreeNode(std::optional<int> index) { selectedTreeNode_ = index; }

    // Timer on / interval from settings().Data (also after the settings dialog's OK).
    void applyAutoSaveSettings();

    // Moves the keyboard focus to the next (or previous) control of the window.
    void moveFocus(bool next);

signals:
    void areaVisibilityChanged(vemo::Area area, bool shown);
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
    QSize InitialWindowSize() const;
    static constexpr int kPlotMinimumWidth = 200;
    void connectOwnCommands();
    void readSettings();
    void applySettings();
    void applyProgramCommands();
    void markRunStarted();
    void writeWindowState();
    void onApplicationState(Qt::ApplicationState state);
    void rememberWidth(Area which);
    void applySplitterSizes();
    int defaultXyzListWidth() const;

    std::string programFolder_;
    std::string iniPath_;
    Store store_;
    Settings settings_;
    bool normalAtStart_ = true;
    std::vector<std::string> startMessages_;
    std::optional<int> selectedTreeNode_;

    CommandSet* commands_ = nullptr;
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

    std::vector<std::function<void()>> idleHandlers_;
    std::vector<std::function<void()>> closeHandlers_;
    // The first activation after start is only noted (the window's tag is 99 until then).
    int activationTag_ = 99;
    bool shownOnce_ = false;
};

} // namespace vemo
