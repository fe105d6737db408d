#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vemo {

class DataTree;
class FileCommands;
class HeaderEditor;
class MainWindow;

// What the file commands need from tools that join later (the parcel editor, the selection panel, the
// calculation window).  Each tool sets its part when it is installed; until then nothing happens.
struct TreeAreaHooks {
    std::function<void()> resetParcelEditor; // new parcels: picking state reset, name box focused
    std::function<void()> parcelsLoaded;     // vertex editor and name box emptied
    std::function<void()> clearSelection;    // selection list emptied and its panel closed
    std::function<void()> closeCalculation;  // the calculation window closed when it is shown
    std::function<std::vector<std::string>()> selectionNames;
    std::function<std::vector<int>()> selectedParcels;
};

// The data tree area of the main window: the tree of site folders, the header (profile) editor window
// and the file commands, connected to the ﾌｧｲﾙ and データツリー commands, the first show (automatic
// restore, command-line file), dropped files, activation and deactivation (link files), the auto-save
// timer, the idle enabling of 開く / 保存 and the selected node kept as SelectedDat.
class TreeArea : public QObject {
    Q_OBJECT
public:
    explicit TreeArea(MainWindow& main);
    ~TreeArea() override;

    DataTree& tree() const { return *tree_; }
    FileCommands& commands() const { return *commands_; }
    // The one header editor window; the parcel area list shows itself in it too.
    HeaderEditor& editor() const { return *editor_; }
    TreeAreaHooks& hooks() { return hooks_; }

    // After the settings dialog changed the data folders: the first becomes DatDir, the pop-up menu
    // shows the three again and the tree is read from the first.
    void applyDataFolders();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectCommands();
    void connectWindow();

    MainWindow& main_;
    TreeAreaHooks hooks_;
    DataTree* tree_ = nullptr;
    HeaderEditor* editor_ = nullptr;
    class Host;
    std::unique_ptr<Host> host_;
    FileCommands* commands_ = nullptr;
};

TreeArea* InstallTreeArea(MainWindow& main);

} // namespace vemo
