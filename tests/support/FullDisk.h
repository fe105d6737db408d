#pragma once

#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace vemo::test {

// A folder whose disk fills up during a write.  Where the test may mount one (as root, as CI runs), it
// is a small tmpfs that Fill() fills up to `freeBytes`; elsewhere it is an ordinary folder, and Run()
// puts the process under a file-size limit of `freeBytes` instead (a write beyond it fails with
// EFBIG, which the program reports as a full disk).
class FullDisk {
public:
    explicit FullDisk(unsigned long freeBytes, unsigned long diskBytes = 8 << 20) : freeBytes_(freeBytes) {
        const std::string options = "size=" + std::to_string(diskBytes);
        mounted_ = ::mount("tmpfs", dir_.Str().c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~FullDisk() {
        if (mounted_) {
            ::umount2(dir_.Str().c_str(), MNT_DETACH);
        }
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool IsTmpfs() const { return mounted_; }
    const std::filesystem::path& Path() const { return dir_.Path(); }
    std::string File(const std::string& name) const { return dir_.File(name); }

    // Takes all but `freeBytes` of the disk (the old files must be written before).
    void Fill() {
        if (!mounted_) {
            return;
        }
        struct statvfs fs {};
        ::statvfs(dir_.Str().c_str(), &fs);
        const unsigned long long available = static_cast<unsigned long long>(fs.f_bavail) * fs.f_frsize;
        WriteBytes(File(kFiller), std::string(available > freeBytes_ ? available - freeBytes_ : 0, 'f'));
    }

    // Runs `body` while the disk is full: on the tmpfs after Fill(), otherwise under the file-size limit.
    template <class Body> void Run(Body body) {
        if (mounted_) {
            Fill();
            body();
        } else {
            WithFileSizeLimit(freeBytes_, body);
        }
    }

    // The prefix that puts a command of a shell under the same conditions ("" on the tmpfs).
    std::string CommandPrefix() {
        if (mounted_) {
            Fill();
            return "";
        }
        return "prlimit --fsize=" + std::to_string(freeBytes_) + " ";
    }

    // The names in the folder, sorted, without the filler: what a failed write must have left alone.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) {
            if (entry.path().filename() != kFiller) {
                names.push_back(entry.path().filename().string());
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    static constexpr const char* kFiller = "filler";
    TempDir dir_;
    unsigned long freeBytes_;
    bool mounted_ = false;
};

} // namespace vemo::test
