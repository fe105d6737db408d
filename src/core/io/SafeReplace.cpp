#include "core/io/SafeReplace.h"

#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"
#include "core/text/Numbers.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace vemo {
namespace fs = std::filesystem;

namespace {

// Large files go out in pieces so that a kill can land in the middle of the bytes too.
constexpr size_t kChunkBytes = 1 << 20;
constexpr const char* kTemporaryTail = ".tmp";
constexpr size_t kRandomHexDigits = 8;

// Errors of our own that have no errno.
constexpr int kReadOnlyFile = -1;
constexpr int kNotRegularFile = -2;

ReplaceStepHook stepHook = nullptr;
TemporaryNameHook nameHook = nullptr;

void Step(ReplaceStep step) {
    if (stepHook != nullptr) {
        stepHook(step);
    }
}

// A file-size limit would otherwise kill the program with SIGXFSZ in the middle of a save; ignored, the
// write fails with EFBIG and is reported like a full disk.
void IgnoreFileSizeSignal() {
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
        std::signal(SIGXFSZ, SIG_IGN);
    }
}

[[noreturn]] void ThrowWriteError(const fs::path& shown, int error) {
    throw Error(msg::CannotWriteFile(MessagePath(shown), WriteFailureReason(error)));
}

int LastError() {
    return errno != 0 ? errno : EIO;
}

// Where the bytes really go: a symbolic link is saved through to the file it points to.
fs::path Resolve(const fs::path& requested) {
    std::error_code ec;
    if (fs::is_symlink(requested, ec)) {
        fs::path resolved = fs::weakly_canonical(requested, ec);
        if (!ec) {
            return resolved;
        }
    }
    return requested;
}

fs::path FolderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

bool IsOurTemporaryName(const std::string& name, const std::string& prefix) {
    const std::string tail = kTemporaryTail;
    if (name.size() != prefix.size() + kRandomHexDigits + tail.size() || !name.starts_with(prefix) ||
        !name.ends_with(tail)) {
        return false;
    }
    for (size_t i = prefix.size(); i < prefix.size() + kRandomHexDigits; ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(name[i]))) {
            return false;
        }
    }
    return true;
}

// "<file>.<8 hex digits>.tmp": a temporary name of `beside`, the form IsOurTemporaryName recognises.
fs::path TemporaryName(const fs::path& beside, std::random_device& random) {
    fs::path temporary = beside;
    const unsigned number = nameHook != nullptr ? nameHook() : static_cast<unsigned>(random());
    temporary += Sprintf(".%08x", number) + kTemporaryTail;
    return temporary;
}

// A save killed before its rename leaves its temporary file, an export its staging folder; the next save
// or export of the same file sweeps them.  Only regular files and folders with exactly our naming are
// removed (a link of that name is left alone, and links inside a folder are removed, not followed).
void RemoveLeftovers(const fs::path& target) {
    const std::string prefix = target.filename().string() + ".";
    std::error_code ec;
    std::vector<fs::path> leftovers;
    for (fs::directory_iterator it(FolderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code statError;
        const fs::file_type type = it->symlink_status(statError).type();
        if (IsOurTemporaryName(name, prefix) && (type == fs::file_type::regular || type == fs::file_type::directory)) {
            leftovers.push_back(it->path());
        }
    }
    for (const fs::path& leftover : leftovers) {
        fs::remove_all(leftover, ec);
    }
}

// The permission bits to give the new file: those of the file it replaces, or nothing for a new file
// (the temporary file was then created with the usual 0666 less the umask).
struct Existing {
    bool exists = false;
    mode_t mode = 0;
};

Existing CheckTarget(const fs::path& target, const fs::path& shown) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        if (errno == ENOENT) {
            return {};
        }
        ThrowWriteError(shown, LastError());
    }
    if (!S_ISREG(st.st_mode)) {
        ThrowWriteError(shown, kNotRegularFile);
    }
    // Judged from the mode, not from access(): the owner of the data made it read-only on purpose, and
    // that holds even for a program running with the rights to ignore it.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        ThrowWriteError(shown, kReadOnlyFile);
    }
    return {true, static_cast<mode_t>(st.st_mode & 07777)};
}

// Exclusive creation under a random name: an existing file or link of that name is never opened.
int CreateTemporary(const fs::path& beside, fs::path& temporary, mode_t mode) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = TemporaryName(beside, random);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

int WriteAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t piece = std::min(kChunkBytes, bytes.size() - done);
        const ssize_t n = ::write(fd, bytes.data() + done, piece);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return LastError();
        }
        done += static_cast<size_t>(n);
        Step(ReplaceStep::BytesWritten);
    }
    return ::fsync(fd) == 0 ? 0 : LastError();
}

// The new bytes in a temporary file beside the target, on the disk, with the target's mode.
fs::path WriteTemporary(const fs::path& target, std::string_view bytes, const Existing& existing,
                        const fs::path& shown) {
    fs::path temporary;
    const int fd = CreateTemporary(target, temporary, existing.exists ? S_IRUSR | S_IWUSR : 0666);
    if (fd < 0) {
        ThrowWriteError(shown, LastError());
    }
    int error = 0;
    try {
        Step(ReplaceStep::TemporaryCreated);
        if (existing.exists && ::fchmod(fd, existing.mode) != 0) {
            error = LastError();
        }
        error = error != 0 ? error : WriteAll(fd, bytes);
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    // A full disk may show only when the file is closed.
    if (::close(fd) != 0 && error == 0) {
        error = LastError();
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        ThrowWriteError(shown, error);
    }
    Step(ReplaceStep::TemporarySynced);
    return temporary;
}

// Copies the file byte for byte into a new temporary file named after it (for folders where hard
// links are not possible).
int CopyToTemporary(const fs::path& from, fs::path& temporary) {
    std::error_code ec;
    fs::path copy;
    const int fd = CreateTemporary(from, copy, S_IRUSR | S_IWUSR);
    if (fd < 0) {
        return LastError();
    }
    ::close(fd);
    if (!fs::copy_file(from, copy, fs::copy_options::overwrite_existing, ec)) {
        ::unlink(copy.c_str());
        return ec.value() != 0 ? ec.value() : EIO;
    }
    temporary = copy;
    return 0;
}

// A second name for the file under a temporary name of it: a hard link, or a copy where links are
// impossible (a full disk is not worked around with a copy).  Swept as a temporary file if the process
// dies before the name is used.
int SecondName(const fs::path& file, fs::path& name) {
    std::random_device random;
    int error = EEXIST;
    for (int attempt = 0; attempt < 16 && error == EEXIST; ++attempt) {
        name = TemporaryName(file, random);
        error = ::link(file.c_str(), name.c_str()) == 0 ? 0 : LastError();
    }
    if (error != 0 && error != EEXIST && error != ENOSPC && error != EDQUOT) {
        error = CopyToTemporary(file, name);
    }
    return error;
}

// The old file becomes the backup while the target keeps its name: a second name for the same bytes
// (or a copy) is renamed over the former backup.
void MakeBackup(const fs::path& target, const fs::path& backup) {
    RemoveLeftovers(backup);
    fs::path temporary;
    int error = SecondName(target, temporary);
    if (error == 0 && ::rename(temporary.c_str(), backup.c_str()) != 0) {
        error = LastError();
        ::unlink(temporary.c_str());
    }
    if (error != 0) {
        ThrowWriteError(backup, error);
    }
    Step(ReplaceStep::BackupMade);
}

// The rename itself is only durable once the folder's entry is on the disk.
void SyncFolder(const fs::path& file) {
    const int fd = ::open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Less free space than this in a folder after a failed write means the disk filled up.
constexpr unsigned long long kNearlyFullBytes = 256 * 1024;

bool DiskIsFull(const fs::path& folder) {
    struct statvfs disk {};
    return ::statvfs(folder.c_str(), &disk) == 0 &&
           static_cast<unsigned long long>(disk.f_bavail) * disk.f_frsize < kNearlyFullBytes;
}

bool FileSizeLimitReached(const fs::path& folder) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return false;
    }
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sizeError;
        if (it->is_regular_file(sizeError) && it->file_size(sizeError) >= limit.rlim_cur) {
            return true;
        }
    }
    return false;
}

struct Prepared {
    const FileReplacement* request;
    fs::path target;
    fs::path temporary;
    bool existed;
};

Prepared Prepare(const FileReplacement& file) {
    if (file.target.empty()) {
        ThrowWriteError(file.target, ENOENT);
    }
    const fs::path target = Resolve(file.target);
    const Existing existing = CheckTarget(target, file.target);
    RemoveLeftovers(target);
    return {&file, target, WriteTemporary(target, file.bytes, existing, file.target), existing.exists};
}

// One rename of a set: the new file, where it goes, the name the user gave and the backup wanted.
struct Placement {
    fs::path from;
    fs::path target;
    fs::path shown;
    fs::path backup;
    bool existed = false;
    fs::path kept; // the old bytes under a temporary name, while the set is not complete
    bool placed = false;
};

// The old bytes under a second name while the set is not complete.
fs::path KeepOld(const Placement& p) {
    fs::path kept;
    if (const int error = SecondName(p.target, kept); error != 0) {
        ThrowWriteError(p.shown, error);
    }
    return kept;
}

void Place(Placement& p, bool keepOld) {
    if (keepOld && p.existed) {
        p.kept = KeepOld(p);
    }
    if (p.existed && !p.backup.empty()) {
        MakeBackup(p.target, p.backup);
    }
    if (::rename(p.from.c_str(), p.target.c_str()) != 0) {
        ThrowWriteError(p.shown, LastError());
    }
    p.placed = true;
    Step(ReplaceStep::Renamed);
    SyncFolder(p.target);
}

// Every new file over its target; a failure puts back what was replaced before it and removes every
// new file that was not placed.
void PlaceAll(std::vector<Placement>& set) {
    const bool keepOld = set.size() > 1;
    try {
        for (Placement& p : set) {
            Place(p, keepOld);
        }
    } catch (...) {
        for (auto p = set.rbegin(); p != set.rend(); ++p) {
            if (!p->placed) {
                ::unlink(p->from.c_str());
            } else if (!p->kept.empty()) {
                ::rename(p->kept.c_str(), p->target.c_str());
            } else {
                ::unlink(p->target.c_str());
            }
            if (!p->kept.empty()) {
                ::unlink(p->kept.c_str());
            }
        }
        throw;
    }
    for (const Placement& p : set) {
        if (!p.kept.empty()) {
            ::unlink(p.kept.c_str());
        }
    }
}

// A file written by another library is on the disk before it is renamed, with the mode of the file it
// replaces.
void SyncStaged(const fs::path& staged, const Existing& existing, const fs::path& shown) {
    const int fd = ::open(staged.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    int error = fd < 0 ? LastError() : 0;
    if (error == 0 && existing.exists && ::fchmod(fd, existing.mode) != 0) {
        error = LastError();
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = LastError();
    }
    if (fd >= 0) {
        ::close(fd);
    }
    if (error != 0) {
        ThrowWriteError(shown, error);
    }
}

} // namespace

std::string WriteFailureReason(int error) {
    switch (error) {
    case kReadOnlyFile:
        return msg::WriteFaultText(msg::WriteFault::ReadOnlyFile);
    case kNotRegularFile:
        return msg::WriteFaultText(msg::WriteFault::NotRegularFile);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return msg::WriteFaultText(msg::WriteFault::DiskFull);
    case EROFS:
        return msg::WriteFaultText(msg::WriteFault::ReadOnlyFileSystem);
    case EACCES:
    case EPERM:
        return msg::WriteFaultText(msg::WriteFault::NotPermitted);
    case ENOENT:
    case ENOTDIR:
        return msg::WriteFaultText(msg::WriteFault::NoFolder);
    case EISDIR:
        return msg::WriteFaultText(msg::WriteFault::FolderInTheWay);
    case EIO:
        return msg::WriteFaultText(msg::WriteFault::Io);
    default:
        return msg::ErrorNumber(error);
    }
}

std::string MessagePath(const fs::path& path) {
    if (auto text = Utf8ToCp932(path.string())) {
        return *text;
    }
    std::string ascii = path.string();
    for (char& c : ascii) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            c = '?';
        }
    }
    return ascii;
}

void ReplaceFile(const FileReplacement& file) {
    ReplaceFiles(std::span(&file, 1));
}

void ReplaceFiles(std::span<const FileReplacement> files) {
    IgnoreFileSizeSignal();
    std::vector<Prepared> prepared;
    prepared.reserve(files.size());
    try {
        for (const FileReplacement& file : files) {
            prepared.push_back(Prepare(file));
        }
    } catch (...) {
        for (const Prepared& p : prepared) {
            ::unlink(p.temporary.c_str());
        }
        throw;
    }
    std::vector<Placement> set;
    for (const Prepared& p : prepared) {
        set.push_back({p.temporary, p.target, p.request->target, p.request->backup, p.existed, {}, false});
    }
    PlaceAll(set);
}

fs::path CreateStagingFolder(const fs::path& target) {
    if (target.empty() || target.filename().empty()) {
        ThrowWriteError(target, ENOENT);
    }
    IgnoreFileSizeSignal();
    RemoveLeftovers(target);
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        fs::path folder = TemporaryName(target, random);
        if (::mkdir(folder.c_str(), S_IRWXU) == 0) {
            return folder;
        }
        if (errno != EEXIST) {
            ThrowWriteError(target, LastError());
        }
    }
    ThrowWriteError(target, EEXIST);
}

void RemoveStagingFolder(const fs::path& folder) noexcept {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

void MoveIntoPlace(std::span<const StagedFile> files) {
    std::vector<Placement> set;
    try {
        for (const StagedFile& file : files) {
            const fs::path target = Resolve(file.target);
            const Existing existing = CheckTarget(target, file.target);
            SyncStaged(file.staged, existing, file.target);
            set.push_back({file.staged, target, file.target, {}, existing.exists, {}, false});
        }
    } catch (...) {
        for (const StagedFile& file : files) {
            ::unlink(file.staged.c_str());
        }
        throw;
    }
    PlaceAll(set);
}

int DiagnoseStagingFailure(const fs::path& staging, int error) {
    if (error == ENOSPC || error == EDQUOT || error == EFBIG || error == EACCES || error == EROFS) {
        return error;
    }
    if (DiskIsFull(FolderOf(staging)) || FileSizeLimitReached(staging)) {
        return ENOSPC;
    }
    return error != 0 ? error : EIO;
}

void ThrowWriteFailure(const fs::path& shown, int error) {
    ThrowWriteError(shown, error);
}

void CheckReplaceable(const fs::path& target) {
    CheckTarget(Resolve(target), target);
}

void SetReplaceStepHook(ReplaceStepHook hook) {
    stepHook = hook;
}

void SetTemporaryNameHook(TemporaryNameHook hook) {
    nameHook = hook;
}

} // namespace vemo
