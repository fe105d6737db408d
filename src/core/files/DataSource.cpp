#include "core/files/DataSource.h"

#include "core/files/Profile.h"
#include "core/io/SafeReplace.h"
#include "core/settings/ProgramFolder.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"

#include <vector>

namespace vemo {

namespace {

namespace fs = std::filesystem;

std::string Label() {
    return Jp("出典\t｜");
}

std::string Printed() {
    return Jp("出典：");
}

// The profile's lines without their ends, and the end they use (CR LF as written, "\n" as typed).
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

} // namespace

std::string SourceProfileLine(std::string_view printed) {
    const std::string prefix = Printed();
    if (printed.starts_with(prefix)) {
        printed.remove_prefix(prefix.size());
    }
    return Label() + std::string(printed);
}

std::string SourceOfProfile(std::string_view profile) {
    const std::string label = Label();
    for (std::string_view line : Lines(profile)) {
        if (line.starts_with(label) && line.size() > label.size()) {
            return Printed() + std::string(line.substr(label.size()));
        }
    }
    return {};
}

std::string ProfileWithSource(std::string_view profile, std::string_view printed) {
    if (printed.empty()) {
        return std::string(profile);
    }
    const std::string eol = profile.find("\r\n") != std::string_view::npos || profile.empty() ? "\r\n" : "\n";
    const std::string label = Label();
    std::string out;
    bool replaced = false;
    for (std::string_view line : Lines(profile)) {
        if (!replaced && line.starts_with(label)) {
            out += SourceProfileLine(printed) + eol;
            replaced = true;
        } else {
            out += std::string(line) + eol;
        }
    }
    if (!replaced) {
        out += SourceProfileLine(printed) + eol;
    }
    // A profile typed without an end to its last line keeps it so.
    if (!profile.empty() && !profile.ends_with('\n')) {
        out.resize(out.size() - eol.size());
    }
    return out;
}

std::string SourceOfDataSet(const fs::path& xyzFile) {
    const fs::path profile = xyzFile.parent_path() / xyzFile.stem() / ProfileFileName(1);
    std::optional<std::string> text = ReadProfileFile(profile);
    return text ? SourceOfProfile(*text) : std::string();
}

void RecordSourceOfDataSet(const fs::path& xyzFile, std::string_view printed) {
    const fs::path folder = xyzFile.parent_path() / xyzFile.stem();
    const fs::path profile = folder / ProfileFileName(1);
    std::optional<std::string> text = ReadProfileFile(profile);
    if (!text) {
        const std::string name = PathToCp932(xyzFile.stem().string());
        text = Jp("項目１\t｜") + name + "\r\n" + Jp("項目２\t｜\r\n項目３\t｜\r\n");
        std::error_code error;
        fs::create_directories(folder, error);
        if (error) {
            throw Error(msg::CannotWriteFile(MessagePath(profile), WriteFailureReason(error.value())));
        }
    }
    WriteProfileFile(profile, ProfileWithSource(*text, printed));
}

} // namespace vemo
