#include "core/files/XyzFile.h"

#include "core/files/Fields.h"
#include "core/files/FileIo.h"
#include "core/io/BoundedRead.h"
#include "core/io/Utf8Text.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesReading.h"
#include "core/text/NameBytes.h"
#include "core/text/Numbers.h"

namespace vemo {

namespace {

constexpr size_t kXStart = kXyzNameWidth;
constexpr size_t kYStart = kXStart + kXyzNumberWidth;
constexpr size_t kZStart = kYStart + kXyzNumberWidth;
constexpr size_t kTensyuStart = kZStart + kXyzNumberWidth;
constexpr size_t kBikoStart = kTensyuStart + kXyzTextWidth;

std::string_view Field(std::string_view line, size_t start, size_t width) {
    return start < line.size() ? line.substr(start, width) : std::string_view();
}

void TooManyRows() {
    throw Error(msg::TooManyPoints(kMaxPointRows, msg::Refused::Load));
}

// Refuses a cell that would not come back as it is: a wider cell pushes the later fields out of place.
void CheckCell(const XyzRow& row, int col, size_t width, int listRow, const char* utf8Label) {
    const std::string& cell = row[col];
    if (cell.find('\r') != std::string::npos || cell.find('\n') != std::string::npos) {
        throw Error(msg::CellHasLineBreak(listRow, Jp(utf8Label)));
    }
    if (width != 0 && cell.size() > width) {
        throw Error(msg::CellTooWide(listRow, Jp(utf8Label), width));
    }
}

bool HasXY(const XyzRow& row) {
    return !row[kColX].empty() && !row[kColY].empty();
}

} // namespace

XyzRow ParseXyzLine(std::string_view line) {
    XyzRow row;
    row[kColName] = Trim(Field(line, 0, kXyzNameWidth));
    RequireUsableName(row[kColName], "点名");
    const std::string_view x = Field(line, kXStart, kXyzNumberWidth);
    const std::string_view y = Field(line, kYStart, kXyzNumberWidth);
    const std::string_view z = Field(line, kZStart, kXyzNumberWidth);
    // A line cut short is no point at the origin: an empty X or Y would be taken for a real 0, and
    // the file (which holds only points with both) has no row without them.
    const bool noX = TrimView(x).empty();
    const bool noY = TrimView(y).empty();
    if (noX && noY) {
        // A name without coordinates is a row the format holds as such (the list's entry row, a name
        // another program added to the link file): kept without coordinates, never put at the origin.
        row[kColZ] = TrimView(z).empty() ? "" : ReadFileCoordinate(z, "Z座標");
        row[kColTensyu] = Trim(Field(line, kTensyuStart, kXyzTextWidth));
        row[kColBiko] = Trim(Field(line, kBikoStart, kXyzTextWidth));
        return row;
    }
    if (!noX) {
        row[kColX] = ReadFileCoordinate(x, "X座標");
    }
    if (!noY) {
        row[kColY] = ReadFileCoordinate(y, "Y座標");
    }
    if (noX || noY) {
        const char* label = noX ? "X座標" : "Y座標";
        throw FieldError(msg::FieldEmpty(Jp(label)));
    }
    row[kColZ] = ReadFileCoordinate(z, "Z座標");
    row[kColTensyu] = Trim(Field(line, kTensyuStart, kXyzTextWidth));
    row[kColBiko] = Trim(Field(line, kBikoStart, kXyzTextWidth));
    return row;
}

std::vector<XyzRow> ParseXyzText(std::string_view bytes, size_t maxRows) {
    std::vector<std::string_view> lines = SplitLines(bytes, maxRows);
    if (lines.size() > maxRows) {
        TooManyRows();
    }
    std::vector<XyzRow> rows;
    rows.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        if (TrimView(lines[i]).empty()) {
            continue; // a blank line (one an editor left at the end) holds no point
        }
        AtLine(i + 1, [&] { rows.push_back(ParseXyzLine(lines[i])); });
    }
    return rows;
}

std::string FormatXyzLine(const XyzRow& row, int listRow) {
    CheckCell(row, kColName, kXyzNameWidth, listRow, "点名");
    CheckCell(row, kColX, kXyzNumberWidth, listRow, "X座標");
    CheckCell(row, kColY, kXyzNumberWidth, listRow, "Y座標");
    CheckCell(row, kColZ, kXyzNumberWidth, listRow, "Z座標");
    CheckCell(row, kColTensyu, kXyzTextWidth, listRow, "点種");
    CheckCell(row, kColBiko, 0, listRow, "備考");
    std::string line;
    line.reserve(kBikoStart + kXyzTextWidth + 2);
    AppendLeft(line, row[kColName], kXyzNameWidth);
    AppendRight(line, row[kColX], kXyzNumberWidth);
    AppendRight(line, row[kColY], kXyzNumberWidth);
    AppendRight(line, row[kColZ], kXyzNumberWidth);
    AppendLeft(line, row[kColTensyu], kXyzTextWidth);
    AppendLeft(line, row[kColBiko], kXyzTextWidth);
    line += "\r\n";
    return line;
}

std::string FormatXyzText(const XyzList& list) {
    std::string text;
    text.reserve(static_cast<size_t>(list.PointRowCount()) * 120);
    for (int r = 1; r < list.RowCount(); ++r) {
        if (HasXY(list.Row(r))) {
            text += FormatXyzLine(list.Row(r), r);
        }
    }
    return text;
}

std::string FormatXyzText(const std::vector<XyzRow>& rows) {
    std::string text;
    text.reserve(rows.size() * 120);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (HasXY(rows[i])) {
            text += FormatXyzLine(rows[i], static_cast<int>(i) + 1);
        }
    }
    return text;
}

void LoadXyzRows(XyzList& list, std::vector<XyzRow> rows, XyzReadMode mode) {
    if (rows.empty()) {
        return;
    }
    if (mode == XyzReadMode::Replace) {
        if (rows.size() > static_cast<size_t>(kMaxPointRows)) {
            TooManyRows();
        }
        list.ReplaceAll(std::move(rows));
        return;
    }
    int last = list.RowCount() - 1;
    bool dropLast = !list.IsComplete(last);
    size_t kept = static_cast<size_t>(list.PointRowCount() - (dropLast ? 1 : 0));
    if (kept + rows.size() > static_cast<size_t>(kMaxPointRows)) {
        TooManyRows();
    }
    if (dropLast && kept == 0) {
        list.ReplaceAll(std::move(rows));
        return;
    }
    if (dropLast) {
        list.RemoveRows(last, 1);
    }
    list.AppendRows(std::move(rows));
}

bool ReadXyzFile(const std::filesystem::path& path, XyzList& list, XyzReadMode mode) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        return false;
    }
    RefuseUtf8Text(path, *bytes);
    LoadXyzRows(list, InFile(path, [&] { return ParseXyzText(*bytes); }), mode);
    return true;
}

bool WriteXyzFile(const std::filesystem::path& path, const XyzList& list, bool backup) {
    if (path.empty()) {
        return false;
    }
    WriteFileAtomic(path, FormatXyzText(list), backup);
    return true;
}

} // namespace vemo
