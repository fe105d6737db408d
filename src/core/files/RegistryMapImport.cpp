#include "core/files/RegistryMapImport.h"

#include "core/division/RingShape.h"
#include "core/files/RegistryMapRings.h"
#include "core/store/CommaList.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesRegistryMap.h"
#include "core/text/Numbers.h"

#include <map>
#include <optional>
#include <set>
#include <unordered_map>

namespace vemo {

namespace {

constexpr std::size_t kNamesListed = 20; // a city's file skips hundreds: the first ones are named
constexpr std::size_t kMaxNameBytes = 16;

} // namespace

std::string Cp932OrGeta(const std::string& utf8) {
    if (auto whole = Utf8ToCp932(utf8)) {
        return *whole;
    }
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = 1;
        const auto c = static_cast<unsigned char>(utf8[i]);
        length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        out += Utf8ToCp932(utf8.substr(i, length)).value_or(Jp("〓"));
        i += length;
    }
    return out;
}

namespace {

// A generated name from an id: "*" and the id with the zeros in front of its number left out
// ("P000000026" -> "*P26").
std::string GeneratedName(const std::string& id) {
    std::size_t digits = 0;
    while (digits < id.size() && (id[digits] < '0' || id[digits] > '9')) {
        ++digits;
    }
    std::size_t firstSignificant = id.find_first_not_of('0', digits);
    if (firstSignificant == std::string::npos) {
        firstSignificant = id.empty() ? 0 : id.size() - 1;
    }
    return "*" + id.substr(0, digits) + id.substr(firstSignificant);
}

std::string CoordinateKey(double x, double y) {
    return FormatFixed(x, 3) + "," + FormatFixed(y, 3);
}

bool NotDrawn(const MapParcel& parcel) {
    return parcel.chiban.starts_with("地区外") || parcel.chiban.starts_with("別図");
}

// Names every parcel as the parcel list will show it: its 地番, or, where the maps hold more than one
// 地番区域 (大字 and 丁目), the 大字名 and 丁目名 with it, so two 「1番」 of different 大字 stay apart.
std::vector<std::vector<std::string>> ParcelNames(const std::vector<NamedRegistryMap>& maps) {
    std::set<std::pair<std::string, std::string>> areas;
    for (const NamedRegistryMap& map : maps) {
        for (const MapParcel& parcel : map.doc.parcels) {
            // 地区外 parcels carry no 大字: they must not make the others' names longer.
            if (!NotDrawn(parcel)) {
                areas.insert({parcel.oaza, parcel.chome});
            }
        }
    }
    const bool qualify = areas.size() > 1;
    std::vector<std::vector<std::string>> names(maps.size());
    for (std::size_t m = 0; m < maps.size(); ++m) {
        for (const MapParcel& parcel : maps[m].doc.parcels) {
            names[m].push_back(qualify ? parcel.oaza + parcel.chome + parcel.chiban : parcel.chiban);
        }
    }
    return names;
}

double RingArea(const std::vector<MapRingVertex>& ring) {
    long double sum = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const MapRingVertex& a = ring[i];
        const MapRingVertex& b = ring[(i + 1) % ring.size()];
        sum += static_cast<long double>(a.x) * b.y - static_cast<long double>(b.x) * a.y;
    }
    return static_cast<double>(sum < 0 ? -sum / 2 : sum / 2);
}

void NoteList(std::vector<std::string>& notes, const std::vector<std::string>& names,
              std::string (*message)(const std::string& listed, std::size_t count)) {
    if (names.empty()) {
        return;
    }
    std::string listed;
    for (std::size_t i = 0; i < names.size() && i < kNamesListed; ++i) {
        listed += (i ? Jp("、") : "") + names[i];
    }
    notes.push_back(message(listed, names.size()));
}

// Builds the store's rows and parcels from the chosen rings.
class ImportBuilder {
public:
    ImportBuilder(const std::vector<NamedRegistryMap>& maps, RegistryMapImport& out) : maps_(maps), out_(out) {
        named_.resize(maps.size());
        for (std::size_t m = 0; m < maps.size(); ++m) {
            const RegistryMapDocument& doc = maps[m].doc;
            for (std::size_t i = 0; i < doc.namedPoints.size(); ++i) {
                const std::uint32_t point = doc.namedPoints[i].point;
                if (point != kNoMapId) {
                    named_[m].try_emplace(point, i);
                }
            }
        }
    }

    // The row name of a vertex, adding its row the first time.
    std::string Take(std::size_t map, const MapRingVertex& vertex) {
        const std::string key =
            std::to_string(map) + ":" +
            (vertex.point != kNoMapId ? std::to_string(vertex.point) : CoordinateKey(vertex.x, vertex.y));
        if (auto it = taken_.find(key); it != taken_.end()) {
            return it->second;
        }
        std::string name = NameFor(map, vertex);
        taken_.emplace(key, name);
        return name;
    }

    // Every named point of the maps, also those no chosen ring passes (control points).
    void TakeAllNamedPoints() {
        for (std::size_t m = 0; m < maps_.size(); ++m) {
            const RegistryMapDocument& doc = maps_[m].doc;
            for (const MapNamedPoint& named : doc.namedPoints) {
                if (named.point != kNoMapId && named.point < doc.points.size() && doc.points[named.point].defined) {
                    const MapPoint& p = doc.points[named.point];
                    Take(m, MapRingVertex{named.point, p.x, p.y});
                }
            }
        }
    }

    std::vector<std::string> renamed;
    int generated = 0;

private:
    std::string NameFor(std::size_t map, const MapRingVertex& vertex) {
        const RegistryMapDocument& doc = maps_[map].doc;
        const std::string coordinates = CoordinateKey(vertex.x, vertex.y);
        std::string kind;
        std::string id = vertex.point != kNoMapId ? doc.pointIds.Name(vertex.point) : "";
        if (auto it = named_[map].find(vertex.point); vertex.point != kNoMapId && it != named_[map].end()) {
            const MapNamedPoint& named = doc.namedPoints[it->second];
            kind = named.control ? (named.kind.empty() ? "基準点" : named.kind) : "筆界点";
            std::optional<std::string> name = Utf8ToCp932(named.name);
            if (name && !name->empty() && name->size() <= kMaxNameBytes) {
                auto held = rowsByName_.find(*name);
                if (held == rowsByName_.end()) {
                    return AddRow(*name, vertex, kind);
                }
                if (held->second == coordinates) {
                    return *name; // the same point in the next map sheet
                }
            }
            const std::string fallback = Fresh(GeneratedName(id), map);
            renamed.push_back(msg::MapPointRenamed(Cp932OrGeta(named.name), fallback));
            return AddRow(fallback, vertex, kind);
        }
        ++generated;
        if (id.empty()) {
            id = "V" + std::to_string(++directCount_);
        }
        return AddRow(Fresh(GeneratedName(id), map), vertex, kind);
    }

    std::string Fresh(const std::string& base, std::size_t map) {
        std::string name = base;
        for (int n = 2; rowsByName_.count(name) != 0; ++n) {
            name = base + "-" + std::to_string(map + 1) + (n > 2 ? "-" + std::to_string(n - 1) : "");
        }
        return name;
    }

    std::string AddRow(const std::string& name, const MapRingVertex& vertex, const std::string& utf8Kind) {
        XyzRow row;
        row[kColName] = name;
        row[kColX] = FormatFixed(vertex.x, 3);
        row[kColY] = FormatFixed(vertex.y, 3);
        row[kColTensyu] = utf8Kind.empty() ? "" : Cp932OrGeta(utf8Kind);
        out_.rows.push_back(std::move(row));
        rowsByName_.emplace(name, CoordinateKey(vertex.x, vertex.y));
        return name;
    }

    const std::vector<NamedRegistryMap>& maps_;
    RegistryMapImport& out_;
    std::vector<std::unordered_map<std::uint32_t, std::size_t>> named_;
    std::unordered_map<std::string, std::string> taken_;      // map:point -> row name
    std::unordered_map<std::string, std::string> rowsByName_; // row name -> coordinates
    int directCount_ = 0;
};

struct ChosenParcel {
    std::size_t map;
    std::size_t parcel;
};

// The parcels the choice names (each drawn parcel when it names none), then their neighbours.
std::vector<ChosenParcel> Choose(const std::vector<NamedRegistryMap>& maps, const RegistryMapChoice& choice,
                                 const std::vector<std::vector<std::string>>& names,
                                 const std::vector<std::vector<std::optional<MapRing>>>& rings) {
    std::vector<std::vector<bool>> chosen(maps.size());
    for (std::size_t m = 0; m < maps.size(); ++m) {
        chosen[m].assign(maps[m].doc.parcels.size(), choice.chibans.empty());
    }
    for (const std::string& wanted : choice.chibans) {
        bool found = false;
        for (std::size_t m = 0; m < maps.size(); ++m) {
            for (std::size_t p = 0; p < maps[m].doc.parcels.size(); ++p) {
                if (maps[m].doc.parcels[p].chiban == wanted || names[m][p] == wanted) {
                    chosen[m][p] = found = true;
                }
            }
        }
        if (!found) {
            throw Error(msg::NoSuchChiban(Cp932OrGeta(wanted)));
        }
    }
    if (choice.withAdjacent && !choice.chibans.empty()) {
        std::set<std::string> corners;
        for (std::size_t m = 0; m < maps.size(); ++m) {
            for (std::size_t p = 0; p < rings[m].size(); ++p) {
                if (chosen[m][p] && rings[m][p]) {
                    for (const MapRingVertex& v : rings[m][p]->vertices) {
                        corners.insert(CoordinateKey(v.x, v.y));
                    }
                }
            }
        }
        for (std::size_t m = 0; m < maps.size(); ++m) {
            for (std::size_t p = 0; p < rings[m].size(); ++p) {
                if (chosen[m][p] || !rings[m][p]) {
                    continue;
                }
                for (const MapRingVertex& v : rings[m][p]->vertices) {
                    if (corners.count(CoordinateKey(v.x, v.y))) {
                        chosen[m][p] = true;
                        break;
                    }
                }
            }
        }
    }
    std::vector<ChosenParcel> result;
    for (std::size_t m = 0; m < maps.size(); ++m) {
        for (std::size_t p = 0; p < chosen[m].size(); ++p) {
            if (chosen[m][p]) {
                result.push_back({m, p});
            }
        }
    }
    return result;
}

void NoteMaps(const std::vector<NamedRegistryMap>& maps, RegistryMapImport& out) {
    for (const NamedRegistryMap& map : maps) {
        for (const MapProblem& problem : map.doc.problems) {
            out.notes.push_back(msg::MapProblemAt(Cp932OrGeta(map.name), problem.line, problem.text));
        }
        if (map.doc.problemCount > map.doc.problems.size()) {
            out.notes.push_back(
                msg::MapMoreProblems(Cp932OrGeta(map.name), map.doc.problemCount - map.doc.problems.size()));
        }
        if (map.doc.coordinateSystem != maps.front().doc.coordinateSystem) {
            out.notes.push_back(
                msg::MapCoordinateSystemsDiffer(Cp932OrGeta(map.name), Cp932OrGeta(map.doc.coordinateSystem)));
        }
    }
}

} // namespace

std::vector<RegistryMapParcelEntry> RegistryMapParcels(const std::vector<NamedRegistryMap>& maps) {
    const auto names = ParcelNames(maps);
    std::vector<RegistryMapParcelEntry> entries;
    for (std::size_t m = 0; m < maps.size(); ++m) {
        const RegistryMapDocument& doc = maps[m].doc;
        for (std::size_t p = 0; p < doc.parcels.size(); ++p) {
            const MapParcel& parcel = doc.parcels[p];
            RegistryMapParcelEntry entry{names[m][p], parcel.oaza + parcel.chome, parcel.chiban, parcel.precision, 0,
                                         false};
            if (!NotDrawn(parcel)) {
                if (std::optional<MapRing> ring = BuildMapRing(doc, parcel.surface)) {
                    entry.area = RingArea(ring->vertices);
                    entry.drawn = true;
                }
            }
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

RegistryMapImport ImportRegistryMaps(const std::vector<NamedRegistryMap>& maps, const RegistryMapChoice& choice) {
    RegistryMapImport out;
    if (maps.empty()) {
        return out;
    }
    const auto names = ParcelNames(maps);
    std::vector<std::vector<std::optional<MapRing>>> rings(maps.size());
    std::vector<std::string> skipped;
    std::vector<std::string> broken;
    for (std::size_t m = 0; m < maps.size(); ++m) {
        const RegistryMapDocument& doc = maps[m].doc;
        for (std::size_t p = 0; p < doc.parcels.size(); ++p) {
            const MapParcel& parcel = doc.parcels[p];
            std::string fault;
            if (NotDrawn(parcel)) {
                rings[m].push_back(std::nullopt);
            } else {
                rings[m].push_back(BuildMapRing(doc, parcel.surface, &fault));
            }
        }
    }
    const std::vector<ChosenParcel> chosen = Choose(maps, choice, names, rings);

    ImportBuilder builder(maps, out);
    std::set<std::string> blockNames;
    for (const ChosenParcel& c : chosen) {
        const RegistryMapDocument& doc = maps[c.map].doc;
        const MapParcel& parcel = doc.parcels[c.parcel];
        const std::string name = Cp932OrGeta(names[c.map][c.parcel]);
        if (NotDrawn(parcel) || parcel.surface == kNoMapId) {
            skipped.push_back(name);
            continue;
        }
        std::string fault;
        std::optional<MapRing> ring = BuildMapRing(doc, parcel.surface, &fault);
        if (!ring) {
            broken.push_back(msg::MapRingBroken(name, fault));
            continue;
        }
        std::vector<std::string> vertexNames;
        std::vector<PlanePoint> plane;
        double sumX = 0;
        double sumY = 0;
        for (const MapRingVertex& v : ring->vertices) {
            vertexNames.push_back(builder.Take(c.map, v));
            plane.push_back({v.x, v.y});
            sumX += v.x;
            sumY += v.y;
        }
        if (!IsSimpleRing(plane)) {
            out.notes.push_back(msg::MapRingCrossesItself(name));
        }
        if (ring->interiorRings > 0) {
            out.notes.push_back(msg::MapHolesLeftOut(name, ring->interiorRings));
        }
        // The closing vertex repeats the first, as every closed parcel of the store does.
        vertexNames.push_back(vertexNames.front());
        sumX += ring->vertices.front().x;
        sumY += ring->vertices.front().y;
        const double count = static_cast<double>(vertexNames.size());
        std::string blockName = name;
        for (int n = 2; !blockNames.insert(blockName).second; ++n) {
            blockName = name + "(" + std::to_string(n) + ")";
        }
        if (blockName != name) {
            out.notes.push_back(msg::MapParcelRenamed(name, blockName));
        }
        out.blocks.push_back(Block{blockName, EncodeCommaList(vertexNames), static_cast<int>(vertexNames.size()) + 1,
                                   std::stod(FormatFixed(sumX / count, 3)), std::stod(FormatFixed(sumY / count, 3))});
    }
    if (choice.chibans.empty()) {
        builder.TakeAllNamedPoints();
    }
    if (out.rows.size() > static_cast<std::size_t>(kMaxPointRows)) {
        throw Error(msg::MapTooManyPoints(out.rows.size(), kMaxPointRows));
    }
    if (out.blocks.size() > static_cast<std::size_t>(kMaxBlocks)) {
        throw Error(msg::MapTooManyParcels(out.blocks.size(), kMaxBlocks));
    }
    out.generatedNames = builder.generated;
    out.coordinateSystem = maps.front().doc.coordinateSystem;
    out.planeZone = PlaneZoneOfCoordinateSystem(out.coordinateSystem);

    NoteMaps(maps, out);
    NoteList(out.notes, skipped, msg::MapParcelsSkipped);
    for (const std::string& b : broken) {
        out.notes.push_back(b);
    }
    for (const std::string& r : builder.renamed) {
        out.notes.push_back(r);
    }
    if (out.generatedNames > 0) {
        out.notes.push_back(msg::MapNamesGenerated(out.generatedNames));
    }
    out.notes.push_back(out.planeZone == 0 ? msg::MapLocalCoordinates(Cp932OrGeta(out.coordinateSystem))
                                           : msg::MapDatumNotGiven());
    std::vector<std::string> mapNames;
    for (const NamedRegistryMap& map : maps) {
        mapNames.push_back(Cp932OrGeta(map.name));
    }
    out.sourceLine = msg::RegistryMapSource(Cp932OrGeta(maps.front().doc.cityName), mapNames);
    return out;
}

} // namespace vemo
