#include "core/traverse/TrvsFile.h"

#include "core/io/BoundedRead.h"
#include "core/io/SafeReplace.h"
#include "core/io/Utf8Text.h"
#include "core/settings/ProgramFolder.h"
#include "core/store/CommaList.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesReading.h"
#include "core/text/MessagesTraverse.h"
#include "core/text/NameBytes.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsTable.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace vemo {

namespace fs = std::filesystem;

namespace {

const char* const kLineEnd = "\r\n";

// Seven header lines and the rows of a full table, each far below 1 KB.
constexpr size_t kHeaderLines = 7;
constexpr std::uintmax_t kMaxTrvFileBytes = 2u << 20;

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

std::string Fields(std::initializer_list<std::string_view> fields) {
    std::vector<std::string> items;
    for (std::string_view field : fields) {
        items.push_back(Trim(field));
    }
    return EncodeCommaList(items);
}

// The lines, but no more than one past a full table: the row limit is judged before any more of the
// file is split.
std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size() && lines.size() <= kHeaderLines + static_cast<size_t>(kTrvsMaxRows)) {
        size_t end = bytes.find('\n', start);
        std::string_view line = bytes.substr(start, end == std::string_view::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return lines;
}

// Comma list items of a line; an item holding a single blank counts as empty.
std::vector<std::string> Items(const std::vector<std::string>& lines, size_t index, size_t minimum) {
    std::vector<std::string> items;
    if (index < lines.size()) {
        items = DecodeCommaList(lines[index]);
    }
    for (std::string& item : items) {
        if (item == " ") {
            item.clear();
        }
    }
    if (items.size() < minimum) {
        items.resize(minimum);
    }
    return items;
}

// What a number field of the file may hold.  Angles are packed D.MMSS within one turn (a vertical
// angle below the horizon is negative), a distance is never negative and no instrument measures one of
// 100 km; heights of instrument and target are a few metres.  A value past these (1e308 is a number)
// would be computed into "inf" coordinates.
struct NumberRule {
    const char* label;
    double low;
    double high;
};
constexpr NumberRule kDirection{"方向角", 0.0, 360.0};
constexpr NumberRule kCoordinate{"座標", -10'000'000.0, 10'000'000.0};
constexpr NumberRule kElevation{"標高", -10'000.0, 10'000.0};
constexpr NumberRule kRowRules[kTrvsCellCount] = {
    {},
    {},
    {},
    {},
    {},
    {"水平角", 0.0, 360.0},
    {"高度角", -360.0, 360.0},
    {"斜距離", 0.0, 100'000.0},
    {"器械高", -1'000.0, 1'000.0},
    {"視準高", -1'000.0, 1'000.0},
};

// The value of a number field (0 for an empty one), or vemo::Error naming the field and the reason.
double CheckedNumber(std::string_view field, const NumberRule& rule, const char* utf8Place = "") {
    const std::string label = Jp(utf8Place) + Jp(rule.label);
    const std::string_view text = TrimView(field);
    if (text.empty()) {
        return 0.0;
    }
    const std::optional<double> value = TryStrToFloat(text);
    if (!value) {
        throw Error(msg::FieldNotANumber(label, Excerpt(text)));
    }
    if (rule.low == 0.0 && *value < 0.0) {
        throw Error(msg::FieldNegative(label, Excerpt(text)));
    }
    if (!(*value >= rule.low && *value <= rule.high)) {
        throw Error(msg::FieldOutOfRange(label, Excerpt(text), FormatGeneral(rule.low), FormatGeneral(rule.high)));
    }
    return *value;
}

void CheckName(const std::string& name, const char* utf8Label) {
    try {
        RequireUsableName(name, utf8Label);
    } catch (const FieldError& e) {
        throw Error(e.what());
    }
}

// The cells the computation reads as numbers (angles, distance, heights), the names and the TM
// letter: a row that would stop the computation or be computed into nonsense is refused while the
// file is read.
void CheckRow(const TrvsRow& row) {
    const std::string& tm = row[kTrvColTm];
    if (!tm.empty() && tm != "T" && tm != "O" && tm != "K") {
        throw Error(msg::TurningModeInvalid(tm));
    }
    CheckName(row[kTrvColInst], "器械点");
    CheckName(row[kTrvColBack], "後視点");
    CheckName(row[kTrvColTarget], "測点");
    for (int col = kTrvColHAngle; col < kTrvsCellCount; ++col) {
        CheckedNumber(row[col], kRowRules[col]);
    }
}

std::string Number(const std::string& item, const char* format, const NumberRule& rule, const char* utf8Place) {
    return Sprintf(format, CheckedNumber(item, rule, utf8Place));
}

// A control byte has no place in the file: a NUL would end a field for the comma list and cut the
// row short, so that an angle came to be read as another.
void RefuseControlBytes(const std::vector<std::string>& lines) {
    for (size_t index = 0; index < lines.size(); ++index) {
        const std::string& line = lines[index];
        if (std::any_of(line.begin(), line.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
            throw Error(msg::TraverseFileLine(index + 1, msg::LineHasControlByte(Excerpt(line, 48))));
        }
    }
}

// A damaged line is reported by its number, so that the surveyor can mend the file in an editor.
template <typename Decode> void AtLine(size_t index, Decode decode) {
    try {
        decode();
    } catch (const Error& e) {
        throw Error(msg::TraverseFileLine(index + 1, e.what()));
    }
}

void DecodeHeader(const std::vector<std::string>& lines, TrvsHeader& header) {
    AtLine(0, [&] {
        const int type = StrToInt(Items(lines, 0, 1)[0]);
        if (type < kTrvsClosed || type > kTrvsRadial) {
            throw Error(msg::TraverseTypeInvalid(type));
        }
        header.TrvsType = type;
    });
    header.date = lines.size() > 1 ? lines[1] : std::string();
    header.remark = lines.size() > 2 ? lines[2] : std::string();
    AtLine(3, [&] {
        auto start = Items(lines, 3, 4);
        CheckName(start[0], "始点");
        header.T0No = start[0];
        header.T0X = Number(start[1], "%11.3f", kCoordinate, "始点のX");
        header.T0Y = Number(start[2], "%11.3f", kCoordinate, "始点のY");
        header.T0Z = Number(start[3], "%9.3f", kElevation, "始点の");
    });
    AtLine(4, [&] {
        auto back = Items(lines, 4, 3);
        CheckName(back[0], "後視点");
        header.T1No = back[0];
        header.startIncoming = back[1] == "0";
        header.T1Angle = Number(back[2], "%11.4f", kDirection, "始点の");
    });
    AtLine(5, [&] {
        auto end = Items(lines, 5, 4);
        CheckName(end[0], "終点");
        header.T2No = end[0];
        header.T2X = Number(end[1], "%11.3f", kCoordinate, "終点のX");
        header.T2Y = Number(end[2], "%11.3f", kCoordinate, "終点のY");
        header.T2Z = Number(end[3], "%9.3f", kElevation, "終点の");
    });
    AtLine(6, [&] {
        auto sight = Items(lines, 6, 3);
        CheckName(sight[0], "終点の視準点");
        header.T3No = sight[0];
        header.endIncoming = sight[1] == "0";
        header.T3Angle = Number(sight[2], "%11.4f", kDirection, "終点の");
    });
}

struct DecodedRows {
    std::vector<TrvsRow> rows;
    bool heights = false; // some row was written with its height cells (Z calculation on)
};

DecodedRows DecodeRows(const std::vector<std::string>& lines) {
    if (lines.size() > kHeaderLines + static_cast<size_t>(kTrvsMaxRows)) {
        throw Error(msg::TooManyTraverseRows(kTrvsMaxRows));
    }
    DecodedRows decoded;
    std::vector<TrvsRow>& rows = decoded.rows;
    for (size_t index = kHeaderLines; index < lines.size(); ++index) {
        std::vector<std::string> items = Items(lines, index, 0);
        decoded.heights = decoded.heights || items.size() > static_cast<size_t>(kTrvsColumnsWithoutZ);
        items.resize(std::max(items.size(), static_cast<size_t>(kTrvsCellCount)));
        TrvsRow row;
        for (int col = 0; col < kTrvsCellCount; ++col) {
            row[col] = std::move(items[col]);
        }
        AtLine(index, [&] { CheckRow(row); });
        rows.push_back(std::move(row));
    }
    if (!rows.empty()) {
        // The first row is observed from the header's start point and backsight, always with heights.
        rows[0][kTrvColInst].clear();
        rows[0][kTrvColBack].clear();
        for (int col : {kTrvColInstH, kTrvColTargetH}) {
            if (rows[0][col].empty()) {
                rows[0][col] = "0.000";
            }
        }
    }
    return decoded;
}

} // namespace

std::string EncodeTrvFile(const TrvsHeader& header, const TrvsTable& table) {
    std::string out = std::to_string(header.TrvsType) + kLineEnd;
    out += OneLine(header.date) + kLineEnd;
    out += OneLine(header.remark) + kLineEnd;
    out += Fields({header.T0No, header.T0X, header.T0Y, header.T0Z}) + kLineEnd;
    out += Fields({header.T1No, header.startIncoming ? "0" : "1", header.T1Angle}) + kLineEnd;
    out += Fields({header.T2No, header.T2X, header.T2Y, header.T2Z}) + kLineEnd;
    out += Fields({header.T3No, header.endIncoming ? "0" : "1", header.T3Angle}) + kLineEnd;
    const int cols = table.ColCount();
    for (int row = 1; row < table.RowCount(); ++row) {
        const TrvsRow& cells = table.Row(row);
        out += EncodeCommaList(std::vector<std::string>(cells.begin(), cells.begin() + cols)) + kLineEnd;
    }
    return out;
}

void DecodeTrvFile(std::string_view bytes, const TrvsOptions& options, const std::string& today, TrvsHeader& header,
                   TrvsTable& table) {
    const std::vector<std::string> lines = SplitLines(bytes);
    RefuseControlBytes(lines);
    TrvsHeader newHeader = header;
    newHeader.Reset(options, today);
    DecodeHeader(lines, newHeader);
    TrvsTable newTable = table;
    newTable.Reset();
    DecodedRows decoded = DecodeRows(lines);
    newTable.SetRows(std::move(decoded.rows), LegLetter(newHeader.TrvsType));
    newTable.SetZCalc(decoded.heights || Trim(newHeader.T0Z) != "0.000");
    header = std::move(newHeader);
    table = std::move(newTable);
}

std::string TrvBackupPath(const std::string& path) {
    return fs::path(path).replace_extension(".TBk").string();
}

void SaveTrvFile(const std::string& path, const TrvsHeader& header, const TrvsTable& table, bool backup) {
    const std::string bytes = EncodeTrvFile(header, table);
    ReplaceFile({path, bytes, backup ? fs::path(TrvBackupPath(path)) : fs::path()});
}

void LoadTrvFile(const std::string& path, const TrvsOptions& options, const std::string& today, TrvsHeader& header,
                 TrvsTable& table) {
    ReadResult read = ReadBoundedFile(path, kMaxTrvFileBytes);
    if (!read.bytes) {
        const std::string shown = MessagePath(path);
        throw Error(read.failure == ReadFailure::Missing ? msg::FileMissing(shown) : msg::CannotRead(shown));
    }
    RefuseUtf8Text(path, *read.bytes);
    InFile(path, [&] { DecodeTrvFile(*read.bytes, options, today, header, table); });
}

bool IsEmptyTraverse(const TrvsHeader& header, const TrvsTable& table) {
    for (const std::string* field : {&header.remark, &header.T0No, &header.T1No, &header.T2No, &header.T3No}) {
        if (!TrimView(*field).empty()) {
            return false;
        }
    }
    for (int row = 1; row < table.RowCount(); ++row) {
        for (int col = kTrvColInst; col <= kTrvColSlope; ++col) {
            if (!TrimView(table.Cell(row, col)).empty()) {
                return false;
            }
        }
    }
    return true;
}

std::string AutoTrvPath(const std::string& exeDir) {
    return JoinPath(exeDir, "Auto.Trv");
}

void SaveAutoTrv(const std::string& exeDir, const TrvsHeader& header, const TrvsTable& table) {
    const std::string bytes = EncodeTrvFile(header, table);
    ReplaceFile({AutoTrvPath(exeDir), bytes, {}});
}

} // namespace vemo
