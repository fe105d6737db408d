#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vemo {

// What a registry map file (the ministry's 地図XML, 登記所備付地図データ) holds that a surveyor's point
// list can take: the header, the points, the curves and surfaces built from them, and the 筆, 筆界点 and
// 基準点 of its subject part.  Texts are UTF-8 as in the file; coordinates X north and Y east in metres.
//
// The file refers to points, curves and surfaces by id ("P000000001"); each id is given a number the
// first time it is seen, defined or referred to, so a reference may come before its definition and a
// reference to an id never defined stays visible as such (`defined` false).

constexpr std::uint32_t kNoMapId = 0xFFFFFFFFu;

struct MapPoint {
    double x = 0;
    double y = 0;
    bool defined = false;
    std::size_t line = 0; // where it was defined, or first referred to
};

// A vertex of a curve: a point by reference, or a position given in place (then `point` is kNoMapId).
struct MapVertex {
    std::uint32_t point = kNoMapId;
    double x = 0;
    double y = 0;
};

// A city's file holds about two curves a point, each of two or three vertices: their vertices are kept
// together in the document (`curveVertices`), four bytes a vertex, rather than in a list of their own.
struct MapCurve {
    std::uint32_t first = 0; // its vertices are curveVertices[first, first + count)
    std::uint32_t count = 0;
    bool defined = false;
    std::size_t line = 0;
};

// A curve's vertex as kept: a point number, or with this bit set the number of a position given in
// place (RegistryMapDocument::inPlace).
constexpr std::uint32_t kInPlaceVertex = 0x80000000u;

struct MapSurface {
    std::vector<std::uint32_t> exterior; // curve numbers, in ring order
    int interiorRings = 0;               // holes; a parcel of the store is one ring
    bool defined = false;
    std::size_t line = 0;
};

// One 筆 (parcel of the registry).
struct MapParcel {
    std::string oaza;           // 大字名
    std::string chome;          // 丁目名
    std::string koaza;          // 小字名
    std::string oazaCode;       // 大字コード
    std::string chomeCode;      // 丁目コード
    std::string chiban;         // 地番 ("地区外-1", "別図-3" for the ones the file does not draw)
    std::string precision;      // 精度区分
    std::string coordinateKind; // 座標値種別 (図上測量, 測量成果)
    std::uint32_t surface = kNoMapId;
    std::size_t line = 0;
};

// A 筆界点 (boundary point, named by its 点番名) or a 基準点 (control point, named by its 名称).
struct MapNamedPoint {
    std::string name;
    std::string kind; // 基準点種別 for a control point
    bool control = false;
    std::uint32_t point = kNoMapId;
    std::size_t line = 0;
};

// Something the reader met that the surveyor must hear of: a line of the file and what happened there
// (CP932, from the message catalogue).
struct MapProblem {
    std::size_t line = 0;
    std::string text;
};

// Interns the ids of one kind (points, curves or surfaces) as consecutive numbers.  A city's file has a
// hundred thousand ids and more, so they are kept packed: the names end to end in one text, and an open
// hash table of their numbers (about 20 bytes an id, where a map of strings takes 100).
class MapIds {
public:
    // The number of `id`, given the next one when it is new.
    std::uint32_t Of(std::string_view id);
    // The number of `id`, or kNoMapId when it was never seen.
    std::uint32_t Find(std::string_view id) const;
    std::size_t Count() const { return ends_.size(); }
    std::string Name(std::uint32_t number) const { return std::string(View(number)); }
    // Gives back what growing left over, once no more ids come.
    void Compact();

private:
    std::string_view View(std::uint32_t number) const;
    std::size_t SlotOf(std::string_view id) const; // the slot holding `id`, or the empty one it would take
    void Grow();

    std::string names_;                // every id, end to end
    std::vector<std::uint32_t> ends_;  // where each id ends in names_
    std::vector<std::uint32_t> slots_; // id numbers by hash, kNoMapId where empty; a power of two long
};

struct RegistryMapDocument {
    // 地図名, 市区町村コード, 市区町村名, 座標系 (公共座標1系 … 公共座標19系 or 任意座標系), 測地系判別.
    std::string mapName;
    std::string cityCode;
    std::string cityName;
    std::string coordinateSystem;
    std::string datumKind;
    bool rootSeen = false; // the root element 地図 of the ministry's namespace was found

    MapIds pointIds;
    std::vector<MapPoint> points; // by point number
    MapIds curveIds;
    std::vector<MapCurve> curves;
    std::vector<std::uint32_t> curveVertices;                // see kInPlaceVertex
    std::vector<std::pair<double, double>> inPlacePositions; // X, Y of the vertices given in place
    MapIds surfaceIds;
    std::vector<MapSurface> surfaces;

    std::vector<MapParcel> parcels;
    std::vector<MapNamedPoint> namedPoints;
    std::size_t sheets = 0; // 図郭
    std::vector<MapProblem> problems;
    std::size_t problemCount = 0; // problems found, also those beyond the ones kept

    // Vertex `k` of curve `c` as the file gives it: a point number without coordinates, or a position in
    // place (point kNoMapId).
    MapVertex CurveVertex(const MapCurve& c, std::uint32_t k) const {
        const std::uint32_t kept = curveVertices[c.first + k];
        if ((kept & kInPlaceVertex) == 0) {
            return {kept, 0, 0};
        }
        const auto& [x, y] = inPlacePositions[kept & ~kInPlaceVertex];
        return {kNoMapId, x, y};
    }
};

// The plane rectangular zone a 座標系 text names: 1 .. 19 for 「公共座標N系」, 0 for 「任意座標系」 and
// anything else.
int PlaneZoneOfCoordinateSystem(const std::string& utf8CoordinateSystem);

} // namespace vemo
