#pragma once

#include "core/files/AutoSave.h"
#include "core/files/LinkFileState.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QTreeWidgetItem;
class QWidget;

namespace vemo {

struct ForeignData;

class AutoSaver;
class DataTree;
class FileCommandHost;
class HeaderEditor;
struct Settings;
class Store;

// The commands that move site data between the store and the disk: new site folder, new coordinates
// and parcels, profiles, open and open in addition, save at the three tree levels with backups,
// auto-save and restore, SIMA and 日調連, files from the command line or dropped, and the link files
// for other programs.  Every command shows its own messages and confirmations; a failure of the core
// (vemo::Error) is shown and leaves the store as the core left it, which is always whole.
class FileCommands : public QObject {
    Q_OBJECT
public:
    // All references must outlive the commands.  `window` parents the messages and dialogs.
    FileCommands(Store& store, Settings& settings, DataTree& tree, HeaderEditor& editor, FileCommandHost& host,
                 QWidget* window);
    ~FileCommands() override;

    // Data tree (DataTree.cpp builds the nodes; these act on them).
    void rebuildTree();
    void newCase();                  // 現場フォルダ作成(&C)
    bool newXyz(bool byUser = true); // 新規座標(&X); false when the user kept the data
    bool newBlk();                   // 新規画地(&B); false when the user kept the parcels
    void rename();                   // 名前の変更(&R)
    void editProfile();              // プロフィールの編集(&E)
    void nodeDoubleClicked(QTreeWidgetItem* item);
    void switchDataFolder(const std::string& cp932Folder);

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

    // SIMA and 日調連.
    void openSima();
    void openNichoren();
    void saveSima();
    void saveNichoren();
    // The selection panel's buttons: the selection list's names (CP932) in order.
    void saveSelectionSima(const std::vector<std::string>& names);
    void saveSelectionNichoren(const std::vector<std::string>& names);

    // The first show: the automatic restore after an abnormal end, then the command-line file.
    void firstShow(bool restoreAutoSave);
    // Files dropped on the main window (native paths), one after the other.
    void dropFiles(const QStringList& paths);

    // The link files "Xyz.txt" and "Vemo_Blk.Txt" for other programs.
    void applicationActivated();
    void applicationDeactivated();

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
    struct NewFolder {
        std::string name;
        std::string profile;
    };
    struct OpenTarget {
        int nodeLevel = 0;
        int restoreLevel = 0;
    };

    // True when coordinates were read.
    bool openAs(OpenMode mode, const std::string& outsideFile = {});
    bool openCoordinates(OpenMode mode, const OpenTarget& target, const std::string& outsideFile);
    void openParcels(OpenMode mode, const OpenTarget& target);
    void openParamFile();
    void openExchange(bool sima);
    void loadExchange(bool sima, const std::filesystem::path& file);
    void writeExchange(bool sima, bool fromSelection, const std::vector<std::string>& names);
    void reloadLinkedList(const std::string& bytes);
    bool acceptLongNames(ForeignData& data);

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

    std::optional<NewFolder> askNewFolder(const QString& caption, const std::vector<std::string>& labels,
                                          const std::filesystem::path& parent, int level);
    void showSiteCaption();
    bool ask(const QString& text);
    bool askYesNo(const QString& text);
    void message(const QString& text);
    bool run(const std::function<void()>& command);
    // Writes that run without a command (the auto-save timer, the link files when the application is
    // left): a failure goes to the status bar once, until the same write succeeds again.
    enum class BackgroundWrite { AutoSave, Link, Count };
    bool runInBackground(BackgroundWrite which, const QString& prefix, const std::function<void()>& write);
    void reportBackground(BackgroundWrite which, const QString& prefix, const QString& error);

    Store& store_;
    Settings& settings_;
    DataTree& tree_;
    HeaderEditor& editor_;
    FileCommandHost& host_;
    QWidget* window_;
    // What went to "Xyz.txt" when the application was last left.
    LinkFileState link_;
    std::array<bool, static_cast<size_t>(BackgroundWrite::Count)> backgroundFailing_{};
    // The data came back from an auto-save with unsaved changes: the first 上書き保存 asks before it
    // writes them over the data set they belong to.
    bool restoredUnconfirmed_ = false;
    // What the running command wrote, for the status bar ("境界点.Xyz に 21 点").
    QStringList written_;
    AutoSaver* autoSaver_ = nullptr;
    class ChangeWatch;
    std::unique_ptr<ChangeWatch> watch_;
};

} // namespace vemo
