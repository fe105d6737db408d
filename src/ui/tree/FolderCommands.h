#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QTreeWidgetItem;
class QWidget;

namespace vemo {

class DataTree;
class FileCommandHost;
class HeaderEditor;
class Workspace;

// The data tree's folders: the tree read from the data folder, new sites (現場フォルダ作成), renaming
// in place, profiles, the site chosen by a double click and the choice among the data folders.
class FolderCommands {
public:
    // All references must outlive the commands; `window` parents the messages and dialogs.
    FolderCommands(Workspace& workspace, DataTree& tree, HeaderEditor& editor, FileCommandHost& host, QWidget* window);

    // Reads the tree again; the node selected before stays selected when it is still there.
    void rebuildTree();
    void newCase();     // 現場フォルダ作成(&C)
    void rename();      // 名前の変更(&R)
    void editProfile(); // プロフィールの編集(&E)
    void switchDataFolder(const std::string& cp932Folder);
    // A site double-clicked: it becomes the site of the data names, and the caption shows it alone.
    void chooseSite(QTreeWidgetItem* site);

    // A new folder of data below `parent` at `level`, named by the first value of the profile the
    // surveyor fills in (the header editor, captioned `caption`, with a line for `source` when the data
    // name one); nullopt when cancelled.
    struct NewFolder {
        std::string name;
        std::string profile;
    };
    std::optional<NewFolder> askNewFolder(const QString& caption, const std::vector<std::string>& labels,
                                          const std::filesystem::path& parent, int level, std::string_view source = {});

private:
    std::filesystem::path dataFolder() const;
    void showSiteCaption();

    Workspace& workspace_;
    DataTree& tree_;
    HeaderEditor& editor_;
    FileCommandHost& host_;
    QWidget* window_;
};

} // namespace vemo
