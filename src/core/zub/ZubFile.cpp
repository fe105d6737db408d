#include "core/zub/ZubFile.h"

#include "core/io/BoundedRead.h"
#include "core/io/SafeReplace.h"
#include "core/io/Utf8Text.h"
#include "core/settings/ProgramFolder.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesReading.h"
#include "core/text/MessagesZub.h"
#include "core/text/Numbers.h"
#include "core/zub/ZubChecksum.h"
#include "core/zub/ZubFields.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace vemo {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void ThrowAtLine(size_t lineIndex, const std::string& what) {
    throw Error(msg::ZubFileLine(lineIndex + 1, what));
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

// What one line gives: its row, or the reason it cannot stand in a field book.
struct LineRead {
    ZubRow row;
    bool checkWrong = false;
    std::string (*problem)() = nullptr; // the catalogue message of the reason
    int fieldLimit = 0;                 // the fields the kind holds, for the "too many" reason
    char letter = 0;
};

// The check character is taken from its place at the end, not from the split: it may itself be a
// comma, a quote, a blank or a control byte (a record with much double-byte text sums negative).
LineRead ReadLine(std::string_view line) {
    LineRead read;
    const std::optional<std::vector<std::string>> fields =
        line.size() < 2 || line.back() != ',' ? std::nullopt : SplitZubBody(line.substr(0, line.size() - 2));
    if (!fields) {
        read.problem = msg::ZubSeparatorsUnreadable;
        return read;
    }
    if (!IsZubRecordLetter(fields->front())) {
        read.problem = msg::ZubLetterMissing;
        return read;
    }
    const ZubRecordKind* kind = FindZubRecordKind(fields->front());
    read.letter = fields->front()[0];
    read.fieldLimit = kind != nullptr ? kind->fieldCount - 1 : kZubCells - 1;
    if (static_cast<int>(fields->size()) > read.fieldLimit) {
        read.problem = msg::ZubTooManyFields;
        return read;
    }
    for (size_t i = 0; i < fields->size(); ++i) {
        read.row[i] = (*fields)[i] == " " ? std::string() : (*fields)[i];
    }
    const char check = line[line.size() - 2];
    if (kind == nullptr) {
        read.row[fields->size()] = std::string(1, check);
    } else if (check != ' ') {
        read.row[kind->fieldCount - 1] = std::string(1, check);
    }
    read.checkWrong = !IsValidZubLine(line);
    return read;
}

// A control byte before the check character: a NUL in a target name would be written into the
// traverse table and every file after it, and split the name for other programs.
bool HasControlByte(std::string_view line) {
    const std::string_view body = line.substr(0, line.size() >= 2 ? line.size() - 2 : 0);
    return std::any_of(body.begin(), body.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

ZubRow ParseLine(std::string_view line, size_t lineIndex, bool& checkWrong) {
    if (HasControlByte(line)) {
        ThrowAtLine(lineIndex, msg::LineHasControlByte(Excerpt(line, 48)));
    }
    LineRead read = ReadLine(line);
    if (read.problem == nullptr) {
        checkWrong = read.checkWrong;
        return read.row;
    }
    if (read.fieldLimit > 0) {
        ThrowAtLine(lineIndex, msg::ZubFieldsBeyond(read.letter, read.fieldLimit + 1));
    }
    ThrowAtLine(lineIndex, read.problem());
}

bool IsEmptyRow(const ZubRow& row) {
    for (const std::string& cell : row) {
        if (!cell.empty()) {
            return false;
        }
    }
    return true;
}

} // namespace

ZubBook ReadZubBook(std::string_view bytes) {
    const std::vector<std::string_view> lines = SplitLines(bytes);
    ZubBook book;
    for (size_t i = 0; i < lines.size(); ++i) {
        bool checkWrong = false;
        book.rows.push_back(ParseLine(lines[i], i, checkWrong));
        book.lines.emplace_back(lines[i]);
        book.checkWrong.push_back(checkWrong);
        if (book.rows.back()[0] == "F" && IsDirectObservation(book.rows.back())) {
            ++book.directObservations;
        }
    }
    if (book.rows.empty() || book.rows.front()[0] != "A") {
        throw Error(msg::ZubNoStartBlock());
    }
    book.endRecord = book.rows.back()[0] == "Z";
    return book;
}

std::vector<ZubRow> ParseZubText(std::string_view bytes) {
    return ReadZubBook(bytes).rows;
}

bool IsReceivableZubLine(std::string_view line) {
    if (!IsValidZubLine(line)) {
        return false;
    }
    // Instruments write text: a control byte before the check character is damage on the line (a
    // byte moved by a multiple of 64 with others that make the sum come out right).
    if (HasControlByte(line)) {
        return false;
    }
    const LineRead read = ReadLine(line);
    if (read.problem != nullptr) {
        return false;
    }
    const ZubRecordKind* kind = FindZubRecordKind(read.row[0]);
    if (kind == nullptr) {
        return true;
    }
    // Fields the kind has: the letter, the cells that follow, and the check character.
    const std::optional<std::vector<std::string>> fields = SplitZubBody(line.substr(0, line.size() - 2));
    return static_cast<int>(fields->size()) == kind->fieldCount - 1;
}

int ZubCheckCell(const ZubRow& row) {
    if (const ZubRecordKind* kind = FindZubRecordKind(row[0])) {
        return kind->fieldCount - 1;
    }
    int last = kZubCells - 1;
    while (last > 0 && row[last].empty()) {
        --last;
    }
    return last;
}

std::string FormatZubLine(const ZubRow& row) {
    const int fields = std::max(ZubCheckCell(row), 1);
    std::vector<std::string> items(row.begin(), row.begin() + fields);
    for (const std::string& item : items) {
        if (item.find_first_of("\r\n") != std::string::npos) {
            throw Error(msg::ZubFieldHasLineBreak());
        }
    }
    std::string line = ZubRecordLine(JoinZubFields(items));
    const char check = line[line.size() - 2];
    if (check == '\r' || check == '\n') {
        throw Error(msg::ZubCheckIsLineBreak());
    }
    return line;
}

std::string FormatZubText(const std::vector<ZubRow>& rows) {
    std::string text;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (IsEmptyRow(rows[i])) {
            continue;
        }
        try {
            text += FormatZubLine(rows[i]);
        } catch (const Error& e) {
            ThrowAtLine(i, e.what());
        }
        text += "\r\n";
    }
    return text;
}

ZubBook LoadZubBook(const std::string& path) {
    // An observation file of a day's work is a few hundred kilobytes at most.
    constexpr std::uintmax_t kMaxZubFileBytes = 16u << 20;
    ReadResult read = ReadBoundedFile(path, kMaxZubFileBytes);
    if (!read.bytes) {
        const std::string shown = MessagePath(path);
        throw Error(read.failure == ReadFailure::Missing ? msg::FileMissing(shown) : msg::CannotRead(shown));
    }
    RefuseUtf8Text(path, *read.bytes);
    return InFile(path, [&] { return ReadZubBook(*read.bytes); });
}

std::vector<ZubRow> LoadZubFile(const std::string& path) {
    return LoadZubBook(path).rows;
}

std::string ZubBackupPath(const std::string& path) {
    return fs::path(path).replace_extension(".ZBk").string();
}

void SaveZubFile(const std::string& path, const std::vector<ZubRow>& rows, bool backup) {
    const std::string bytes = FormatZubText(rows);
    ReplaceFile({path, bytes, backup ? fs::path(ZubBackupPath(path)) : fs::path()});
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
    ReplaceFile({path, bytes, {}});
}

} // namespace vemo
