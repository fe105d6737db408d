#include "core/settings/IniDocument.h"

#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesSettings.h"
#include "core/text/Numbers.h"

#include <stdexcept>

namespace vemo {
namespace {

// Lines written by this program end with CR LF, as every text file of the system does.
constexpr std::string_view kNewLine = "\r\n";

// The section name of a header line "[name]", or nothing.  The closing bracket is searched
// character by character: 0x5D (']') can be the trail byte of a double-byte character.
std::optional<std::string_view> HeaderName(std::string_view content) {
    std::string_view s = TrimView(content);
    if (s.empty() || s.front() != '[') {
        return std::nullopt;
    }
    for (size_t i = 1; i < s.size(); ++i) {
        if (s[i] == ']') {
            return TrimView(s.substr(1, i - 1));
        }
        if (IsLeadByte(static_cast<unsigned char>(s[i]))) {
            ++i;
        }
    }
    return std::nullopt;
}

// Offset of the "=" of an entry line, or npos for a comment or a line without one.  "=" (0x3D) is
// never a trail byte, so a plain search is safe.
size_t EqualsSign(std::string_view content) {
    std::string_view s = TrimView(content);
    if (s.empty() || s.front() == ';') {
        return std::string_view::npos;
    }
    return content.find('=');
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

void CheckName(std::string_view name, std::string_view forbidden, const char* what) {
    if (name.empty() || TrimView(name) != name || HasLineBreak(name) ||
        name.find_first_of(forbidden) != std::string_view::npos) {
        throw std::invalid_argument(std::string("malformed initialisation-file ") + what + " name");
    }
}

} // namespace

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) {}

std::vector<IniDocument::Line> IniDocument::SplitLines() const {
    std::vector<Line> lines;
    size_t begin = 0;
    while (begin < bytes_.size()) {
        size_t lf = bytes_.find('\n', begin);
        Line line;
        line.begin = begin;
        line.next = lf == std::string::npos ? bytes_.size() : lf + 1;
        line.end = lf == std::string::npos ? bytes_.size() : lf;
        if (line.end > begin && bytes_[line.end - 1] == '\r') {
            --line.end;
        }
        lines.push_back(line);
        begin = line.next;
    }
    return lines;
}

std::optional<size_t> IniDocument::FindSection(const std::vector<Line>& lines, std::string_view section) const {
    std::string_view all(bytes_);
    for (size_t i = 0; i < lines.size(); ++i) {
        auto name = HeaderName(all.substr(lines[i].begin, lines[i].end - lines[i].begin));
        if (name && EqualsIgnoreCase(*name, section)) {
            return i + 1;
        }
    }
    return std::nullopt;
}

std::optional<IniDocument::KeyHit> IniDocument::FindKey(const std::vector<Line>& lines, size_t first,
                                                        std::string_view key) const {
    std::string_view all(bytes_);
    for (size_t i = first; i < lines.size(); ++i) {
        std::string_view content = all.substr(lines[i].begin, lines[i].end - lines[i].begin);
        if (HeaderName(content)) {
            break;
        }
        size_t eq = EqualsSign(content);
        if (eq == std::string_view::npos || !EqualsIgnoreCase(TrimView(content.substr(0, eq)), key)) {
            continue;
        }
        size_t value = eq + 1;
        while (value < content.size() && IsBlank(static_cast<unsigned char>(content[value]))) {
            ++value;
        }
        return KeyHit{lines[i].begin + value, lines[i].end};
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
    auto lines = SplitLines();
    auto body = FindSection(lines, section);
    if (!body) {
        return std::nullopt;
    }
    auto hit = FindKey(lines, *body, key);
    if (!hit) {
        return std::nullopt;
    }
    return Trim(std::string_view(bytes_).substr(hit->valueBegin, hit->valueEnd - hit->valueBegin));
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    auto value = Find(section, key);
    return value ? *value : std::string(def);
}

int IniDocument::ReadInteger(std::string_view section, std::string_view key, int def) const {
    auto value = Find(section, key);
    if (!value) {
        return def;
    }
    return TryStrToInt(*value).value_or(def);
}

bool IniDocument::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniDocument::Append(size_t position, std::string_view text) {
    bytes_.insert(position, text);
}

size_t IniDocument::EndWithLineBreak(size_t lineNext) {
    // Only the last line of a file can lack its line feed; a lone CR there gets the LF it misses.
    if (lineNext == 0 || bytes_[lineNext - 1] == '\n') {
        return 0;
    }
    std::string_view missing = bytes_[lineNext - 1] == '\r' ? kNewLine.substr(1) : kNewLine;
    Append(lineNext, missing);
    return missing.size();
}

void IniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
    CheckName(section, "[]", "section");
    CheckName(key, "=[;", "key");
    if (HasLineBreak(value)) {
        throw Error(msg::SettingHasLineBreak(section, key));
    }
    std::string entry = std::string(key) + "=" + std::string(value) + std::string(kNewLine);
    auto lines = SplitLines();
    auto body = FindSection(lines, section);
    if (!body) {
        EndWithLineBreak(bytes_.size());
        bytes_ += "[" + std::string(section) + "]" + std::string(kNewLine) + entry;
        return;
    }
    if (auto hit = FindKey(lines, *body, key)) {
        bytes_.replace(hit->valueBegin, hit->valueEnd - hit->valueBegin, value);
        return;
    }
    // After the last non-blank line of the section, so that a blank line before the next section stays
    // where it was.
    size_t last = *body - 1;
    std::string_view all(bytes_);
    for (size_t i = *body; i < lines.size(); ++i) {
        std::string_view content = all.substr(lines[i].begin, lines[i].end - lines[i].begin);
        if (HeaderName(content)) {
            break;
        }
        if (!TrimView(content).empty()) {
            last = i;
        }
    }
    Append(lines[last].next + EndWithLineBreak(lines[last].next), entry);
}

} // namespace vemo
