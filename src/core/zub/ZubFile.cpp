#include "core/zub/ZubFile.h"

#include "core/settings/AtomicWrite.h"
#include "core/settings/ProgramFolder.h"
#include "core/store/CommaList.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Numbers.h"
#include "core/zub/ZubChecksum.h"

#include <filesystem>
#include <system_error>

namespace vemo {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void ThrowAtLine(size_t lineIndex, const std::string& what) {
    throw Error(Sprintf(Jp("ZUBファイルの %zu 行目: ").c_str(), lineIndex + 1) + what);
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        std::string_view line = bytes.substr(start, end == std::string_view::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

// The check character is taken from the raw line, not decoded: it may itself be a comma, a quote or a
// blank, which the comma list would read differently.
ZubRow ParseLine(std::string_view line, size_t lineIndex) {
    // The list decoding ends a text at a NUL byte: the rest of the line would vanish unnoticed.
    if (line.find('\0') != std::string_view::npos) {
        ThrowAtLine(lineIndex, Jp("NUL 文字(0x00)が含まれています"));
    }
    if (!IsValidZubLine(line)) {
        ThrowAtLine(lineIndex, Jp("チェックサムが合いません"));
    }
    std::vector<std::string> fields = DecodeCommaList(line.substr(0, line.size() - 2));
    const ZubRecordKind* kind = fields.empty() ? nullptr : FindZubRecordKind(fields[0]);
    if (kind == nullptr) {
        ThrowAtLine(lineIndex, Jp("レコードの種類が分かりません"));
    }
    if (static_cast<int>(fields.size()) > kind->fieldCount - 1) {
        ThrowAtLine(lineIndex,
                    Sprintf(Jp("%c レコードの項目が %d 個を超えています").c_str(), kind->letter, kind->fieldCount));
    }
    ZubRow row;
    for (size_t i = 0; i < fields.size(); ++i) {
        row[i] = fields[i] == " " ? std::string() : std::move(fields[i]);
    }
    const char check = line[line.size() - 2];
    if (check != ' ') {
        row[kind->fieldCount - 1] = std::string(1, check);
    }
    return row;
}

} // namespace

std::vector<ZubRow> ParseZubText(std::string_view bytes) {
    const std::vector<std::string_view> lines = SplitLines(bytes);
    std::vector<ZubRow> rows;
    int directObservations = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        rows.push_back(ParseLine(lines[i], i));
        if (rows.back()[0] == "F" && IsDirectObservation(rows.back()) &&
            ++directObservations > kZubMaxDirectObservations) {
            ThrowAtLine(i, Sprintf(Jp("正観測は %d 行までです").c_str(), kZubMaxDirectObservations));
        }
    }
    if (rows.empty() || rows.front()[0] != "A") {
        throw Error(Jp("ZUBファイルの 1 行目がスタート・ブロック(A)ではありません"));
    }
    if (rows.back()[0] != "Z") {
        ThrowAtLine(rows.size() - 1, Jp("エンド・ブロック(Z)で終わっていません"));
    }
    return rows;
}

bool IsReadableZubLine(std::string_view line) {
    try {
        ParseLine(line, 0);
        return true;
    } catch (const Error&) {
        return false;
    }
}

std::string FormatZubLine(const ZubRow& row) {
    const ZubRecordKind* kind = FindZubRecordKind(row[0]);
    int fields = kind != nullptr ? kind->fieldCount - 1 : kZubCells;
    if (kind == nullptr) {
        while (fields > 1 && row[fields - 1].empty()) {
            --fields;
        }
    }
    std::vector<std::string> items(row.begin(), row.begin() + fields);
    // A trailing empty item is written as nothing, so the comma after it must be added here.
    std::string line = ZubRecordLine(EncodeCommaList(items) + ',');
    const char check = line[line.size() - 2];
    if (check == '\r' || check == '\n') {
        throw Error(Jp("チェック文字が改行になるため、この記録は書けません（項目を変えてください）"));
    }
    return line;
}

std::string FormatZubText(const std::vector<ZubRow>& rows) {
    std::string text;
    for (size_t i = 0; i < rows.size(); ++i) {
        try {
            text += FormatZubLine(rows[i]);
        } catch (const Error& e) {
            ThrowAtLine(i, e.what());
        }
        text += "\r\n";
    }
    return text;
}

std::vector<ZubRow> LoadZubFile(const std::string& path) {
    std::error_code error;
    if (!fs::exists(path, error)) {
        throw Error(Jp("ファイル「") + PathToCp932(path) + Jp("」がありません"));
    }
    return ParseZubText(ReadFileIfExists(path));
}

std::string ZubBackupPath(const std::string& path) {
    return fs::path(path).replace_extension(".ZBk").string();
}

void SaveZubFile(const std::string& path, const std::vector<ZubRow>& rows, bool backup) {
    const std::string bytes = FormatZubText(rows);
    if (backup && fs::exists(path)) {
        const fs::path backupPath = ZubBackupPath(path);
        std::error_code error;
        fs::remove(backupPath, error);
        if (!fs::copy_file(path, backupPath, fs::copy_options::overwrite_existing, error)) {
            throw Error(Jp("ファイル「") + PathToCp932(backupPath.string()) + Jp("」を作れません: ") + error.message());
        }
    }
    ReplaceFileContents(path, bytes);
}

std::string TempZubPath(const std::string& exeDir) {
    return JoinPath(exeDir, "Temp.ZUB");
}

std::string AutoZubPath(const std::string& exeDir) {
    return JoinPath(exeDir, "Auto.ZUB");
}

void WriteReceivedZub(const std::string& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    ReplaceFileContents(path, bytes);
}

} // namespace vemo
