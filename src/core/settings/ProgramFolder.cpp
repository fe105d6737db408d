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

namespace {

// The plain conversion; bytes that are not CP932 would come back as U+FFFD: such a name is left as it was.
std::string DecodedName(std::string_view cp932) {
    std::string utf8 = Cp932ToUtf8(cp932);
    if (utf8.find("\xEF\xBF\xBD") != std::string::npos) {
        return std::string(cp932);
    }
    return utf8;
}

} // namespace

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
    const std::string decoded = DecodedName(cp932Path);
    std::error_code ec;
    if (decoded == cp932Path || fs::exists(fs::path(decoded), ec)) {
        return decoded;
    }
    // CP932 gives one code to two characters (〜 and ～, − and －, ‖ and ∥, — and ―, ¢ £ ¬ and their
    // full-width forms): a folder named with the other one is found by its CP932 form, part by part.
    if (cp932Path.empty() || cp932Path.front() != '/') {
        return decoded;
    }
    fs::path resolved("/");
    size_t start = 1;
    while (start < cp932Path.size()) {
        size_t end = std::min(cp932Path.find('/', start), cp932Path.size());
        if (end > start) {
            resolved = ExistingEntryOfCp932Name(resolved, cp932Path.substr(start, end - start));
        }
        start = end + 1;
    }
    return WithoutTrailingSeparator(resolved.generic_string());
}

#endif

std::filesystem::path ExistingEntryOfCp932Name(const std::filesystem::path& parent, std::string_view cp932Name) {
    const fs::path decoded = parent / DecodedName(cp932Name);
    std::error_code ec;
    if (fs::exists(decoded, ec)) {
        return decoded;
    }
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        if (Utf8ToCp932(it->path().filename().string()) == cp932Name) {
            return it->path();
        }
    }
    return decoded;
}

} // namespace vemo
