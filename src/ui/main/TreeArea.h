#pragma once

#include <QObject>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vemo {

class DataTree;
class FileCommands;
class HeaderEditor;
class MainWindow;

// The data tree area of the main window: the tree of site folders, the header (profile) editor window
// and the file commands, connected to the ﾌｧｲﾙ and データツリー commands, the first show (automatic
// restore, command-line file), dropped files, activation and deactivation (link files), the auto-save
// timer, the idle enabling of 開く / 保存 and the selected node kept as SelectedDat.  What the file
// commands tell other tools (new parcels, parcels loaded, new coordinates) goes to the FileEvents of
// the tool registry.
class TreeArea : public QObject {
    Q_OBJECT
public:
    explicit TreeArea(MainWindow& main);
    ~TreeArea() override;

    DataTree& tree() const { return *tree_; }
    FileCommands& commands() const { return *commands_; }
    // The one header editor window; the parcel area list shows itself in it too.
    HeaderEditor& editor() const { return *editor_; }

    // The data folders of the settings: the pop-up menu shows the three.  The tree is read again only
    // when the folder it shows is no longer among them (then from the first); a settings change that
    // leaves the folders as they were keeps the tree, the folder in use and the selected node.
    void applyDataFolders();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectCommands();
    void connectWindow();

    MainWindow& main_;
    DataTree* tree_ = nullptr;
    HeaderEditor* editor_ = nullptr;
    class Host;
    std::unique_ptr<Host> host_;
    FileCommands* commands_ = nullptr;
    std::array<std::string, 3> shownFolders_;
    bool foldersShown_ = false;
};

TreeArea* InstallTreeArea(MainWindow& main);

} // namespace vemo
