#pragma once

// A data folder on disk, a store and the file commands with a host that records what the main window
// would have been asked to do.  Messages are captured, not shown.

#include "core/files/FileFormat.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/Settings.h"
#include "core/store/Store.h"
#include "support/TempDir.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Workspace.h"
#include "ui/tree/DataTree.h"
#include "ui/tree/ExchangeCommands.h"
#include "ui/tree/FileCommandHost.h"
#include "ui/tree/FileCommands.h"
#include "ui/tree/FileDialog.h"
#include "ui/tree/FolderCommands.h"
#include "ui/tree/HeaderEditor.h"
#include "ui/tree/LinkFileCommands.h"

#include <filesystem>
#include <map>
#include <string>

namespace vemo::test {

class FakeHost : public FileCommandHost {
public:
    bool isAreaShown(FileArea area) const override { return shown.count(area) > 0 && shown.at(area); }
    void setAreaShown(FileArea area, bool on) override { shown[area] = on; }
    void toggleArea(FileArea area) override {
        shown[area] = !isAreaShown(area);
        if (area == FileArea::Plot && shown[area]) {
            ++plotFits;
        }
    }
    void setCaption(const QString& text) override { caption = text; }
    void setStatusText(const QString& text) override { status = text; }
    void coordinatesLoaded() override { ++loads; }
    void showAllPoints() override { ++allPoints; }
    void redrawPlot() override { ++redraws; }
    void enableDataCommands() override { dataEnabled = true; }
    bool dataCommandsEnabled() const override { return dataEnabled; }
    void parcelsLoaded() override { ++parcelLoads; }
    bool isSelectionPanelShown() const override { return selectionShown; }
    std::vector<std::string> selectionNames() const override { return selection; }
    std::pair<int, int> gridCursor() const override { return cursor; }
    void setGridCursor(int row, int col) override { cursor = {row, col}; }

    std::map<FileArea, bool> shown;
    int plotFits = 0;
    QString caption;
    QString status;
    int loads = 0;
    int allPoints = 0;
    int redraws = 0;
    bool dataEnabled = false;
    int parcelLoads = 0;
    bool selectionShown = false;
    std::vector<std::string> selection;
    std::pair<int, int> cursor{1, 1};
};

// Program folder, data folder "data" and link folder "tmp" below one temporary folder.
struct TreeHarness {
    TreeHarness() : TreeHarness(std::make_shared<TempDir>()) {}
    // A second run over the same folders (after a simulated end of the program).
    explicit TreeHarness(std::shared_ptr<TempDir> folder)
        : dir(std::move(folder)), workspace(dir->Str()), commands(workspace, tree, editor, host, nullptr) {
        std::filesystem::create_directories(DatDir());
        std::filesystem::create_directories(TmpDir());
        store.names.ExeDir = PathToCp932(dir->Str());
        store.names.DatDir = PathToCp932(DatDir().string());
        store.names.TmpDir = PathToCp932(TmpDir().string());
        MessageBox::SetCapture(true);
        MessageBox::ClearShownTexts();
        HeaderEditor::clearResponders();
        commands.folders().rebuildTree();
    }
    ~TreeHarness() {
        HeaderEditor::clearResponders();
        MessageBox::ClearShownTexts();
    }

    std::filesystem::path DatDir() const { return dir->Path() / "data"; }
    std::filesystem::path TmpDir() const { return dir->Path() / "tmp"; }
    std::filesystem::path ExeDir() const { return dir->Path(); }

    std::shared_ptr<TempDir> dir;
    Workspace workspace;
    Store& store = workspace.store();
    Settings& settings = workspace.settings();
    DataTree tree;
    HeaderEditor editor;
    FakeHost host;
    FileCommands commands;
};

// Folders and files below the data folder, names in UTF-8 as on disk.
void MakeFolder(const std::filesystem::path& path);
void CopyFixture(const std::string& fixture, const std::filesystem::path& to);
// The site "東町" with coordinate data "基準点" (file from genba.Xyz) holding parcel data "分筆"
// (genba.Blk), and coordinate data "未保存" without its file.
void MakeSampleSite(const std::filesystem::path& datDir);
// The tree node with that UTF-8 path ("東町/基準点"), or nullptr.
QTreeWidgetItem* FindNode(const DataTree& tree, const std::string& utf8Path);
std::string Cp(const char* utf8);
QStringList Shown();

} // namespace vemo::test
