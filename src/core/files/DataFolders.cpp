#include "core/files/DataFolders.h"

#include "core/files/DataPaths.h"
#include "core/files/FileIo.h"
#include "core/settings/ProgramFolder.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>

namespace vemo {
namespace fs = std::filesystem;

namespace {

std::vector<std::pair<std::string, fs::path>> SubFolders(const fs::path& folder) {
    std::vector<std::pair<std::string, fs::path>> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (!it->is_directory(typeEc)) {
            continue;
        }
        if (auto name = Cp932Name(it->path().filename())) {
            found.emplace_back(std::move(*name), it->path());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

DataNode MakeNode(std::string name, const fs::path& folder, int level) {
    DataNode node{std::move(name), level, IconOfLevel(level), {}};
    if (level > 0) {
        std::error_code ec;
        if (!fs::is_regular_file(DataFileOfFolder(folder, level), ec)) {
            node.icon = DataIcon::MissingData;
            return node;
        }
    }
    if (level < 2) {
        for (auto& [childName, childFolder] : SubFolders(folder)) {
            node.children.push_back(MakeNode(std::move(childName), childFolder, level + 1));
        }
    }
    return node;
}

[[noreturn]] void RenameFailed() {
    throw Error(msg::FolderNameTaken());
}

// rename(2) would silently replace an empty folder or a file of the new name; this never does.
bool RenameNoReplace(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system without the flag: check first (the tree is changed by one user at a time).
    std::error_code ec;
    if (fs::exists(to, ec) || ec) {
        return false;
    }
    fs::rename(from, to, ec);
    return !ec;
}

} // namespace

std::vector<DataNode> BuildDataTree(const fs::path& datDir) {
    std::vector<DataNode> sites;
    for (auto& [name, folder] : SubFolders(datDir)) {
        sites.push_back(MakeNode(std::move(name), folder, 0));
    }
    return sites;
}

bool IsValidDataName(std::string_view name) {
    constexpr size_t kMaxNameBytes = 200;
    if (name.empty() || name == "." || name == ".." || name.size() > kMaxNameBytes) {
        return false;
    }
    if (name.back() == ' ' || name.back() == '.') {
        return false;
    }
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (IsLeadByte(c) && i + 1 < name.size()) {
            ++i; // the second byte of a double-byte character (0x5C in "表" is no separator)
            continue;
        }
        if (c < 0x20 || c == 0x7F ||
            std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

bool CreateDataFolder(const fs::path& parent, std::string_view cp932Name) {
    if (!IsValidDataName(cp932Name)) {
        return false;
    }
    std::error_code ec;
    return fs::create_directory(parent / FsName(cp932Name), ec) && !ec;
}

void RenameDataNode(const fs::path& parent, int level, std::string_view oldName, std::string_view newName) {
    if (!IsValidDataName(newName)) {
        RenameFailed();
    }
    if (oldName == newName) {
        return;
    }
    fs::path oldFolder = ExistingEntryOfCp932Name(parent, oldName);
    fs::path newFolder = parent / FsName(newName);
    if (!RenameNoReplace(oldFolder, newFolder)) {
        RenameFailed();
    }
    if (level == 0) {
        return;
    }
    fs::path oldFile = DataFileOfFolder(oldFolder, level);
    std::error_code ec;
    if (!fs::exists(oldFile, ec)) {
        return; // data without its file: the folder alone is the node
    }
    if (!RenameNoReplace(oldFile, DataFileOfFolder(newFolder, level))) {
        std::error_code ignored;
        fs::rename(newFolder, oldFolder, ignored);
        RenameFailed();
    }
}

bool SaveNamesDiffer(std::string_view curCase, std::string_view curXyz, std::string_view nodeCase,
                     std::string_view nodeXyz) {
    return !curCase.empty() && !curXyz.empty() && (curCase != nodeCase || curXyz != nodeXyz);
}

bool SaveParcelNameDiffers(std::string_view curBlk, std::string_view nodeBlk) {
    return !curBlk.empty() && curBlk != nodeBlk;
}

} // namespace vemo
