#include "core/calc/PointGrid.h"

#include "core/geometry/Angles.h"
#include "core/geometry/Intersections.h"
#include "core/geometry/Inverse.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <cmath>

namespace vemo {

namespace {

using Points = std::vector<std::optional<PlanePoint>>;

// Distances are shown rounded half up to the millimetre.
std::string DistanceText(double metres, GridMode mode) {
    const double shown = std::floor(metres * 1000.0 + 0.5) * 0.001;
    return Sprintf(mode == GridMode::Perpendicular ? "%9.3f" : "%8.3f", shown);
}

std::string AngleText(double degrees) {
    return Sprintf("%10s", DegToDmsText(degrees).c_str());
}

double Distance(PlanePoint a, PlanePoint b) {
    return InversePoints(a, b).distance;
}

// Fills the leg from `from` to `to` into `cells` and returns its direction (none for a zero leg).
std::optional<double> PutLeg(const std::optional<PlanePoint>& from, const std::optional<PlanePoint>& to,
                             GridRowCells& cells, CalcOverlay& overlay, bool dotted) {
    if (!from || !to) {
        return std::nullopt;
    }
    const Inverse leg = InversePoints(*from, *to);
    cells.distance = DistanceText(leg.distance, GridMode::InverseOpen);
    if (leg.direction) {
        cells.direction = AngleText(*leg.direction);
    }
    overlay.segments.push_back({*from, *to, dotted});
    return leg.direction;
}

std::vector<PlanePoint> Ring(const Points& points, size_t first) {
    std::vector<PlanePoint> ring;
    for (size_t i = first; i < points.size(); ++i) {
        if (!points[i]) {
            return {};
        }
        ring.push_back(*points[i]);
    }
    return ring;
}

void ComputeOpen(const Points& points, PointGridResult& result) {
    std::optional<double> previous;
    for (size_t i = 1; i < points.size(); ++i) {
        const auto direction = PutLeg(points[i - 1], points[i], result.rows[i], result.overlay, true);
        if (i >= 2 && previous && direction) {
            result.rows[i - 1].angle = AngleText(IncludedAngle(*previous, *direction, kIncludedAngleOpenGuard));
        }
        previous = direction;
    }
    result.area = InverseAreaLines(Ring(points, 0));
}

void ComputeRadial(const Points& points, PointGridResult& result) {
    const auto backDirection = PutLeg(points[0], points[1], result.rows[1], result.overlay, false);
    for (size_t i = 2; i < points.size(); ++i) {
        const auto direction = PutLeg(points[1], points[i], result.rows[i], result.overlay, true);
        if (backDirection && direction) {
            result.rows[i].angle = AngleText(IncludedAngle(*backDirection, *direction, kIncludedAngleRadialGuard));
        }
    }
    result.area = InverseAreaLines(Ring(points, 2));
}

void ComputePerpendicular(const Points& points, PointGridResult& result) {
    if (!points[0] || !points[1]) {
        return;
    }
    const PlanePoint a = *points[0];
    const PlanePoint b = *points[1];
    const Inverse base = InversePoints(a, b);
    result.rows[1].distance = DistanceText(base.distance, GridMode::Perpendicular);
    result.overlay.segments.push_back({a, b, false});
    if (!base.direction) {
        return; // the base points coincide: there is no line to drop onto
    }
    for (size_t i = 2; i < points.size(); ++i) {
        if (!points[i]) {
            continue;
        }
        const PlanePoint foot = FootOfPerpendicular(a, *base.direction, *points[i]);
        GridRowCells& cells = result.rows[i];
        cells.distance = DistanceText(Distance(*points[i], foot), GridMode::Perpendicular);
        cells.direction = DistanceText(Distance(a, foot), GridMode::Perpendicular);
        cells.angle = DistanceText(Distance(foot, b), GridMode::Perpendicular);
        result.overlay.segments.push_back({*points[i], foot, true});
    }
}

} // namespace

std::string GridRowLabel(GridMode mode, int row) {
    if (mode == GridMode::InverseOpen) {
        return std::to_string(row);
    }
    if (row == 1) {
        return Jp(mode == GridMode::InverseRadial ? "後視" : "基1 ");
    }
    if (row == 2) {
        return Jp(mode == GridMode::InverseRadial ? "基点" : "基2 ");
    }
    return std::to_string(row - 2);
}

std::vector<std::string> GridHeadings(GridMode mode) {
    if (mode == GridMode::Perpendicular) {
        return {"", Jp("   点名   "), Jp("  距離"), Jp("  基1-"), Jp("  -基2")};
    }
    return {"", Jp("   点名"), Jp("  距離"), Jp("  方向角"), Jp("   夾角")};
}

std::vector<std::optional<PlanePoint>> ResolveGridNames(const std::vector<std::string>& names,
                                                        const XyzNameIndex& index) {
    Points points;
    points.reserve(names.size());
    for (const std::string& name : names) {
        const auto found = index.Find(name);
        points.push_back(found ? std::optional(PlanePoint{found->x, found->y}) : std::nullopt);
    }
    return points;
}

PointGridResult ComputePointGrid(GridMode mode, const Points& points) {
    PointGridResult result;
    result.area = InverseAreaLines({});
    result.rows.resize(points.size());
    if (points.size() < 2) {
        return result;
    }
    switch (mode) {
    case GridMode::InverseOpen:
        ComputeOpen(points, result);
        break;
    case GridMode::InverseRadial:
        ComputeRadial(points, result);
        break;
    case GridMode::Perpendicular:
        ComputePerpendicular(points, result);
        break;
    }
    return result;
}

std::vector<GridRowText> PointGridText(GridMode mode, const std::vector<std::string>& names,
                                       const PointGridResult& result) {
    const auto headings = GridHeadings(mode);
    std::vector<GridRowText> rows{{headings[0], headings[1], headings[2], headings[3], headings[4]}};
    for (size_t i = 0; i < names.size(); ++i) {
        const GridRowCells cells = i < result.rows.size() ? result.rows[i] : GridRowCells{};
        rows.push_back(
            {GridRowLabel(mode, static_cast<int>(i) + 1), names[i], cells.distance, cells.direction, cells.angle});
    }
    return rows;
}

} // namespace vemo
