#include "core/traverse/TrvsEntry.h"

#include "core/edit/PointName.h"
#include "core/geometry/Angles.h"
#include "core/geometry/Inverse.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesTraverse.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsTable.h"

#include <cstdlib>
#include <vector>

namespace vemo {

namespace {

double FieldNumber(std::string_view text) {
    text = TrimView(text);
    return text.empty() ? 0.0 : StrToFloat(text);
}

TrvsNameEntry FillFromList(std::string& no, const char* emptyName, std::string& x, std::string& y, std::string& z,
                           const TrvsKnownPoints& known) {
    if (TrimView(no).empty()) {
        no = emptyName;
    }
    auto found = known.Find(no);
    if (!found) {
        return TrvsNameEntry::NotFound;
    }
    x = Sprintf("%11.3f", found->x);
    y = Sprintf("%11.3f", found->y);
    z = Sprintf("%9s", known.ZCell(found->row).c_str());
    return TrvsNameEntry::Found;
}

// The direction between a found point and a header point, as the packed angle field shows it.
void DirectionField(std::string& angle, const PointXY& other, double x, double y, bool towardHeaderPoint) {
    Inverse inverse = towardHeaderPoint ? InversePoints(other.x, other.y, x, y) : InversePoints(x, y, other.x, other.y);
    if (inverse.direction) {
        angle = Sprintf("%11.4f", DegToDms(*inverse.direction));
    }
}

} // namespace

bool IsValidAngle(std::string_view text) {
    auto value = TryStrToFloat(TrimView(text));
    if (!value || *value < 0) {
        return false; // directions and horizontal angles are never negative
    }
    // Judge the digits the field shows: "12.6000" has 60 minutes even if typed as 12.59999.
    std::string shown = FormatFixed(*value, 4);
    size_t point = shown.find('.');
    long degrees = std::strtol(shown.substr(0, point).c_str(), nullptr, 10);
    int minutes = std::atoi(shown.substr(point + 1, 2).c_str());
    int seconds = std::atoi(shown.substr(point + 3, 2).c_str());
    return *value <= 360.0 && degrees < 360 && minutes < 60 && seconds < 60;
}

std::string FormatCoordinateField(std::string_view text) {
    return Sprintf("%11.3f", FieldNumber(text));
}

std::string FormatHeightField(std::string_view text) {
    return Sprintf("%9.3f", FieldNumber(text));
}

bool FormatAngleField(std::string& field) {
    field = Sprintf("%11.4f", FieldNumber(field));
    return IsValidAngle(field);
}

TrvsNameEntry EnterStartName(TrvsHeader& header, const TrvsKnownPoints& known) {
    return FillFromList(header.T0No, "T.1", header.T0X, header.T0Y, header.T0Z, known);
}

TrvsNameEntry EnterEndName(TrvsHeader& header, const TrvsKnownPoints& known) {
    return FillFromList(header.T2No, "T.END", header.T2X, header.T2Y, header.T2Z, known);
}

std::optional<std::string> UnplacedEndPointMessage(const TrvsHeader& header, const TrvsKnownPoints& known) {
    struct End {
        const std::string& no;
        const char* defaultName;
        const std::string& x;
        const std::string& y;
        const char* role;
    };
    std::vector<End> ends = {{header.T0No, "T.1", header.T0X, header.T0Y, "器械点"}};
    if (header.TrvsType == kTrvsConnected) {
        ends.push_back({header.T2No, "T.END", header.T2X, header.T2Y, "終点"});
    }
    for (const End& end : ends) {
        const std::string name = Trim(end.no);
        if (name.empty() || name == end.defaultName || known.Find(name) ||
            TryStrToFloat(TrimView(end.x)).value_or(0) != 0 || TryStrToFloat(TrimView(end.y)).value_or(0) != 0) {
            continue;
        }
        return msg::EndPointUnplaced(Jp(end.role), name);
    }
    return std::nullopt;
}

TrvsNameEntry EnterBacksightName(TrvsHeader& header, const TrvsKnownPoints& known) {
    TrvsNameEntry result = TrvsNameEntry::NotFound;
    if (header.T1No == header.T0No) {
        header.T1No = "N";
        result = TrvsNameEntry::Refused;
    }
    if (TrimView(header.T1No).empty() || header.T1No == "N") {
        // North without a backsight point: the backsight lies due north of the start point.
        header.T1No = "N";
        header.T1Angle = header.startIncoming ? "   180.0000" : "     0.0000";
        if (result != TrvsNameEntry::Refused) {
            result = TrvsNameEntry::Found;
        }
    }
    if (auto found = known.Find(header.T1No)) {
        DirectionField(header.T1Angle, *found, FieldNumber(header.T0X), FieldNumber(header.T0Y), header.startIncoming);
        if (result != TrvsNameEntry::Refused) {
            result = TrvsNameEntry::Found;
        }
    }
    return result;
}

TrvsNameEntry EnterEndSightName(TrvsHeader& header, const TrvsKnownPoints& known) {
    if (TrimView(header.T3No).empty()) {
        return TrvsNameEntry::Empty;
    }
    if (header.T3No == header.T2No) {
        header.T3No.clear();
        return TrvsNameEntry::Refused;
    }
    auto found = known.Find(header.T3No);
    if (!found) {
        return TrvsNameEntry::NotFound;
    }
    DirectionField(header.T3Angle, *found, FieldNumber(header.T2X), FieldNumber(header.T2Y), header.endIncoming);
    return TrvsNameEntry::Found;
}

std::string ProposedTargetName(std::string_view previous) {
    try {
        return NextPointName(previous, true);
    } catch (const Error&) {
        return {};
    }
}

bool IsUsableStationName(const TrvsTable& table, int row, std::string_view name, const TrvsHeader& header,
                         const TrvsKnownPoints& known) {
    if (name.empty() || name == header.T0No) {
        return true;
    }
    for (int earlier = 1; earlier < row && earlier < table.RowCount(); ++earlier) {
        if (table.Cell(earlier, kTrvColTarget) == name) {
            return true;
        }
    }
    return known.Find(name).has_value();
}

bool AppendNextRow(TrvsTable& table, int trvsType) {
    const int last = table.RowCount() - 1;
    if (TrimView(table.Cell(last, kTrvColSlope)).empty()) {
        return false;
    }
    table.AppendRow(LegLetter(trvsType), ProposedTargetName(table.Cell(last, kTrvColTarget)));
    return true;
}

void ProposeNextTarget(TrvsTable& table, int row) {
    if (row + 1 < table.RowCount() && table.Cell(row + 1, kTrvColTarget).empty()) {
        table.SetCell(row + 1, kTrvColTarget, ProposedTargetName(table.Cell(row, kTrvColTarget)));
    }
}

} // namespace vemo
