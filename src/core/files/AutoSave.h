#pragma once

#include "core/store/BlockList.h"
#include "core/store/XyzList.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vemo {

// The auto-save files "Auto.Xyz" and "Auto.Blk" in the program folder, written a few seconds after
// the data changed, by the timer and by the forced auto-save, and read back after an abnormal end or
// by the restore command.  "Auto.Inf" beside them says which data set they belong to and from when.

constexpr const char* kAutoInfFileName = "Auto.Inf";

// Where the auto-saved data came from: the data folder, site, coordinate and parcel names of the open
// data set (CP932; empty when the data were never saved to one), whether each list differed from its
// file, and when the auto-save was taken ("2026/12/09 18:30:15", local time).
struct AutoSaveOrigin {
    std::string datDir;
    std::string caseName;
    std::string xyzName;
    std::string blkName;
    bool pointsModified = true;
    bool parcelsModified = true;
    std::string savedAt;
};

// What one auto-save writes, copied from the store so that it can be written away from the user's
// work (the copy is a fraction of the time of formatting and writing).
struct AutoSaveSnapshot {
    std::vector<XyzRow> rows; // point rows 1 .. RowCount-1
    std::vector<Block> blocks;
    AutoSaveOrigin origin;
};

// The snapshot of the lists now; the origin's savedAt is set to the current local time.
AutoSaveSnapshot TakeAutoSaveSnapshot(const XyzList& list, const BlockList& blocks, AutoSaveOrigin origin);

// Writes Auto.Xyz and Auto.Inf, and Auto.Blk when there are parcels (otherwise Auto.Blk is removed, so
// that a restore never brings back parcels that no longer exist).  The files are replaced together;
// on failure vemo::Error is thrown and the previous auto-save stays whole.  Touches nothing but the
// snapshot and the files: it may run on another thread.
void WriteAutoSave(const std::filesystem::path& exeDir, const AutoSaveSnapshot& snapshot);
// The same for the lists as they stand.
void WriteAutoSave(const std::filesystem::path& exeDir, const XyzList& list, const BlockList& blocks,
                   AutoSaveOrigin origin = {});

// The restore level: 2 when Auto.Blk exists, 1 when only Auto.Xyz exists, 0 when there is nothing.
int AutoSaveRestoreLevel(const std::filesystem::path& exeDir);

// Where the auto-save came from; nothing when Auto.Inf is missing or unreadable (an auto-save of an
// earlier version, which knew no origin).
std::optional<AutoSaveOrigin> ReadAutoSaveOrigin(const std::filesystem::path& exeDir);

// Restore: reads Auto.Xyz into the list (replacing it) and, at level 2, Auto.Blk into the parcels.
// Returns the restore level, 0 (nothing changed) when there is no Auto.Xyz.  Both files are parsed
// before anything changes, so a damaged auto-save throws vemo::Error and leaves the store as it was.
// Label points are left for the caller (they need the rebuilt index).
int ReadAutoSave(const std::filesystem::path& exeDir, XyzList& list, BlockList& blocks);

} // namespace vemo
