#include "core/settings/ProgramFolder.h"

#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#endif

namespace vemo {
namespace fs = std::filesystem;
namespace {

// Folders are held without a trailing separator, except a root, which has nothing else.
std::string WithoutTrailingSeparator(std::string folder) {
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) {
        folder.pop_back();
    }
    return folder;
}

std::string Generic(const fs::path& path) {
    return WithoutTrailingSeparator(path.generic_string());
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

fs::path ExecutablePath() {
#if defined(_WIN32)
    char buffer[MAX_PATH * 2];
    DWORD size = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    return fs::path(std::string(buffer, size));
#elif defined(__APPLE__)
    char buffer[4096];
    uint32_t size = sizeof buffer;
    if (_NSGetExecutablePath(buffer, &size) == 0) {
        return fs::weakly_canonical(fs::path(buffer));
    }
    return {};
#else
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec);
#endif
}

} // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/' && path.back() != '\\') {
        path += '/';
    }
    return path.append(name);
}

std::string ExecutableFolder() {
    fs::path exe = ExecutablePath();
    if (exe.empty() || !exe.has_parent_path()) {
        std::error_code ec;
        return Generic(fs::current_path(ec));
    }
    return Generic(exe.parent_path());
}

std::string UserDataFolder() {
#if defined(_WIN32)
    fs::path base = Environment("APPDATA");
#else
    fs::path base = Environment("XDG_DATA_HOME");
    if (base.empty() || !base.is_absolute()) { // the XDG rules say a relative value is to be ignored
        base = fs::path(Environment("HOME")) / ".local" / "share";
    }
#endif
    fs::path folder = base / "vemo";
    std::error_code ec;
    fs::create_directories(folder, ec);
    return Generic(folder);
}

bool IsWritableFolder(const std::string& folder) {
    std::error_code ec;
    if (!fs::is_directory(fs::path(folder), ec)) {
        return false;
    }
    std::random_device random;
    std::string probe = JoinPath(folder, Sprintf(".vemo-probe-%08x", static_cast<unsigned>(random())));
    std::FILE* file = std::fopen(probe.c_str(), "wbx");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    fs::remove(fs::path(probe), ec);
    return true;
}

std::string ChooseProgramFolder(const std::string& executableFolder) {
    std::string home = Environment("VEMO_HOME");
    if (!home.empty()) {
        std::error_code ec;
        fs::create_directories(fs::path(home), ec);
        return WithoutTrailingSeparator(home);
    }
    if (IsWritableFolder(executableFolder)) {
        return WithoutTrailingSeparator(executableFolder);
    }
    return UserDataFolder();
}

std::string ProgramFolder() {
    return ChooseProgramFolder(ExecutableFolder());
}

std::string FindFileIgnoreCase(const std::string& folder, std::string_view name) {
    std::string exact = JoinPath(folder, name);
    std::error_code ec;
    if (fs::exists(fs::path(exact), ec)) {
        return exact;
    }
    std::vector<std::string> matches;
    for (fs::directory_iterator it(fs::path(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (EqualsIgnoreCase(entry, name)) {
            matches.push_back(entry);
        }
    }
    if (matches.empty()) {
        return exact;
    }
    return JoinPath(folder, *std::min_element(matches.begin(), matches.end()));
}

std::string SettingsFilePath(const std::string& programFolder) {
    return FindFileIgnoreCase(programFolder, "VEMO.ini");
}

#if defined(_WIN32)
// Narrow paths on Windows are in the ANSI code page, which is CP932 on a Japanese system.
std::string PathToCp932(std::string_view nativePath) {
    return std::string(nativePath);
}
std::string PathFromCp932(std::string_view cp932Path) {
    return std::string(cp932Path);
}
#else
std::string PathToCp932(std::string_view nativePath) {
    return Utf8ToCp932(nativePath).value_or(std::string(nativePath));
}

std::string PathFromCp932(std::string_view cp932Path) {
    std::string utf8 = Cp932ToUtf8(cp932Path);
    // Bytes that are not CP932 would come back as U+FFFD; such a name is left as it was.
    if (utf8.find("\xEF\xBF\xBD") != std::string::npos) {
        return std::string(cp932Path);
    }
    return utf8;
}
#endif

} // namespace vemo
