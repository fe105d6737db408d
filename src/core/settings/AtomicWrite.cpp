#include "core/settings/AtomicWrite.h"

#include "core/settings/ProgramFolder.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Numbers.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace vemo {
namespace fs = std::filesystem;
namespace {

std::string ReasonText(int error) {
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return Jp("ディスクの空き容量が足りません");
    case EACCES:
    case EPERM:
    case EROFS:
        return Jp("書き込みが許可されていません");
    case ENOENT:
    case ENOTDIR:
        return Jp("フォルダがありません");
    default:
        return Jp("エラー番号 ") + std::to_string(error);
    }
}

[[noreturn]] void ThrowWriteError(const std::string& path, int error) {
    throw Error(Jp("ファイル「") + PathToCp932(path) + Jp("」に書き込めません（") + ReasonText(error) + Jp("）"));
}

// A name next to the target that no other writer picks; created exclusively ("x") so that an existing
// file of that name is never overwritten.
std::FILE* OpenTemporary(const fs::path& target, fs::path& tempPath) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = target;
        tempPath += Sprintf(".%08x.tmp", static_cast<unsigned>(random()));
        errno = 0;
        if (std::FILE* file = std::fopen(tempPath.c_str(), "wbx")) {
            return file;
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

// Writes and flushes to the disk; returns 0 or the errno of the first failure.  A full disk shows
// at the latest when the buffers are flushed or the file is closed, so both are checked.
int WriteAll(std::FILE* file, std::string_view bytes) {
    int error = 0;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fflush(file) != 0) {
        error = errno != 0 ? errno : EIO;
    }
#if defined(__unix__) || defined(__APPLE__)
    if (error == 0 && ::fsync(fileno(file)) != 0) {
        error = errno;
    }
#endif
    errno = 0;
    if (std::fclose(file) != 0 && error == 0) {
        error = errno != 0 ? errno : EIO;
    }
    return error;
}

fs::path ResolveTarget(const std::string& path) {
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) {
            return resolved;
        }
    }
    return target;
}

} // namespace

void ReplaceFileContents(const std::string& path, std::string_view bytes) {
    fs::path target = ResolveTarget(path);
    fs::path tempPath;
    std::FILE* file = OpenTemporary(target, tempPath);
    if (file == nullptr) {
        ThrowWriteError(path, errno != 0 ? errno : EIO);
    }
    std::error_code ec;
    int error = WriteAll(file, bytes);
    if (error == 0) {
        auto status = fs::status(target, ec);
        if (!ec && fs::exists(status)) {
            fs::permissions(tempPath, status.permissions(), ec); // best effort: keep the user's mode
        }
        fs::rename(tempPath, target, ec);
        error = ec ? ec.value() : 0;
    }
    if (error != 0) {
        fs::remove(tempPath, ec);
        ThrowWriteError(path, error);
    }
}

std::string ReadFileIfExists(const std::string& path) {
    std::error_code ec;
    bool present = fs::exists(fs::path(path), ec);
    if (!ec && !present) {
        return {};
    }
    // A file that may be there but cannot be looked at (a folder without access) is not "missing":
    // treating it so would let a write replace it with only the keys being written.
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    if (in) {
        out << in.rdbuf();
    }
    if (ec || !in || in.bad() || fs::is_directory(fs::path(path), ec)) {
        throw Error(Jp("ファイル「") + PathToCp932(path) + Jp("」を読めません"));
    }
    return out.str();
}

} // namespace vemo
