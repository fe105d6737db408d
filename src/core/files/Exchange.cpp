#include "core/files/Exchange.h"

#include "core/files/Fields.h"
#include "core/files/FileIo.h"
#include "core/io/Utf8Text.h"
#include "core/store/CommaList.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesFiles.h"
#include "core/text/MessagesReading.h"
#include "core/text/NameBytes.h"
#include "core/text/Numbers.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace vemo {

namespace {

// Without quotes and blanks a CommaList is a plain split at commas, where a trailing comma adds no
// item; that is nearly every line of an exchange file.
bool SplitPlainList(std::string_view text, std::vector<std::string>& items) {
    for (char c : text) {
        if (c == '"' || static_cast<unsigned char>(c) <= 0x20) {
            return false;
        }
    }
    items.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            comma = text.size();
        }
        items.emplace_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return true;
}

} // namespace

void ExchangeItems(std::string_view line, std::string& buffer, std::vector<std::string>& items) {
    // 0x20 is never the second byte of a CP932 character, so this cannot break a character.
    // A line of blanks (the end-of-file mark 0x1A of older programs among them) holds nothing.
    if (TrimView(line).empty()) {
        items.clear();
        return;
    }
    // The comma list would take any other control byte for a separator (a NUL for the end of the
    // line) and quietly split a name or drop the fields after it.
    if (std::any_of(line.begin(), line.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
        throw FieldError(msg::LineHasControlByte(Excerpt(line, 48)));
    }
    buffer.assign(line);
    buffer.erase(std::remove(buffer.begin(), buffer.end(), ' '), buffer.end());
    if (!SplitPlainList(buffer, items)) {
        items = DecodeCommaList(buffer);
    }
}

std::string_view BeforeEndMark(std::string_view bytes) {
    const size_t mark = bytes.find('\x1a');
    if (mark == std::string_view::npos || !TrimView(bytes.substr(mark)).empty()) {
        return bytes;
    }
    return bytes.substr(0, mark);
}

std::string ExchangeName(const std::string& name, const std::string& number, const char* utf8Label) {
    std::string trimmed = Trim(name);
    std::string result = trimmed.empty() ? "*" + number : std::move(trimmed);
    RequireUsableName(result, utf8Label);
    return result;
}

XyzRow ExchangeRow(std::string name, std::string_view x, std::string_view y, std::string_view z) {
    // A line cut short is no point at the origin: the format has no row without coordinates.
    for (const auto& [field, label] : {std::pair{x, "X座標"}, std::pair{y, "Y座標"}}) {
        if (TrimView(field).empty()) {
            throw FieldError(msg::FieldEmpty(Jp(label)));
        }
    }
    XyzRow row;
    row[kColName] = std::move(name);
    row[kColX] = ReadFileCoordinate(x, "X座標");
    row[kColY] = ReadFileCoordinate(y, "Y座標");
    row[kColZ] = ReadFileCoordinate(z, "Z座標");
    return row;
}

void ThrowShortLine(const char* utf8Kind, size_t lineNo) {
    throw Error(msg::FieldsMissing(Jp(utf8Kind), lineNo));
}

void ThrowTooManyPoints() {
    throw Error(msg::TooManyPoints(kMaxPointRows, msg::Refused::Load));
}

bool HasSimaRecord(std::string_view bytes) {
    LineCursor cursor(bytes);
    std::string_view line;
    while (cursor.Next(line)) {
        std::string_view code = TrimView(line).substr(0, 4);
        const bool shaped = code.size() >= 3 && code[0] >= 'A' && code[0] <= 'Z' && IsAsciiDigit(code[1]) &&
                            IsAsciiDigit(code[2]) && (code.size() == 3 || code[3] == ',');
        if (shaped) {
            return true;
        }
    }
    return false;
}

void RequireRecords(const std::filesystem::path& path, const ForeignData& data, bool recognised, const char* utf8Kind) {
    if (!recognised && data.rows.empty() && data.blocks.empty()) {
        throw Error(msg::NoRecordsOfKind(MessagePath(path), Jp(utf8Kind)));
    }
}

std::string ReadExchangeFile(const std::filesystem::path& path) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        throw Error(msg::CannotOpen(MessagePath(path)));
    }
    RefuseUtf8Text(path, *bytes);
    return std::move(*bytes);
}

} // namespace vemo
