#include "core/files/RegistryMapRings.h"

#include "core/text/Cp932.h"
#include "core/text/MessagesRegistryMap.h"

#include <algorithm>

namespace vemo {

namespace {

bool SameVertex(const MapRingVertex& a, const MapRingVertex& b) {
    if (a.point != kNoMapId && b.point != kNoMapId) {
        return a.point == b.point;
    }
    return a.x == b.x && a.y == b.y;
}

std::optional<MapRing> Fail(std::string* fault, std::string reason) {
    if (fault != nullptr) {
        *fault = std::move(reason);
    }
    return std::nullopt;
}

} // namespace

std::optional<MapRing> BuildMapRing(const RegistryMapDocument& doc, std::uint32_t surfaceNumber, std::string* fault) {
    if (surfaceNumber == kNoMapId || surfaceNumber >= doc.surfaces.size() || !doc.surfaces[surfaceNumber].defined) {
        const std::string id = surfaceNumber == kNoMapId ? "" : doc.surfaceIds.Name(surfaceNumber);
        return Fail(fault, msg::MapIdMissing(id));
    }
    const MapSurface& surface = doc.surfaces[surfaceNumber];
    MapRing ring;
    ring.interiorRings = surface.interiorRings;
    std::vector<MapRingVertex>& out = ring.vertices;
    for (std::size_t i = 0; i < surface.exterior.size(); ++i) {
        const std::uint32_t curveNumber = surface.exterior[i];
        const MapCurve& curve = doc.curves[curveNumber];
        if (!curve.defined || curve.count == 0) {
            return Fail(fault, msg::MapIdMissing(doc.curveIds.Name(curveNumber)));
        }
        std::vector<MapRingVertex> vertices;
        for (std::uint32_t k = 0; k < curve.count; ++k) {
            const MapVertex v = doc.CurveVertex(curve, k);
            if (v.point == kNoMapId) {
                vertices.push_back({kNoMapId, v.x, v.y});
                continue;
            }
            const MapPoint& p = doc.points[v.point];
            if (!p.defined) {
                return Fail(fault, msg::MapIdMissing(doc.pointIds.Name(v.point)));
            }
            vertices.push_back({v.point, p.x, p.y});
        }
        if (out.empty()) {
            out = std::move(vertices);
            continue;
        }
        if (SameVertex(out.back(), vertices.front())) {
            out.insert(out.end(), vertices.begin() + 1, vertices.end());
        } else if (SameVertex(out.back(), vertices.back())) {
            out.insert(out.end(), vertices.rbegin() + 1, vertices.rend());
        } else if (i == 1 && (SameVertex(out.front(), vertices.front()) || SameVertex(out.front(), vertices.back()))) {
            // The first curve's direction shows only at the second: it was walked the other way round.
            std::reverse(out.begin(), out.end());
            const bool forward = SameVertex(out.back(), vertices.front());
            if (forward) {
                out.insert(out.end(), vertices.begin() + 1, vertices.end());
            } else {
                out.insert(out.end(), vertices.rbegin() + 1, vertices.rend());
            }
        } else {
            return Fail(fault, msg::MapCurvesDoNotMeet(doc.curveIds.Name(curveNumber)));
        }
    }
    if (out.size() < 2 || !SameVertex(out.front(), out.back())) {
        return Fail(fault, msg::MapRingOpen());
    }
    out.pop_back();
    if (out.size() < 3) {
        return Fail(fault, msg::MapRingOpen());
    }
    return ring;
}

} // namespace vemo
