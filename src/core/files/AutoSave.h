#pragma once

#include <filesystem>

namespace vemo {

class BlockList;
class XyzList;

// The auto-save files "Auto.Xyz" and "Auto.Blk" in the program folder, written by the timer and by
// Ctrl+S, read back after an abnormal end or by the restore command.

// Writes the list to Auto.Xyz; writes the parcels to Auto.Blk when there are any, and otherwise removes
// Auto.Blk, so that a restore never brings back parcels that no longer exist.  Each file is replaced
// safely; on failure vemo::Error is thrown and the previous auto-save stays whole.
void WriteAutoSave(const std::filesystem::path& exeDir, const XyzList& list, const BlockList& blocks);

// The restore level: 2 when Auto.Blk exists, 1 when only Auto.Xyz exists, 0 when there is nothing.
int AutoSaveRestoreLevel(const std::filesystem::path& exeDir);

// Restore: reads Auto.Xyz into the list (replacing it) and, at level 2, Auto.Blk into the parcels.
// Returns the restore level, 0 (nothing changed) when there is no Auto.Xyz.  Both files are parsed
// before anything changes, so a damaged auto-save throws vemo::Error and leaves the store as it was.
// Label points are left for the caller (they need the rebuilt index).
int ReadAutoSave(const std::filesystem::path& exeDir, XyzList& list, BlockList& blocks);

} // namespace vemo
