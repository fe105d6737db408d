#include "core/surveymap/PaperGeometry.h"

#include "core/text/Cp932.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vemo::surveymap {

namespace {

struct Axes {
    double ux, uy; // along the text
    double vx, vy; // across it
};

// On the sheet y runs down, so a text turned anticlockwise (as seen) by θ runs along (cos θ, −sin θ).
Axes AxesOf(const PaperBox& box) {
    double a = box.angleDeg * std::numbers::pi / 180.0;
    return {std::cos(a), -std::sin(a), std::sin(a), std::cos(a)};
}

// Projection radius of a box on a unit axis.
double Radius(const PaperBox& box, const Axes& axes, double ax, double ay) {
    return box.halfWidth * std::fabs(axes.ux * ax + axes.uy * ay) +
           box.halfHeight * std::fabs(axes.vx * ax + axes.vy * ay);
}

constexpr double kTouch = 1e-9; // boxes that only touch do not overlap

} // namespace

std::vector<PaperPoint> PaperBox::Corners() const {
    Axes axes = AxesOf(*this);
    std::vector<PaperPoint> corners;
    for (auto [s, t] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}) {
        corners.push_back({centre.x + s * halfWidth * axes.ux + t * halfHeight * axes.vx,
                           centre.y + s * halfWidth * axes.uy + t * halfHeight * axes.vy});
    }
    return corners;
}

bool BoxesOverlap(const PaperBox& a, const PaperBox& b) {
    Axes axesA = AxesOf(a);
    Axes axesB = AxesOf(b);
    double dx = b.centre.x - a.centre.x;
    double dy = b.centre.y - a.centre.y;
    for (auto [ax, ay] :
         {std::pair{axesA.ux, axesA.uy}, {axesA.vx, axesA.vy}, {axesB.ux, axesB.uy}, {axesB.vx, axesB.vy}}) {
        double distance = std::fabs(dx * ax + dy * ay);
        if (distance >= Radius(a, axesA, ax, ay) + Radius(b, axesB, ax, ay) - kTouch) {
            return false;
        }
    }
    return true;
}

bool SegmentCrossesBox(PaperPoint p, PaperPoint q, const PaperBox& box) {
    // Into the box's own frame, then clip the segment against the box (Liang-Barsky).
    Axes axes = AxesOf(box);
    auto local = [&](PaperPoint point) {
        double x = point.x - box.centre.x;
        double y = point.y - box.centre.y;
        return std::pair{x * axes.ux + y * axes.uy, x * axes.vx + y * axes.vy};
    };
    auto [x0, y0] = local(p);
    auto [x1, y1] = local(q);
    double t0 = 0;
    double t1 = 1;
    double dx = x1 - x0;
    double dy = y1 - y0;
    const double limits[2][3] = {{dx, x0, box.halfWidth}, {dy, y0, box.halfHeight}};
    for (const auto& [d, start, limit] : limits) {
        for (double sign : {-1.0, 1.0}) {
            // inside: sign * (start + t d) < limit
            double num = limit - sign * start;
            double den = sign * d;
            if (std::fabs(den) < 1e-15) {
                if (num <= kTouch) {
                    return false;
                }
                continue;
            }
            double t = num / den;
            if (den > 0) {
                t1 = std::min(t1, t);
            } else {
                t0 = std::max(t0, t);
            }
        }
    }
    return t1 - t0 > 1e-9;
}

double TextWidth(const std::string& text, double height) {
    double ems = 0;
    for (size_t i = 0; i < text.size();) {
        bool wide = IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        ems += wide ? 1.0 : 0.5;
        i += wide ? 2 : 1;
    }
    return ems * height;
}

} // namespace vemo::surveymap
