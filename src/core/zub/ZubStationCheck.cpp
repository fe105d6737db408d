#include "core/zub/ZubStationCheck.h"

#include "core/geometry/Angles.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/MessagesPrecision.h"
#include "core/text/Numbers.h"
#include "core/traverse/SurveyClass.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace vemo {

namespace {

constexpr double kFullCircle = 360.0 * 3600;
constexpr double kHalfCircle = 180.0 * 3600;

// Into (-180°, 180°], seconds.
double WrapHalf(double seconds) {
    double s = std::fmod(seconds, kFullCircle);
    if (s > kHalfCircle) {
        s -= kFullCircle;
    } else if (s <= -kHalfCircle) {
        s += kFullCircle;
    }
    return s;
}

// Into [0°, 360°), seconds.
double WrapFull(double seconds) {
    double s = std::fmod(seconds, kFullCircle);
    return s < 0 ? s + kFullCircle : s;
}

std::optional<double> Number(const std::string& field) {
    const std::string_view text = TrimView(field);
    if (text.empty()) {
        return std::nullopt;
    }
    return TryStrToFloat(std::string(text));
}

std::optional<double> PackedSeconds(const std::string& field) {
    const std::optional<double> packed = Number(field);
    if (!packed) {
        return std::nullopt;
    }
    return DmsToDeg(*packed) * 3600;
}

struct Sight {
    int zubRow = 0;
    bool direct = true;
    int set = 0;
    std::string target;
    std::string targetHeight;
    std::optional<double> horizontal; // seconds
    std::optional<double> vertical;   // seconds
    std::vector<double> slopes;
    std::vector<int> slopeColumns;
};

// "r1001": face, set digit, direction number.  Without a set digit the sight counts in the set after
// the last of its target and face.
Sight ReadSight(const ZubRow& z, int zubRow) {
    Sight s;
    s.zubRow = zubRow;
    s.target = z[kZubTarget];
    s.targetHeight = z[kZubTargetHeight];
    const std::string_view number = TrimView(z[kZubObsNumber]);
    s.direct = number.find('l') == std::string_view::npos;
    const size_t face = number.find_first_of("rl");
    if (face != std::string_view::npos && face + 1 < number.size() && IsAsciiDigit(number[face + 1])) {
        s.set = number[face + 1] - '0';
    }
    s.horizontal = PackedSeconds(z[kZubHAngle]);
    s.vertical = PackedSeconds(z[kZubVAngle]);
    for (int cell = kZubSlope1; cell < kZubSlope1 + 4; ++cell) {
        if (auto d = Number(z[cell])) {
            s.slopes.push_back(*d);
            s.slopeColumns.push_back(cell);
        }
    }
    return s;
}

double Spread(const std::vector<double>& values) {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return *high - *low;
}

void TakeLarger(std::optional<double>& figure, double value) {
    figure = figure ? std::max(*figure, value) : value;
}

void AddSlopeCells(std::vector<ZubCell>& cells, const Sight& s) {
    for (int column : s.slopeColumns) {
        cells.push_back({s.zubRow, column});
    }
}

// A vertical pair's 高度定数 and the records it was read from.
struct HeightConstant {
    double seconds;
    int directRow, reverseRow;
};

// The 較差 of the 高度定数 and the vertical readings of the pairs at its highest and lowest value.
void AddHeightConstantSource(ZubStationFigures& f, const std::vector<HeightConstant>& constants) {
    const auto [low, high] =
        std::minmax_element(constants.begin(), constants.end(),
                            [](const HeightConstant& a, const HeightConstant& b) { return a.seconds < b.seconds; });
    ZubStationFigures::Source source{ZubFigure::HeightConstant, high->seconds - low->seconds, {}};
    for (const HeightConstant& c : constants) {
        if (std::abs(c.seconds - low->seconds) < 1e-6 || std::abs(c.seconds - high->seconds) < 1e-6) {
            source.cells.push_back({c.directRow, kZubVAngle});
            source.cells.push_back({c.reverseRow, kZubVAngle});
        }
    }
    f.heightConstantDiff = source.value;
    f.sources.push_back(std::move(source));
}

double Mean(const std::vector<double>& values) {
    double sum = 0;
    for (double v : values) {
        sum += v;
    }
    return sum / static_cast<double>(values.size());
}

ZubStationFigures Reduce(const std::string& station, const std::string& instrumentHeight, int zubRow,
                         std::vector<Sight> sights) {
    ZubStationFigures f;
    f.station = station;
    f.instrumentHeight = instrumentHeight;
    f.zubRow = zubRow;
    // Sets: a sight without a set digit takes the next set of its target and face.
    std::map<std::pair<std::string, bool>, int> counted;
    for (Sight& s : sights) {
        int& last = counted[{s.target, s.direct}];
        if (s.set == 0) {
            s.set = last + 1;
        }
        last = std::max(last, s.set);
        f.bothFaces = f.bothFaces || !s.direct;
    }
    std::vector<std::string> targets;
    for (const Sight& s : sights) {
        if (std::find(targets.begin(), targets.end(), s.target) == targets.end()) {
            targets.push_back(s.target);
        }
    }
    std::vector<int> sets;
    for (const Sight& s : sights) {
        if (std::find(sets.begin(), sets.end(), s.set) == sets.end()) {
            sets.push_back(s.set);
        }
    }
    f.sets = static_cast<int>(sets.size());
    auto find = [&](const std::string& target, int set, bool direct) -> const Sight* {
        for (const Sight& s : sights) {
            if (s.target == target && s.set == set && s.direct == direct && s.horizontal) {
                return &s;
            }
        }
        return nullptr;
    };
    const std::string& reference = targets.empty() ? station : targets.front();
    std::vector<HeightConstant> heightConstants;
    for (const std::string& target : targets) {
        ZubStationFigures::Direction d;
        d.target = target;
        std::vector<double> doubles, differences, angles, zeniths, slopes, setMeans;
        std::vector<ZubCell> angleCells, distanceCells;
        for (int set : sets) {
            const Sight* r = find(target, set, true);
            const Sight* l = find(target, set, false);
            const Sight* r0 = find(reference, set, true);
            const Sight* l0 = find(reference, set, false);
            std::optional<double> rAngle, lAngle;
            if (r && r0) {
                rAngle = WrapFull(*r->horizontal - *r0->horizontal);
            }
            if (l && l0) {
                lAngle = WrapFull(*l->horizontal - *l0->horizontal);
            }
            if (rAngle && lAngle) {
                const double lNear = *rAngle + WrapHalf(*lAngle - *rAngle);
                doubles.push_back(*rAngle + lNear);
                differences.push_back(*rAngle - lNear);
                angleCells.push_back({r->zubRow, kZubHAngle});
                angleCells.push_back({l->zubRow, kZubHAngle});
                angles.push_back((*rAngle + lNear) / 2);
            } else if (rAngle || lAngle) {
                angles.push_back(rAngle ? *rAngle : *lAngle);
            }
            // Vertical: the reverse reading turned to a direct one, 360° - z_l.
            if (r && r->vertical && l && l->vertical) {
                heightConstants.push_back({WrapHalf(*r->vertical + *l->vertical - kFullCircle), r->zubRow, l->zubRow});
                zeniths.push_back((*r->vertical - *l->vertical + kFullCircle) / 2);
            } else if (r && r->vertical) {
                zeniths.push_back(*r->vertical);
            } else if (l && l->vertical) {
                zeniths.push_back(kFullCircle - *l->vertical);
            }
        }
        for (const Sight& s : sights) {
            if (s.target != target) {
                continue;
            }
            if (d.zubRow == 0) {
                d.zubRow = s.zubRow;
            }
            if (d.targetHeight.empty() || (s.direct && !s.targetHeight.empty())) {
                d.targetHeight = s.targetHeight;
            }
            if (!s.slopes.empty()) {
                TakeLarger(f.distanceWithinSet, Spread(s.slopes) * 1000);
                if (s.slopes.size() >= 2) {
                    ZubStationFigures::Source within{ZubFigure::DistanceWithinSet, Spread(s.slopes) * 1000, {}};
                    AddSlopeCells(within.cells, s);
                    f.sources.push_back(std::move(within));
                }
                AddSlopeCells(distanceCells, s);
                setMeans.push_back(Mean(s.slopes));
                slopes.insert(slopes.end(), s.slopes.begin(), s.slopes.end());
            }
        }
        if (doubles.size() >= 2 && target != reference) {
            TakeLarger(f.doubleAngleDiff, Spread(doubles));
            TakeLarger(f.observationDiff, Spread(differences));
            f.sources.push_back({ZubFigure::DoubleAngle, Spread(doubles), angleCells});
            f.sources.push_back({ZubFigure::Observation, Spread(differences), angleCells});
        }
        if (setMeans.size() >= 2) {
            TakeLarger(f.distanceBetweenSets, Spread(setMeans) * 1000);
            f.sources.push_back({ZubFigure::DistanceBetweenSets, Spread(setMeans) * 1000, distanceCells});
        }
        d.angleSeconds = target == reference || angles.empty() ? 0.0 : WrapFull(Mean(angles));
        if (!zeniths.empty()) {
            d.zenithDegrees = Mean(zeniths) / 3600;
        }
        if (!slopes.empty()) {
            d.slope = Mean(slopes);
        }
        f.directions.push_back(std::move(d));
    }
    if (heightConstants.size() >= 2) {
        AddHeightConstantSource(f, heightConstants);
    }
    return f;
}

std::string FigureText(const std::optional<double>& value, bool millimetres, const std::optional<double>& limit) {
    if (!value) {
        return "       -  ";
    }
    const bool over = limit && *value > *limit + 1e-9;
    return Sprintf(millimetres ? "%7.1f%s" : "%7.0f%s", *value, over ? " *" : "  ");
}

} // namespace

std::vector<ZubStationFigures> ReduceZubStations(const std::vector<ZubRow>& rows) {
    std::vector<ZubStationFigures> stations;
    std::vector<Sight> sights;
    std::string station, height;
    int stationRow = 0;
    auto close = [&] {
        if (stationRow > 0) {
            stations.push_back(Reduce(station, height, stationRow, std::move(sights)));
        }
        sights.clear();
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        const ZubRow& z = rows[i];
        if (z[0] == "D") {
            close();
            station = z[1];
            height = z[3];
            stationRow = static_cast<int>(i) + 1;
        } else if (z[0] == "F" && stationRow > 0) {
            sights.push_back(ReadSight(z, static_cast<int>(i) + 1));
        }
    }
    close();
    return stations;
}

bool ZubHasBothFaces(const std::vector<ZubRow>& rows) {
    bool direct = false, reverse = false;
    for (const ZubRow& z : rows) {
        if (z[0] == "F") {
            (IsDirectObservation(z) ? direct : reverse) = true;
        }
    }
    return direct && reverse;
}

std::vector<ZubOverLimit> ZubStationsOverLimit(const std::vector<ZubStationFigures>& stations,
                                               const ObservationLimits& limits) {
    std::vector<ZubOverLimit> over;
    for (const ZubStationFigures& s : stations) {
        const struct {
            const char* figure;
            const std::optional<double>& value;
            double limit;
            bool millimetres;
        } checks[] = {
            {"倍角差", s.doubleAngleDiff, static_cast<double>(limits.doubleAngleSeconds), false},
            {"観測差", s.observationDiff, static_cast<double>(limits.observationSeconds), false},
            {"高度定数の較差", s.heightConstantDiff, static_cast<double>(limits.heightConstantSeconds), false},
            {"1セット内の較差", s.distanceWithinSet, limits.distanceSpreadMm, true},
            {"セット間の較差", s.distanceBetweenSets, limits.distanceSpreadMm, true},
        };
        for (const auto& c : checks) {
            if (c.value && *c.value > c.limit + 1e-9) {
                over.push_back({s.station, c.figure, *c.value, c.limit, c.millimetres});
            }
        }
    }
    return over;
}

namespace {

struct FigureRule {
    const char* caption;
    double limit;
    bool millimetres;
};

FigureRule RuleOf(ZubFigure figure, const ObservationLimits& limits) {
    switch (figure) {
    case ZubFigure::DoubleAngle:
        return {"倍角差", static_cast<double>(limits.doubleAngleSeconds), false};
    case ZubFigure::Observation:
        return {"観測差", static_cast<double>(limits.observationSeconds), false};
    case ZubFigure::HeightConstant:
        return {"高度定数の較差", static_cast<double>(limits.heightConstantSeconds), false};
    case ZubFigure::DistanceWithinSet:
        return {"1セット内の較差", limits.distanceSpreadMm, true};
    case ZubFigure::DistanceBetweenSets:
        return {"セット間の較差", limits.distanceSpreadMm, true};
    }
    return {"", 0, false};
}

} // namespace

std::vector<ZubCellOverLimit> ZubCellsOverLimit(const std::vector<ZubStationFigures>& stations,
                                                const ObservationLimits& limits) {
    std::vector<ZubCellOverLimit> over;
    for (const ZubStationFigures& s : stations) {
        for (const ZubStationFigures::Source& source : s.sources) {
            const FigureRule rule = RuleOf(source.figure, limits);
            if (source.value > rule.limit + 1e-9) {
                for (const ZubCell& cell : source.cells) {
                    over.push_back({cell, rule.caption, source.value, rule.limit, rule.millimetres});
                }
            }
        }
    }
    return over;
}

std::vector<std::string> ZubCheckLines(const std::vector<ZubStationFigures>& stations,
                                       const ObservationLimits* limits) {
    std::vector<std::string> lines;
    if (limits) {
        lines.push_back(Sprintf(Jp("制限  倍角差 %d″  観測差 %d″  高度定数の較差 %d″  距離の較差 %.0f mm").c_str(),
                                limits->doubleAngleSeconds, limits->observationSeconds, limits->heightConstantSeconds,
                                limits->distanceSpreadMm));
    }
    lines.push_back(Jp("測点          対回   倍角差″   観測差″ 高度定数″ セット内mm セット間mm"));
    for (const ZubStationFigures& s : stations) {
        std::string name = s.station;
        name += std::string(name.size() < 14 ? 14 - name.size() : 1, ' ');
        const auto limit = [&](double value) { return limits ? std::optional<double>(value) : std::nullopt; };
        lines.push_back(name + Sprintf("%4d ", s.sets) +
                        FigureText(s.doubleAngleDiff, false, limit(limits ? limits->doubleAngleSeconds : 0)) +
                        FigureText(s.observationDiff, false, limit(limits ? limits->observationSeconds : 0)) +
                        FigureText(s.heightConstantDiff, false, limit(limits ? limits->heightConstantSeconds : 0)) +
                        " " + FigureText(s.distanceWithinSet, true, limit(limits ? limits->distanceSpreadMm : 0)) +
                        " " + FigureText(s.distanceBetweenSets, true, limit(limits ? limits->distanceSpreadMm : 0)));
    }
    if (limits) {
        std::vector<std::string> failing;
        for (const ZubOverLimit& o : ZubStationsOverLimit(stations, *limits)) {
            if (std::find(failing.begin(), failing.end(), o.station) == failing.end()) {
                failing.push_back(o.station);
            }
        }
        std::string names;
        for (const std::string& name : failing) {
            names += (names.empty() ? "" : ", ") + name;
        }
        if (!names.empty()) {
            lines.push_back(msg::StationsOverLimit(names));
        }
    }
    return lines;
}

} // namespace vemo
