#pragma once

#include "core/files/AutoSave.h"
#include "ui/tree/BackgroundWriteStatus.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QTreeWidgetItem;
class QWidget;

namespace vemo {

struct DataNodePath;

class AutoSaver;
class DataTree;
class ExchangeCommands;
class FileCommandHost;
class FolderCommands;
class LinkFileCommands;
class HeaderEditor;
class Workspace;
struct Settings;
class Store;

// The commands that move the native data between the store and the disk: new coordinates and parcels,
// open and open in addition, save at the three tree levels with backups, auto-save and restore, files
// from the command line or dropped.  The data tree's folders are `folders()`, the exchange formats
// `exchange()`, the link files for other programs `linkFiles()`.  Every command shows its own messages
// and confirmations; a failure of the core (vemo::Error) is shown and leaves the store as the core left
// it, which is always whole.
class FileCommands : public QObject {
    Q_OBJECT
public:
    // All references must outlive the commands.  `window` parents the messages and dialogs.
    FileCommands(Workspace& workspace, DataTree& tree, HeaderEditor& editor, FileCommandHost& host, QWidget* window);
    ~FileCommands() override;

    // Data tree (DataTree.cpp builds the nodes; these act on them).
    bool newXyz(bool byUser = true); // 新規座標(&X); false when the user kept the data
    bool newBlk();                   // 新規画地(&B); false when the user kept the parcels
    void nodeDoubleClicked(QTreeWidgetItem* item);

    // Native files.
    void open();          // 開く(&O)...
    void openAdd();       // 開く（追加）
    void save();          // 保存(&S)... at the node selected in the tree
    void restore();       // オートセーブファイルから復元...
    void forceAutoSave(); // オートセーブファイルに強制保存
    void autoSaveTick();  // the timer: the auto-save while AutoSave is on

    // 上書き保存 (Ctrl+S): the open data set, whatever the tree shows; data that were never saved go
    // to 名前を付けて保存.  True when nothing unsaved is left.
    bool saveCurrent();
    // 名前を付けて保存: new coordinate data (and parcel data) in the site of the open data or the site
    // selected in the tree.  True when saved.
    bool saveAs();
    // Whether the points or the parcels differ from what was last opened or saved.
    bool pointsModified() const;
    bool parcelsModified() const;
    // The main window is closing: true when it may (nothing unsaved, or saved, or given up).
    bool confirmClose();
    // Writes the auto-save files a few seconds after every change.
    AutoSaver& autoSaver() { return *autoSaver_; }

    // The data tree's folders: sites, renaming, profiles, the data folder.
    FolderCommands& folders() { return *folders_; }
    // SIMA, 日調連 and any other exchange format.
    ExchangeCommands& exchange() { return *exchange_; }

    // The first show: the automatic restore after an abnormal end, then the command-line file.
    void firstShow(bool restoreAutoSave);
    // Files dropped on the main window (native paths), one after the other.  `handedOver`: the file
    // came from a second start of the program (a double-click on a file, another program opening it),
    // which a refusal says, since the surveyor did nothing in this window.
    void dropFiles(const QStringList& paths, bool handedOver = false);

    // The link files "Xyz.txt" and "Vemo_Blk.Txt" for other programs.
    LinkFileCommands& linkFiles() { return *linkFiles_; }

    // "開く(&O)..." wants a node below the top level; "保存(&S)..." a node, and for a parcel node the
    // parcel editor shown (the idle rules of the main window).
    bool canOpen() const;
    bool canSave() const;

    // Native paths of the folders held in the store.
    std::filesystem::path exeDir() const;
    std::filesystem::path datDir() const;
    std::filesystem::path tmpDir() const;

private:
    enum class OpenMode { Normal, Append, Restore, Outside };
    struct OpenTarget {
        int nodeLevel = 0;
        int restoreLevel = 0;
    };

    // True when coordinates were read.
    bool openAs(OpenMode mode, const std::string& outsideFile = {});
    bool openCoordinates(OpenMode mode, const OpenTarget& target, const std::string& outsideFile);
    void openParcels(OpenMode mode, const OpenTarget& target);
    // The one parcel data beside coordinate data, when the surveyor wants it opened with them.
    std::optional<std::string> offerParcelsOf(const DataNodePath& node);
    void openParamFile();

    QTreeWidgetItem* saveNewXyz(QTreeWidgetItem* site, bool withParcels);
    bool saveXyzOver(QTreeWidgetItem* xyzNode, bool askOverwrite);
    void saveParcelsOver(QTreeWidgetItem* blkNode);
    QTreeWidgetItem* saveNewBlk(QTreeWidgetItem* xyzNode);
    void writeOpenParcels(const std::string& site, const std::string& xyz, bool backup);
    void finishSave(QTreeWidgetItem* node);
    bool saveCurrentData();
    bool saveAsData();
    bool confirmRestoredTarget();
    QTreeWidgetItem* openXyzNode() const;
    QTreeWidgetItem* siteForSaveAs() const;

    // Asks before the points and/or the parcels are given up while they hold unsaved changes: 保存
    // saves (true when it did), 保存しない gives them up, キャンセル keeps everything (false).  Every
    // command asks all its questions before it changes anything.
    bool confirmLoss(bool points, bool parcels);
    void markSaved(bool points, bool parcels);
    void tieRestoredData(int restoreLevel);
    void sayWritten(const QString& prefix);
    QString writtenPointsText(const std::string& xyz) const;
    AutoSaveSnapshot autoSaveSnapshot() const;
    void autoSaveWritten(const QString& error);

    bool ask(const QString& text);
    bool askYesNo(const QString& text);
    void message(const QString& text);
    bool run(const std::function<void()>& command);

    Workspace& workspace_;
    Store& store_;
    Settings& settings_;
    DataTree& tree_;
    HeaderEditor& editor_;
    FileCommandHost& host_;
    QWidget* window_;
    BackgroundWriteStatus autoSaveStatus_;
    // The data came back from an auto-save with unsaved changes: the first 上書き保存 asks before it
    // writes them over the data set they belong to.
    bool restoredUnconfirmed_ = false;
    // What the running command wrote, for the status bar ("境界点.Xyz に 21 点").
    QStringList written_;
    AutoSaver* autoSaver_ = nullptr;
    std::unique_ptr<FolderCommands> folders_;
    std::unique_ptr<ExchangeCommands> exchange_;
    std::unique_ptr<LinkFileCommands> linkFiles_;
    class ChangeWatch;
    std::unique_ptr<ChangeWatch> watch_;
};

} // namespace vemo
