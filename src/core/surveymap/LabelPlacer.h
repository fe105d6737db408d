#pragma once

#include "core/surveymap/PaperGeometry.h"

#include <optional>
#include <vector>

namespace vemo::surveymap {

// A place a label may take, with the leader that ties it to what it names when it stands away.
struct LabelCandidate {
    PaperBox box;
    std::optional<std::pair<PaperPoint, PaperPoint>> leader;
};

// Keeps what is already on the drawing (labels, symbols, lines) in a grid of cells over the sheet and
// finds each new label a place that touches none of it and stays inside the drawing's bounds.
class LabelPlacer {
public:
    LabelPlacer(double left, double top, double right, double bottom);

    void AddObstacle(const PaperBox& box);
    void AddSegment(PaperPoint p, PaperPoint q);
    bool IsFree(const LabelCandidate& candidate) const;

    // The first free candidate, which then becomes an obstacle (with its leader).  Nothing when none
    // is free.
    std::optional<LabelCandidate> Place(const std::vector<LabelCandidate>& candidates);

private:
    struct Segment {
        PaperPoint p, q;
    };
    bool Inside(const PaperBox& box) const;
    std::vector<int> CellsOf(double minX, double minY, double maxX, double maxY) const;
    void Register(int item, double minX, double minY, double maxX, double maxY);

    double left_, top_, right_, bottom_;
    int columns_ = 1, rows_ = 1;
    std::vector<PaperBox> boxes_;
    std::vector<Segment> segments_;
    std::vector<std::vector<int>> cells_; // item ids: boxes >= 0, segments as -1 - index
    // Per item: the query that last looked at it (an item spans several cells).
    mutable std::vector<unsigned> seenBoxes_;
    mutable std::vector<unsigned> seenSegments_;
    mutable unsigned query_ = 0;
};

} // namespace vemo::surveymap
