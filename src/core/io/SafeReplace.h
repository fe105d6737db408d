#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace vemo {

// Replacing a file so that it survives anything: a full disk, a file-size limit, a crash or a kill at
// any moment, a link planted by another user, a read-only file.
//
// The new bytes go to a temporary file created exclusively under an unpredictable name in the
// target's folder (never through a symbolic link); it is flushed to the disk and then renamed over the
// target in one step, so that the target holds the complete old or the complete new bytes at every
// moment.  A backup is made by a hard link (or a copy where links are impossible) before that rename,
// so the target never goes missing.  Temporary files left by a save that was killed are removed by the
// next save of the same file.
//
// A symbolic link is saved through: the file it points to is replaced and the link stays.  The mode
// of the replaced file is kept.  A file the user has made read-only (no write permission at all) is
// refused, as is anything that is not a regular file.
//
// Failures throw vemo::Error "ファイル「<file>」に書き込めません（<reason>）" naming the file the caller
// asked for and why (disk full, read-only, folder missing, ...); the targets and their backups are
// then as they were and no temporary file is left behind.
struct FileReplacement {
    std::filesystem::path target;
    std::string_view bytes;
    // Where the replaced file is kept, if anywhere (a former file there is replaced).
    std::filesystem::path backup;
};

void ReplaceFile(const FileReplacement& file);

// Several files that belong together (coordinates and their parcels): every temporary file is written
// before any target is touched, and the targets are then replaced one after the other; when any of them
// cannot be replaced, those already replaced get their old bytes back (and new ones go), so the set is
// all old or all new.
void ReplaceFiles(std::span<const FileReplacement> files);

// Files that another library writes by name (GDAL's exports, the PDF engine) are built in a staging
// folder: a private folder beside `target` under a temporary name of it, created exclusively (a link
// planted there is never followed).  Creating one sweeps what a killed export or save of the same
// target left; failures throw the message of ReplaceFile naming `target`.
std::filesystem::path CreateStagingFolder(const std::filesystem::path& target);
// Removes a staging folder and everything in it (links inside are removed, never followed).
void RemoveStagingFolder(const std::filesystem::path& folder) noexcept;

// Complete files in a staging folder moved over their targets as one set, under the rules of
// ReplaceFiles: every target is checked as a save checks it (a read-only file or a folder is refused),
// keeps its mode, and when any rename fails the targets already replaced are put back.
struct StagedFile {
    std::filesystem::path staged;
    std::filesystem::path target;
};
void MoveIntoPlace(std::span<const StagedFile> files);

// Why a library's writing into a staging folder failed, when it kept no error number of its own: a full
// disk (little space left in the folder, or a staged file at the file-size limit), else `error` (EIO
// when 0).  The number for WriteFailureReason.
int DiagnoseStagingFailure(const std::filesystem::path& staging, int error);
// Throws "ファイル「<shown>」に書き込めません（<reason>）", the message of every failed write.
[[noreturn]] void ThrowWriteFailure(const std::filesystem::path& shown, int error);

// Throws the message of ReplaceFile when `target` could not be replaced (read-only, not a regular file).
void CheckReplaceable(const std::filesystem::path& target);

// The Japanese reason for an errno value of a failed write ("ディスクの空き容量が足りません", ...).
std::string WriteFailureReason(int error);

// A path as CP932 for messages (characters without a CP932 form show as "?").
std::string MessagePath(const std::filesystem::path& path);

// Fault injection for the crash-consistency test: called at every step of a replacement.  A hook
// may kill the process (the test's child) or throw (a failure at that step).
enum class ReplaceStep { TemporaryCreated, BytesWritten, TemporarySynced, BackupMade, Renamed };
using ReplaceStepHook = void (*)(ReplaceStep);
void SetReplaceStepHook(ReplaceStepHook hook);
// The random part of the next temporary name (a test plants a link at exactly that name); null restores
// the random source.
using TemporaryNameHook = unsigned (*)();
void SetTemporaryNameHook(TemporaryNameHook hook);

} // namespace vemo
