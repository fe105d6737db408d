#include "core/settings/AppLocations.h"

#include "core/io/BoundedRead.h"
#include "core/io/SafeReplace.h"
#include "core/settings/IniFile.h"
#include "core/settings/ProgramFolder.h"
#include "core/text/Error.h"
#include "core/text/MessagesSettings.h"

#include <cstdlib>
#include <filesystem>

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vemo {
namespace fs = std::filesystem;
namespace {

// The files of a program folder other than the settings: auto-save, received observations, link files.
constexpr const char* kFilesBesideSettings[] = {"Auto.Xyz", "Auto.Blk", "Auto.Trv",    "Auto.ZUB",
                                                "Temp.ZUB", "Xyz.txt",  "Vemo_Blk.Txt"};
constexpr const char* kDocumentsKey = "XDG_DOCUMENTS_DIR=";

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string HomeFolder() {
    return Environment("HOME");
}

// An XDG base folder: the variable when it holds an absolute path (the rules say a relative one is
// ignored), else HOME + the fallback.
fs::path XdgBase(const char* variable, const char* fallback) {
    fs::path base = Environment(variable);
    if (base.empty() || !base.is_absolute()) {
        base = fs::path(HomeFolder()) / fallback;
    }
    return base;
}

// The folder, created when missing, without a trailing separator.
std::string Made(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    std::string text = folder.generic_string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

bool OwnedByThisUser(const fs::path& file) {
#if defined(_WIN32)
    (void)file;
    return true;
#else
    struct stat info {};
    return ::stat(file.c_str(), &info) == 0 && info.st_uid == ::geteuid();
#endif
}

// A rename, or a copy and a removal between file systems; a file that cannot be removed at the old
// place (a folder this user may not write) stays there as well.
bool MoveFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (!ec) {
        return true;
    }
    if (!fs::copy_file(from, to, fs::copy_options::none, ec)) {
        return false;
    }
    fs::remove(from, ec);
    return true;
}

bool HoldsFolders(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec)) {
            return true;
        }
    }
    return false;
}

// Moves the settings file found at `oldFolder` (and the files beside it) to the new places; a note
// says what happened.
void MoveFromOldPlace(const fs::path& oldFolder, const AppLocations& to, std::vector<std::string>& notes) {
    const fs::path oldIni = SettingsFilePath(oldFolder.generic_string());
    const fs::path newIni = fs::path(to.settingsFolder) / "VEMO.ini";
    if (!MoveFile(oldIni, newIni)) {
        return;
    }
    std::error_code ec;
    for (const char* name : kFilesBesideSettings) {
        const fs::path old = FindFileIgnoreCase(oldFolder.generic_string(), name);
        if (fs::is_regular_file(old, ec) && !fs::exists(fs::path(to.dataFolder) / name, ec) && OwnedByThisUser(old)) {
            MoveFile(old, fs::path(to.dataFolder) / name);
        }
    }
    // The old default data folder was the old folder itself: sites kept there stay in view.
    IniFile ini(newIni.generic_string());
    try {
        if (!ini.Load().Find("Dir", "DatDir") && HoldsFolders(oldFolder)) {
            ini.WriteString("Dir", "DatDir", PathToCp932(oldFolder.generic_string()));
        }
    } catch (const Error&) {
        // The file is there; an unreadable one is reported by the start-up that reads it.
    }
    notes.push_back(msg::SettingsMoved(MessagePath(oldFolder), MessagePath(fs::path(to.settingsFolder)),
                                       MessagePath(fs::path(to.dataFolder))));
}

bool IsPortableCopy(const std::string& executableFolder) {
    const fs::path folder(executableFolder);
    std::error_code ec;
    return folder.filename() != "bin" && fs::is_regular_file(SettingsFilePath(executableFolder), ec) &&
           IsWritableFolder(executableFolder);
}

// Strips the quotes of a user-dirs.dirs value and puts $HOME in.
std::string DocumentsValue(std::string value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    if (value.rfind("$HOME", 0) == 0) {
        value = HomeFolder() + value.substr(5);
    }
    return value;
}

} // namespace

AppLocations LocationsInOneFolder(const std::string& folder) {
    AppLocations places;
    places.settingsFolder = folder;
    places.dataFolder = folder;
    places.defaultDatDir = folder;
    return places;
}

std::string UserConfigFolder() {
    return (XdgBase("XDG_CONFIG_HOME", ".config") / "vemo").generic_string();
}

std::string DocumentsFolder() {
    const fs::path dirs = XdgBase("XDG_CONFIG_HOME", ".config") / "user-dirs.dirs";
    std::string documents;
    if (auto text = ReadBoundedFile(dirs, 1 << 16).bytes) {
        size_t start = 0;
        while (start < text->size()) {
            size_t end = text->find('\n', start);
            if (end == std::string::npos) {
                end = text->size();
            }
            std::string line = text->substr(start, end - start);
            if (line.rfind(kDocumentsKey, 0) == 0) {
                documents = DocumentsValue(line.substr(std::char_traits<char>::length(kDocumentsKey)));
            }
            start = end + 1;
        }
    }
    // xdg-user-dir answers HOME when nothing is configured, and so does a relative value.
    if (documents.empty() || documents.front() != '/') {
        documents = HomeFolder();
    }
    while (documents.size() > 1 && documents.back() == '/') {
        documents.pop_back();
    }
    return documents;
}

AppLocations ResolveLocations(const std::string& executableFolder) {
    const std::string home = Environment("VEMO_HOME");
    if (!home.empty()) {
        return LocationsInOneFolder(Made(fs::path(home)));
    }
    if (IsPortableCopy(executableFolder)) {
        return LocationsInOneFolder(executableFolder);
    }
    AppLocations places;
    places.settingsFolder = Made(UserConfigFolder());
    places.dataFolder = Made(XdgBase("XDG_DATA_HOME", ".local/share") / "vemo");
    places.defaultDatDir = (fs::path(DocumentsFolder()) / "Vemo").generic_string();
    std::error_code ec;
    if (!fs::exists(SettingsFilePath(places.settingsFolder), ec)) {
        // Older versions kept the file in the user data folder, or beside the program when its folder
        // could be written (an installation's bin folder: only a file this user wrote is taken).
        const fs::path fromData = SettingsFilePath(places.dataFolder);
        const fs::path fromBin = SettingsFilePath(executableFolder);
        if (fs::is_regular_file(fromData, ec)) {
            MoveFromOldPlace(places.dataFolder, places, places.notes);
        } else if (fs::is_regular_file(fromBin, ec) && OwnedByThisUser(fromBin)) {
            MoveFromOldPlace(executableFolder, places, places.notes);
        }
    }
    return places;
}

} // namespace vemo
