#include "ui/common/Workspace.h"

#include "core/files/DataPaths.h"
#include "core/files/DataSource.h"
#include "core/settings/AppLocations.h"
#include "core/settings/ProgramFolder.h"
#include "core/text/Cp932.h"
#include "ui/common/CommandGuard.h"

#include <filesystem>

namespace vemo {

// Turns the store's observer calls into the workspace's signals.
class Workspace::Watch : public XyzListObserver, public BlockListObserver {
public:
    explicit Watch(Workspace& owner) : owner_(owner) {}

    void CellsChanged(int, int, int, int) override { emit owner_.pointsChanged(); }
    void RowsInserted(int, int) override { emit owner_.pointsChanged(); }
    void RowsRemoved(int, int) override { emit owner_.pointsChanged(); }
    void Reset() override {
        emit owner_.pointsReplaced();
        emit owner_.pointsChanged();
    }

    void BlockAdded(int) override { emit owner_.parcelsChanged(); }
    void BlockReplaced(int) override { emit owner_.parcelsChanged(); }
    void BlockRemoved(int) override { emit owner_.parcelsChanged(); }
    void BlocksReset() override {
        emit owner_.parcelsReplaced();
        emit owner_.parcelsChanged();
    }

private:
    Workspace& owner_;
};

Workspace::Workspace() : Workspace(ResolveLocations(ExecutableFolder())) {}

Workspace::Workspace(const std::string& programFolder, QObject* parent)
    : Workspace(LocationsInOneFolder(programFolder), parent) {}

Workspace::Workspace(const AppLocations& places, QObject* parent)
    : QObject(parent), programFolder_(places.dataFolder), watch_(std::make_unique<Watch>(*this)) {
    iniPath_ = SettingsFilePath(places.settingsFolder);
    LoadedSettings loaded = LoadSettings(iniPath_, places.defaultDatDir, places.dataFolder);
    settings_ = std::move(loaded.values);
    startMessages_ = places.notes;
    startMessages_.insert(startMessages_.end(), loaded.messages.begin(), loaded.messages.end());
    // The default data folder is made at the first start, so that the tree has a place to show.
    if (settings_.Dir.DatDir == PathToCp932(places.defaultDatDir)) {
        std::error_code ec;
        std::filesystem::create_directories(places.defaultDatDir, ec);
    }
    normalAtStart_ = settings_.Exit.Normal;

    // Folders of the store are CP932 like all core text.
    store_.names.ExeDir = PathToCp932(programFolder_);
    store_.names.DatDir = settings_.Dir.DatDir;
    store_.names.TmpDir = settings_.Dir.TmpDir;

    store_.xyz.AddObserver(watch_.get());
    store_.blocks.AddObserver(watch_.get());
    // Every command and event handler changes the data in undoable steps of this store's history.
    SetCommandHistory(&store_.history);
}

void Workspace::setDataNames(std::string site, std::string xyz, std::string blk) {
    // Other data bring their own source (or none) from their profile; data without a name have none
    // until the command that brought them in says (the registry map import).
    if (site != store_.names.CaseName || xyz != store_.names.XyzName) {
        store_.names.Source =
            xyz.empty() ? std::string() : SourceOfDataSet(XyzFilePath(PathFromCp932(store_.names.DatDir), site, xyz));
    }
    store_.names.CaseName = std::move(site);
    store_.names.XyzName = std::move(xyz);
    store_.names.BlkName = std::move(blk);
    emit dataNamesChanged();
}

Workspace::~Workspace() {
    if (CommandHistory() == &store_.history) {
        SetCommandHistory(nullptr);
    }
    store_.xyz.RemoveObserver(watch_.get());
    store_.blocks.RemoveObserver(watch_.get());
}

} // namespace vemo
