#include "core/surveymap/LabelPlacer.h"

#include <algorithm>
#include <cmath>

namespace vemo::surveymap {

namespace {

constexpr double kCellMm = 8.0;

struct Extent {
    double minX, minY, maxX, maxY;
};

Extent ExtentOf(const PaperBox& box) {
    Extent e{box.centre.x, box.centre.y, box.centre.x, box.centre.y};
    for (PaperPoint c : box.Corners()) {
        e = {std::min(e.minX, c.x), std::min(e.minY, c.y), std::max(e.maxX, c.x), std::max(e.maxY, c.y)};
    }
    return e;
}

} // namespace

LabelPlacer::LabelPlacer(double left, double top, double right, double bottom)
    : left_(left), top_(top), right_(right), bottom_(bottom) {
    columns_ = std::max(1, static_cast<int>(std::ceil((right - left) / kCellMm)));
    rows_ = std::max(1, static_cast<int>(std::ceil((bottom - top) / kCellMm)));
    cells_.resize(static_cast<size_t>(columns_) * rows_);
}

std::vector<int> LabelPlacer::CellsOf(double minX, double minY, double maxX, double maxY) const {
    auto column = [&](double x) {
        return std::clamp(static_cast<int>(std::floor((x - left_) / kCellMm)), 0, columns_ - 1);
    };
    auto row = [&](double y) { return std::clamp(static_cast<int>(std::floor((y - top_) / kCellMm)), 0, rows_ - 1); };
    std::vector<int> cells;
    for (int r = row(minY); r <= row(maxY); ++r) {
        for (int c = column(minX); c <= column(maxX); ++c) {
            cells.push_back(r * columns_ + c);
        }
    }
    return cells;
}

void LabelPlacer::Register(int item, double minX, double minY, double maxX, double maxY) {
    for (int cell : CellsOf(minX, minY, maxX, maxY)) {
        cells_[cell].push_back(item);
    }
    (item >= 0 ? seenBoxes_ : seenSegments_).push_back(0);
}

void LabelPlacer::AddObstacle(const PaperBox& box) {
    boxes_.push_back(box);
    Extent e = ExtentOf(box);
    Register(static_cast<int>(boxes_.size()) - 1, e.minX, e.minY, e.maxX, e.maxY);
}

void LabelPlacer::AddSegment(PaperPoint p, PaperPoint q) {
    segments_.push_back({p, q});
    Register(-static_cast<int>(segments_.size()), std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x),
             std::max(p.y, q.y));
}

bool LabelPlacer::Inside(const PaperBox& box) const {
    Extent e = ExtentOf(box);
    return e.minX >= left_ && e.maxX <= right_ && e.minY >= top_ && e.maxY <= bottom_;
}

bool LabelPlacer::IsFree(const LabelCandidate& candidate) const {
    if (!Inside(candidate.box)) {
        return false;
    }
    ++query_;
    Extent e = ExtentOf(candidate.box);
    if (candidate.leader) {
        auto [p, q] = *candidate.leader;
        e = {std::min({e.minX, p.x, q.x}), std::min({e.minY, p.y, q.y}), std::max({e.maxX, p.x, q.x}),
             std::max({e.maxY, p.y, q.y})};
    }
    for (int cell : CellsOf(e.minX, e.minY, e.maxX, e.maxY)) {
        for (int item : cells_[cell]) {
            unsigned& seen = item >= 0 ? seenBoxes_[item] : seenSegments_[-item - 1];
            if (seen == query_) {
                continue;
            }
            seen = query_;
            if (item >= 0) {
                const PaperBox& other = boxes_[item];
                if (BoxesOverlap(candidate.box, other) ||
                    (candidate.leader && SegmentCrossesBox(candidate.leader->first, candidate.leader->second, other))) {
                    return false;
                }
            } else if (const Segment& s = segments_[-item - 1]; SegmentCrossesBox(s.p, s.q, candidate.box)) {
                return false;
            }
        }
    }
    return true;
}

std::optional<LabelCandidate> LabelPlacer::Place(const std::vector<LabelCandidate>& candidates) {
    for (const LabelCandidate& candidate : candidates) {
        if (IsFree(candidate)) {
            AddObstacle(candidate.box);
            if (candidate.leader) {
                AddSegment(candidate.leader->first, candidate.leader->second);
            }
            return candidate;
        }
    }
    return std::nullopt;
}

} // namespace vemo::surveymap
