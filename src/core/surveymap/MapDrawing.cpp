// The drawing part of the survey map: boundaries, symbols, labels, north arrow, scale bar.
#include "core/geometry/Inverse.h"
#include "core/surveymap/LabelPlacer.h"
#include "core/surveymap/MapParts.h"
#include "core/surveymap/SurveyMapModel.h"
#include "core/text/Cp932.h"
#include "core/text/MessagesSurveyMap.h"
#include "core/text/Numbers.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

namespace vemo::surveymap {

namespace {

constexpr double kSubjectLineMm = kBoldLineMm;
constexpr double kAdjacentLineMm = kThinLineMm;
constexpr double kMarkerMm = 1.8;
constexpr double kControlMarkerMm = 2.4;
constexpr double kNameHeightMm = 2.2;
constexpr double kDistanceHeightMm = 2.2;
constexpr double kSubjectNumberMm = 4.5;
constexpr double kAdjacentNumberMm = 3.5;
constexpr double kCategoryMm = 2.5;
constexpr double kLeaderFromMm = 4.0; // labels this far from their anchor get a leader
constexpr double kFrameClearMm = 1.5; // labels keep this far inside the drawing's edge (the frame)

using Ring = std::vector<PaperPoint>;

bool InsidePolygon(PaperPoint p, const Ring& ring) {
    bool inside = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        if ((ring[i].y > p.y) != (ring[j].y > p.y) &&
            p.x < (ring[j].x - ring[i].x) * (p.y - ring[i].y) / (ring[j].y - ring[i].y) + ring[i].x) {
            inside = !inside;
        }
    }
    return inside;
}

bool InsideRect(PaperPoint p, PaperRect r) {
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

// The part of a segment inside the rectangle (Liang-Barsky); nothing when it lies outside.
std::optional<std::pair<PaperPoint, PaperPoint>> ClipToRect(PaperPoint p, PaperPoint q, PaperRect r) {
    double t0 = 0, t1 = 1, dx = q.x - p.x, dy = q.y - p.y;
    for (auto [den, num] :
         {std::pair{-dx, p.x - r.left}, {dx, r.right - p.x}, {-dy, p.y - r.top}, {dy, r.bottom - p.y}}) {
        if (den == 0) {
            if (num < 0) {
                return std::nullopt;
            }
        } else if (double t = num / den; den < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
    }
    if (t0 >= t1) {
        return std::nullopt;
    }
    return std::pair{PaperPoint{p.x + t0 * dx, p.y + t0 * dy}, PaperPoint{p.x + t1 * dx, p.y + t1 * dy}};
}

// Sides within this many degrees of the vertical have their text read from the right of the sheet.
constexpr double kSteepDeg = 30.0;

// Text along a side reads as a drawing's figures do, from the bottom of the sheet or from its right:
// left to right on a side that is not steep, bottom to top on one that is (whichever way it leans, so
// that the figures of two nearly vertical sides never read in opposite directions).
double ReadableAngle(PaperPoint a, PaperPoint b) {
    double angle = std::atan2(-(b.y - a.y), b.x - a.x) * 180.0 / std::numbers::pi; // (-180, 180]
    if (angle > 90.0 + kSteepDeg - 1e-9) {
        angle -= 180.0;
    } else if (angle <= -90.0 + kSteepDeg - 1e-9) {
        angle += 180.0;
    }
    return angle; // (-60, 120]
}

PaperPoint Along(PaperPoint p, double dx, double dy, double d) {
    return {p.x + dx * d, p.y + dy * d};
}

class DrawingBuilder {
public:
    DrawingBuilder(const SurveyMapModel& model, PaperRect area, SurveyMapLayout& layout)
        : model_(model), area_(area), layout_(layout),
          placer_(area.left + kFrameClearMm, area.top + kFrameClearMm, area.right - kFrameClearMm,
                  area.bottom - kFrameClearMm) {
        for (const MapPoint& point : model.points) {
            paper_.push_back(layout.transform.ToPaper(point.at));
        }
    }

    void Build() {
        for (bool subject : {false, true}) {
            for (const MapParcel& parcel : model_.parcels) {
                if (parcel.subject == subject) {
                    AddBoundary(parcel);
                }
            }
        }
        AddMarkers();
        // Where no line or symbol passes, before the labels take the free room.
        AddNorthArrow();
        AddScaleBar();
        AddDistances();
        AddPointNames();
        for (const MapParcel& parcel : model_.parcels) {
            AddParcelNumber(parcel);
        }
        if (unplaced_ > 0) {
            layout_.unplacedLabels = unplaced_;
            layout_.warnings.push_back(msg::LabelsUnplaced(unplaced_));
        }
    }

private:
    Ring PaperRing(const MapParcel& parcel) const {
        Ring ring;
        for (int i : parcel.ring) {
            ring.push_back(paper_[i]);
        }
        return ring;
    }

    void AddBoundary(const MapParcel& parcel) {
        Ring ring = PaperRing(parcel);
        MapLayer layer = parcel.subject ? MapLayer::SubjectLine : MapLayer::AdjacentLine;
        double width = parcel.subject ? kSubjectLineMm : kAdjacentLineMm;
        layout_.boundaries.push_back({layer, ring, width, true});
        bool whole = std::all_of(ring.begin(), ring.end(), [&](PaperPoint p) { return InsideRect(p, area_); });
        if (whole) {
            layout_.lines.push_back({layer, ring, width, true});
        }
        for (size_t i = 0; i < ring.size(); ++i) {
            auto clipped = ClipToRect(ring[i], ring[(i + 1) % ring.size()], area_);
            if (!clipped) {
                continue;
            }
            if (!whole) {
                layout_.lines.push_back({layer, {clipped->first, clipped->second}, width});
            }
            placer_.AddSegment(clipped->first, clipped->second);
        }
    }

    void AddMarker(PaperPoint at, MarkerSymbol symbol, double size) {
        layout_.markers.push_back({MapLayer::Point, at, symbol, size});
        placer_.AddObstacle({at, size / 2 + 0.2, size / 2 + 0.2, 0});
    }

    void AddMarkers() {
        for (size_t i = 0; i < model_.points.size(); ++i) {
            if (InsideRect(paper_[i], area_)) {
                AddMarker(paper_[i], model_.points[i].symbol, kMarkerMm);
            }
        }
        for (const MapPoint& control : model_.controlPoints) {
            PaperPoint at = layout_.transform.ToPaper(control.at);
            if (InsideRect(at, area_)) {
                AddMarker(at, control.symbol, kControlMarkerMm);
                controlPaper_.push_back({&control, at});
            }
        }
    }

    // Every side of a subject parcel once (a side two subject parcels share is written once).
    void AddDistances() {
        std::set<std::pair<int, int>> done;
        for (const MapParcel& parcel : model_.parcels) {
            if (!parcel.subject) {
                continue;
            }
            Ring ring = PaperRing(parcel);
            for (size_t n = 0; n < parcel.ring.size(); ++n) {
                int a = parcel.ring[n];
                int b = parcel.ring[(n + 1) % parcel.ring.size()];
                if (a == b || !done.insert(std::minmax(a, b)).second) {
                    continue;
                }
                AddDistance(model_.points[a].at, model_.points[b].at, paper_[a], paper_[b], ring);
            }
        }
    }

    void AddDistance(PlanePoint ga, PlanePoint gb, PaperPoint a, PaperPoint b, const Ring& ring) {
        double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length < 1e-6) {
            return;
        }
        std::string text = Sprintf("%.3f", InversePoints(ga.x, ga.y, gb.x, gb.y).distance);
        double ux = (b.x - a.x) / length, uy = (b.y - a.y) / length;
        double nx = -uy, ny = ux;
        PaperPoint middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
        if (InsidePolygon(Along(middle, nx, ny, 0.05), ring)) {
            nx = -nx;
            ny = -ny;
        }
        double angle = ReadableAngle(a, b);
        double width = TextWidth(text, kDistanceHeightMm);
        double half = kDistanceHeightMm / 2;
        std::vector<LabelCandidate> candidates;
        for (double offset : {0.5, 1.8, 3.5}) {
            for (double t : {0.5, 0.38, 0.62, 0.25, 0.75, 0.12, 0.88}) {
                PaperPoint at = Along(Along(a, ux, uy, length * t), nx, ny, offset + half);
                candidates.push_back({{at, width / 2, half, angle}, std::nullopt});
            }
        }
        // Away from a crowded side, tied to its middle by a leader; inside the parcel only when nothing
        // outside is free.
        for (double offset : {6.0, 9.0, 13.0, 18.0}) {
            for (double t : {0.5, 0.3, 0.7}) {
                PaperPoint foot = Along(a, ux, uy, length * t);
                PaperPoint at = Along(foot, nx, ny, offset + half);
                candidates.push_back(
                    {{at, width / 2, half, angle}, std::pair{Along(foot, nx, ny, 0.3), Along(foot, nx, ny, offset)}});
            }
        }
        for (double t : {0.5, 0.35, 0.65}) {
            candidates.push_back(
                {{Along(Along(a, ux, uy, length * t), nx, ny, -(0.5 + half)), width / 2, half, angle}, std::nullopt});
        }
        Emit(MapLayer::Distance, text, candidates);
    }

    void AddPointNames() {
        PaperPoint centre = layout_.transform.paperCentre;
        for (size_t i = 0; i < model_.points.size(); ++i) {
            if (InsideRect(paper_[i], area_)) {
                AddName(model_.points[i].name, paper_[i], centre, kMarkerMm);
            }
        }
        for (const auto& [control, at] : controlPaper_) {
            AddName(control->name, at, centre, kControlMarkerMm);
        }
    }

    // Around its symbol, first on the side away from the middle of the subject parcels.
    void AddName(const std::string& name, PaperPoint at, PaperPoint centre, double markerSize) {
        double width = TextWidth(name, kNameHeightMm);
        double half = kNameHeightMm / 2;
        double outward = std::atan2(at.y - centre.y, at.x - centre.x);
        std::vector<std::pair<double, double>> directions; // (angular distance, angle)
        for (int k = 0; k < 16; ++k) {
            double angle = k * std::numbers::pi / 8;
            double difference = std::fabs(std::remainder(angle - outward, 2 * std::numbers::pi));
            directions.push_back({difference, angle});
        }
        std::sort(directions.begin(), directions.end());
        std::vector<LabelCandidate> candidates;
        for (double gap : {0.4, 1.5, 3.0, 5.0, 8.0, 12.0}) {
            for (auto [unused, angle] : directions) {
                double dx = std::cos(angle), dy = std::sin(angle);
                // The nearer edge of the box stands `gap` beyond the symbol in this direction.
                double reach = markerSize / 2 + gap;
                PaperPoint c{at.x + dx * (reach + width / 2 * std::fabs(dx)),
                             at.y + dy * (reach + half * std::fabs(dy))};
                LabelCandidate candidate{{c, width / 2, half, 0}, std::nullopt};
                if (gap >= kLeaderFromMm) {
                    candidate.leader =
                        std::pair{Along(at, dx, dy, markerSize / 2 + 0.3), Along(at, dx, dy, reach - 0.3)};
                }
                candidates.push_back(candidate);
            }
        }
        Emit(MapLayer::PointName, name, candidates);
    }

    // The 地番 (and 地目 under it) inside the parcel, as near its middle as is free.
    void AddParcelNumber(const MapParcel& parcel) {
        Ring ring = PaperRing(parcel);
        PaperPoint centre = LabelCentre(ring);
        double numberHeight = parcel.subject ? kSubjectNumberMm : kAdjacentNumberMm;
        double numberWidth = TextWidth(parcel.name, numberHeight);
        double categoryWidth = TextWidth(parcel.category, kCategoryMm);
        bool withCategory = !parcel.category.empty();
        double height = numberHeight + (withCategory ? kCategoryMm + 0.8 : 0);
        double width = std::max(numberWidth, categoryWidth);
        std::vector<LabelCandidate> candidates;
        for (double radius = 0; radius <= 80; radius += 2.5) {
            int steps = radius == 0 ? 1 : static_cast<int>(radius * 2);
            for (int k = 0; k < steps; ++k) {
                double angle = 2 * std::numbers::pi * k / steps;
                PaperPoint at{centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
                if (InsidePolygon(at, ring)) {
                    candidates.push_back({{at, width / 2, height / 2, 0}, std::nullopt});
                }
            }
        }
        std::optional<LabelCandidate> placed = placer_.Place(candidates);
        if (!placed) {
            if (candidates.empty()) {
                return; // the parcel shows no room on this sheet
            }
            ++unplaced_;
            placed = candidates.front();
        }
        PaperPoint c = placed->box.centre;
        MapLayer layer = MapLayer::ParcelNumber;
        layout_.texts.push_back(
            CentredText(layer, parcel.name, {c.x, c.y - height / 2 + numberHeight / 2}, numberHeight));
        if (withCategory) {
            layout_.texts.push_back(
                CentredText(layer, parcel.category, {c.x, c.y + height / 2 - kCategoryMm / 2}, kCategoryMm));
        }
    }

    // The area centroid of the part of the ring on the sheet; for a parcel that runs off the drawing,
    // the middle of its corners that are on it.
    PaperPoint LabelCentre(const Ring& ring) const {
        double a = 0, cx = 0, cy = 0;
        for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
            double cross = ring[j].x * ring[i].y - ring[i].x * ring[j].y;
            a += cross;
            cx += (ring[j].x + ring[i].x) * cross;
            cy += (ring[j].y + ring[i].y) * cross;
        }
        PaperPoint centroid = std::fabs(a) > 1e-9 ? PaperPoint{cx / (3 * a), cy / (3 * a)} : ring.front();
        if (InsideRect(centroid, area_)) {
            return centroid;
        }
        PaperPoint sum{0, 0};
        int count = 0;
        for (PaperPoint p : ring) {
            if (InsideRect(p, area_)) {
                sum = {sum.x + p.x, sum.y + p.y};
                ++count;
            }
        }
        return count > 0 ? PaperPoint{sum.x / count, sum.y / count} : centroid;
    }

    void Emit(MapLayer layer, const std::string& text, const std::vector<LabelCandidate>& candidates) {
        std::optional<LabelCandidate> placed = placer_.Place(candidates);
        if (!placed) {
            ++unplaced_;
            placed = candidates.front();
        }
        layout_.texts.push_back({layer, text, placed->box});
        if (placed->leader) {
            layout_.lines.push_back({MapLayer::Leader, {placed->leader->first, placed->leader->second}, kThinLineMm});
        }
    }

    // The first of the places (centres of a box of the half extents given) that nothing covers, from
    // the drawing's corners inwards; the first place when all are taken.
    PaperPoint FreePlace(double halfWidth, double halfHeight, bool topFirst) {
        std::vector<PaperPoint> places;
        for (double inset = 0; inset <= 40; inset += 10) {
            double left = area_.left + kFrameClearMm + halfWidth + 2 + inset;
            double right = area_.right - kFrameClearMm - halfWidth - 2 - inset;
            double top = area_.top + kFrameClearMm + halfHeight + 2 + inset;
            double bottom = area_.bottom - kFrameClearMm - halfHeight - 2 - inset;
            std::vector<PaperPoint> corners =
                topFirst ? std::vector<PaperPoint>{{right, top}, {left, top}, {right, bottom}, {left, bottom}}
                         : std::vector<PaperPoint>{{left, bottom}, {right, bottom}, {left, top}, {right, top}};
            places.insert(places.end(), corners.begin(), corners.end());
        }
        for (PaperPoint place : places) {
            if (placer_.IsFree({{place, halfWidth, halfHeight, 0}, std::nullopt})) {
                return place;
            }
        }
        return places.front();
    }

    void AddNorthArrow() {
        PaperPoint place = FreePlace(4, 13, true);
        double cx = place.x, top = place.y - 12.5;
        MapLayer layer = MapLayer::NorthArrow;
        layout_.texts.push_back(CentredText(layer, "N", {cx, top + 2}, 4));
        layout_.lines.push_back({layer, {{cx, top + 5}, {cx, top + 25}}, kBoldLineMm});
        layout_.lines.push_back(
            {layer, {{cx, top + 5}, {cx - 2.5, top + 13}, {cx, top + 11}}, kThinLineMm, true, true});
        layout_.lines.push_back({layer, {{cx, top + 5}, {cx + 2.5, top + 13}, {cx, top + 11}}, kThinLineMm, true});
        placer_.AddObstacle({{cx, top + 12.5}, 4, 13, 0});
    }

    void AddScaleBar() {
        int scale = layout_.scale;
        double metres = 1;
        for (double candidate : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0}) {
            if (candidate * 1000.0 / scale <= 45.0) {
                metres = candidate;
            }
        }
        double length = metres * 1000.0 / scale;
        double captionWidth = TextWidth(Jp("縮尺 1/") + std::to_string(scale), 3.5);
        double halfWidth = (length + 6 + captionWidth + 4) / 2;
        PaperPoint place = FreePlace(halfWidth, 4.5, false);
        double left = place.x - halfWidth + 2, y = place.y - 0.5;
        MapLayer layer = MapLayer::ScaleBar;
        layout_.lines.push_back({layer, {{left, y}, {left + length, y}}, kBoldLineMm});
        for (double f : {0.0, 0.5, 1.0}) {
            layout_.lines.push_back({layer, {{left + length * f, y - 1.5}, {left + length * f, y}}, kThinLineMm});
        }
        layout_.texts.push_back(CentredText(layer, "0", {left, y + 2.5}, 2.2));
        layout_.texts.push_back(CentredText(layer, Sprintf("%gm", metres), {left + length, y + 2.5}, 2.2));
        MapText caption = LeftText(layer, Jp("縮尺 1/") + std::to_string(scale), left + length + 6, y, 3.5);
        double right = caption.box.centre.x + caption.box.halfWidth;
        layout_.texts.push_back(std::move(caption));
        placer_.AddObstacle({{(left - 2 + right) / 2, y + 0.5}, (right - left + 4) / 2, 4.5, 0});
    }

    const SurveyMapModel& model_;
    PaperRect area_;
    SurveyMapLayout& layout_;
    LabelPlacer placer_;
    std::vector<PaperPoint> paper_;
    std::vector<std::pair<const MapPoint*, PaperPoint>> controlPaper_;
    int unplaced_ = 0;
};

} // namespace

void LayOutDrawing(const SurveyMapModel& model, PaperRect area, SurveyMapLayout& layout) {
    DrawingBuilder(model, area, layout).Build();
}

} // namespace vemo::surveymap
