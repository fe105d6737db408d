#include "core/files/Profile.h"

#include "core/files/DataFolders.h"
#include "core/files/FileIo.h"
#include "core/io/BoundedRead.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"
#include "core/text/Numbers.h"

namespace vemo {

namespace {

const std::string& Bar() {
    static const std::string bar = Jp("｜");
    return bar;
}

} // namespace

const char* ProfileFileName(int level) {
    switch (level) {
    case 0:
        return "Case.Pro";
    case 1:
        return "Xyz.Pro";
    default:
        return "Blk.Pro";
    }
}

std::string ProfileTemplate(const std::vector<std::string>& labels) {
    std::string text;
    for (size_t i = 0; i < labels.size(); ++i) {
        text += (i > 0 ? "\n" : "") + labels[i] + "\t" + Bar();
    }
    return text;
}

size_t CaretAfterFirstBar(const std::vector<std::string>& labels) {
    return labels.empty() ? 0 : labels[0].size() + 1 + Bar().size();
}

std::string TimestampName(const std::tm& now) {
    return Sprintf("%04d%02d%02d%02d%02d%02d", now.tm_year + 1900, now.tm_mon + 1, now.tm_mday, now.tm_hour, now.tm_min,
                   now.tm_sec);
}

std::string NameFromProfile(std::string_view text, std::string_view firstLabel, const std::tm& now) {
    std::string line(text.substr(0, text.find_first_of("\r\n")));
    std::string prefix = std::string(firstLabel) + "\t" + Bar();
    if (size_t at = line.find(prefix); at != std::string::npos) {
        line.erase(at, prefix.size());
    }
    return line.empty() ? TimestampName(now) : line;
}

std::string DuplicateFolderMessage(std::string_view firstLabel, std::string_view name) {
    return msg::DataFolderTaken(std::string(firstLabel) + "\t" + Bar() + std::string(name));
}

void WriteProfileFile(const std::filesystem::path& path, std::string_view text) {
    std::string out;
    out.reserve(text.size() + 32);
    for (std::string_view line : SplitLines(text)) {
        out.append(line);
        out += "\r\n";
    }
    WriteFileAtomic(path, out, false);
}

bool CreateFolderWithProfile(const std::filesystem::path& parent, std::string_view name, int level,
                             std::string_view profileText) {
    if (!CreateDataFolder(parent, name)) {
        return false;
    }
    std::filesystem::path folder = parent / FsName(name);
    try {
        WriteProfileFile(folder / ProfileFileName(level), profileText);
    } catch (const Error&) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        throw;
    }
    return true;
}

std::optional<std::string> ReadProfileFile(const std::filesystem::path& path) {
    // A profile is three header lines; a large file of that name is not one.
    constexpr std::uintmax_t kMaxProfileBytes = 64u << 10;
    return ReadBoundedFile(path, kMaxProfileBytes).bytes;
}

} // namespace vemo
