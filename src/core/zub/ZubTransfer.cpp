#include "core/zub/ZubTransfer.h"

#include "core/geometry/Angles.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/MessagesPrecision.h"
#include "core/text/MessagesReading.h"
#include "core/text/MessagesZub.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsEntry.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsOptions.h"
#include "core/zub/ZubStationCheck.h"

#include <optional>
#include <set>

namespace vemo {

namespace {

// What an observation field may hold: angles packed D.MMSS within one turn, a distance from 0 to
// 100 km, heights of a few metres.  A field book edited by hand can hold 1e308, which the traverse
// would compute into "inf" coordinates.
struct FieldRule {
    const char* label;
    const char* pattern;
    double low;
    double high;
};
constexpr FieldRule kHAngle{"水平角", "0.0000", 0.0, 360.0};
constexpr FieldRule kVAngle{"高度角", "0.0000", -360.0, 360.0};
constexpr FieldRule kSlope{"斜距離", "0.000", 0.0, 100'000.0};
constexpr FieldRule kInstrumentHeight{"器械高", "0.000", -1'000.0, 1'000.0};
constexpr FieldRule kTargetHeight{"視準高", "0.000", -1'000.0, 1'000.0};

// A field as a number; an empty field stays empty (the computation skips such a row).  A field that
// is no number or lies outside its rule gives nothing and says why in `problem`.
std::optional<std::string> NumberCell(const std::string& field, const FieldRule& rule, std::string& problem) {
    if (field.empty()) {
        return std::string();
    }
    const std::string_view text = TrimView(field);
    const std::optional<double> value = TryStrToFloat(text);
    if (!value) {
        problem = msg::ZubObservationNotNumeric();
        return std::nullopt;
    }
    if (!(*value >= rule.low && *value <= rule.high)) {
        problem = msg::ZubObservationOutOfRange(Jp(rule.label), Excerpt(text));
        return std::nullopt;
    }
    return FormatPattern(*value, rule.pattern);
}

// The reading turned to the setup's reference direction, in whole seconds below 360°.
std::string FromReference(const std::string& reading, double reference) {
    if (reference == 0 || reading.empty()) {
        return reading;
    }
    const double value = StrToFloat(reading);
    constexpr std::int64_t kFullCircle = 360 * 3600;
    const std::int64_t seconds =
        ((DmsToSeconds(value) - DmsToSeconds(reference)) % kFullCircle + kFullCircle) % kFullCircle;
    return FormatPattern(SecondsToDms(seconds), "0.0000");
}

struct Setup {
    std::string station;
    std::string instrumentHeight;
    std::string backsight; // empty until the setup's first direct observation
    double reference = 0;
    bool first = true; // the next direct observation is the setup's first
};

} // namespace

ZubTraverse CollectZubTraverse(const std::vector<ZubRow>& zubRows) {
    ZubTraverse result;
    std::optional<Setup> setup;
    int beyondLimit = 0;
    for (size_t i = 0; i < zubRows.size(); ++i) {
        const ZubRow& z = zubRows[i];
        const int zubRow = static_cast<int>(i) + 1;
        if (z[0] == "B") {
            result.remark = z[1];
            result.date = z[5];
        } else if (z[0] == "D") {
            setup.emplace();
            setup->station = z[1];
            setup->instrumentHeight = z[3];
            if (result.startName.empty()) {
                result.startName = z[1];
            }
        } else if (z[0] == "F" && IsDirectObservation(z)) {
            if (!setup) {
                result.notes.push_back(msg::ZubNote(zubRow, msg::ZubObservationBeforeSetup()));
                continue;
            }
            std::string problem;
            const std::optional<std::string> h = NumberCell(z[kZubHAngle], kHAngle, problem);
            const std::optional<std::string> v = NumberCell(z[kZubVAngle], kVAngle, problem);
            const std::optional<std::string> s = NumberCell(z[kZubSlope1], kSlope, problem);
            const std::optional<std::string> ih =
                NumberCell(setup->first ? setup->instrumentHeight : "", kInstrumentHeight, problem);
            const std::optional<std::string> th = NumberCell(z[kZubTargetHeight], kTargetHeight, problem);
            if (!h || !v || !s || !ih || !th) {
                result.notes.push_back(msg::ZubNote(zubRow, problem));
                continue;
            }
            if (static_cast<int>(result.rows.size()) >= kTrvsMaxRows) {
                ++beyondLimit;
                continue;
            }
            if (setup->first) {
                setup->backsight = z[kZubTarget];
                setup->reference = h->empty() ? 0.0 : StrToFloat(*h);
                setup->first = false;
            }
            TrvsRow row;
            row[kTrvColInst] = setup->station;
            row[kTrvColBack] = setup->backsight;
            row[kTrvColTarget] = z[kZubTarget];
            row[kTrvColHAngle] = FromReference(*h, setup->reference);
            row[kTrvColVAngle] = *v;
            row[kTrvColSlope] = *s;
            row[kTrvColInstH] = *ih;
            row[kTrvColTargetH] = *th;
            if (result.rows.empty()) {
                result.backsightName = setup->backsight;
            }
            result.rows.push_back(std::move(row));
            result.sourceRows.push_back(zubRow);
        } else if (FindZubRecordKind(z[0]) == nullptr) {
            result.notes.push_back(msg::ZubNote(zubRow, msg::ZubRecordNotObservation(z[0])));
        }
    }
    if (beyondLimit > 0) {
        result.notes.push_back(msg::ZubObservationsBeyond(kTrvsMaxRows, beyondLimit));
    }
    return result;
}

std::vector<std::string> TransferZubToTraverse(const std::vector<ZubRow>& zubRows, const TrvsOptions& options,
                                               const TrvsKnownPoints& known, const std::string& today,
                                               TrvsHeader& header, TrvsTable& table, ZubReduction reduction) {
    const bool bothFaces = ZubHasBothFaces(zubRows);
    const bool mean = reduction == ZubReduction::FaceMean || (reduction == ZubReduction::Auto && bothFaces);
    ZubTraverse walk = mean ? CollectZubMeanTraverse(zubRows) : CollectZubTraverse(zubRows);
    std::vector<std::string> notes;
    if (bothFaces || mean) {
        notes.push_back(msg::ZubReductionUsed(mean));
    }
    notes.insert(notes.end(), walk.notes.begin(), walk.notes.end());
    // Stations and backsights must be known: from the coordinate list, or computed by an earlier row.
    std::set<std::string> computed;
    std::set<std::string> named;
    for (size_t i = 0; i < walk.rows.size(); ++i) {
        for (int col : {kTrvColInst, kTrvColBack}) {
            const std::string& name = walk.rows[i][col];
            if (!computed.contains(name) && !known.Find(name) && named.insert(name).second) {
                notes.push_back(msg::ZubNote(walk.sourceRows[i], msg::ZubSetupPointUnknown(col == kTrvColInst, name)));
            }
        }
        computed.insert(walk.rows[i][kTrvColTarget]);
        walk.rows[i][kTrvColNo] = std::to_string(i + 1);
        walk.rows[i][kTrvColTm].assign(1, 'K');
    }
    TrvsHeader newHeader = header;
    newHeader.Reset(options, today);
    newHeader.date = walk.date;
    newHeader.remark = walk.remark;
    if (!walk.startName.empty()) {
        newHeader.T0No = walk.startName;
        EnterStartName(newHeader, known);
    }
    if (!walk.backsightName.empty()) {
        newHeader.T1No = walk.backsightName;
        EnterBacksightName(newHeader, known);
    }
    TrvsTable newTable = table;
    newTable.Reset();
    newTable.SetRows(std::move(walk.rows), "K");
    for (int col : {kTrvColInstH, kTrvColTargetH}) {
        if (newTable.Cell(1, col).empty()) {
            newTable.SetCell(1, col, "0.000");
        }
    }
    header = std::move(newHeader);
    table = std::move(newTable);
    return notes;
}

} // namespace vemo
