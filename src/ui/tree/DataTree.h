#pragma once

#include "core/files/DataFolders.h"

#include <QString>
#include <QWidget>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vemo {

// Where a node of the data tree lies: its level (0 site, 1 coordinate data, 2 parcel data) and the
// names on the way down to it (CP932, as the folders are named inside the system).
struct DataNodePath {
    int level = -1; // -1: no node
    std::string site;
    std::string xyz;
    std::string blk;
};

// The data tree: the site folders of the data folder root with their coordinate data and parcel data,
// as folders on disk (files are never nodes), with the expand / collapse-all button below it and the
// pop-up menu of data folders and file commands.  Node texts are held as their CP932 bytes, so a folder
// name is never changed by showing it.
class DataTree : public QWidget {
    Q_OBJECT
public:
    explicit DataTree(QWidget* parent = nullptr);

    // Removes every node and reads the folders below `datDir` (a native path) again.
    void rebuild(const std::filesystem::path& datDir);
    const std::filesystem::path& dataFolder() const { return datDir_; }

    QTreeWidget* view() const { return tree_; }
    QPushButton* expandButton() const { return expand_; }

    // The selected node, or nullptr.
    QTreeWidgetItem* selectedItem() const;
    DataNodePath selectedPath() const;
    static DataNodePath pathOf(const QTreeWidgetItem* item);
    static int levelOf(const QTreeWidgetItem* item);
    static std::string nameOf(const QTreeWidgetItem* item);
    static DataIcon iconOf(const QTreeWidgetItem* item);
    // Data saved under a node whose data file was missing: it gets the icon of its level.
    void setNodeIcon(QTreeWidgetItem* item, DataIcon icon);
    void select(QTreeWidgetItem* item);

    // Nodes added by the program after saving or creating data (the tree is not rebuilt for them).
    QTreeWidgetItem* addSite(const std::string& name);
    QTreeWidgetItem* addChild(QTreeWidgetItem* parent, const std::string& name);
    QTreeWidgetItem* findSite(const std::string& name) const;
    static QTreeWidgetItem* childNamed(const QTreeWidgetItem* parent, const std::string& name);
    // The node of a path (as selectedPath gives it), or nullptr when the tree has none.
    QTreeWidgetItem* findNode(const DataNodePath& path) const;

    // Nodes counted in tree order, collapsed ones included (what SelectedDat stores).
    int nodeCount() const;
    std::optional<int> selectedAbsoluteIndex() const;
    void selectAbsoluteIndex(int index);

    // "<< + >>": every site expanded with all below it; ">> - <<": all collapsed.
    void toggleExpandAll();
    bool allExpanded() const { return allExpanded_; }

    // Starts editing the selected node's text in place; the folder is renamed when editing ends.
    void startRename();
    // Renames the node's folder (and data file) on disk; on failure shows "ディレクトリ名が重複して
    // いるかまたは不正です" and the node keeps its old text.  True when renamed.
    bool renameNode(QTreeWidgetItem* item, const std::string& newName);

    // The pop-up menu: the three data folders (CP932 captions, the active one marked) and then the
    // command groups given, separated.
    void setDataFolders(const std::array<std::string, 3>& folders, int active);
    void setActiveFolder(int index);
    int activeFolder() const { return activeFolder_; }
    void setPopupGroups(std::vector<std::vector<QAction*>> groups);
    QMenu* popupMenu() const { return menu_; }
    QAction* folderAction(int index) const { return folderActions_[static_cast<size_t>(index)]; }

signals:
    void nodeDoubleClicked(QTreeWidgetItem* item);
    // A data folder entry with a caption was chosen; the owner sets DatDir and rebuilds.
    void dataFolderChosen(int index, const std::string& cp932Folder);
    void selectionChanged();

private:
    QTreeWidgetItem* makeItem(const std::string& name, int level, DataIcon icon);
    void onItemChanged(QTreeWidgetItem* item, int column);
    void rebuildMenu();
    void chooseFolder(int index);

    QTreeWidget* tree_;
    QPushButton* expand_;
    QMenu* menu_;
    std::filesystem::path datDir_;
    bool allExpanded_ = false;
    std::array<std::string, 3> folders_;
    std::array<QAction*, 3> folderActions_{};
    int activeFolder_ = 0;
    std::vector<std::vector<QAction*>> groups_;
};

} // namespace vemo
