#pragma once

#include <string>
#include <vector>

namespace vemo::surveymap {

// A position on the sheet in millimetres from its top-left corner, y downwards (as a printer's page).
struct PaperPoint {
    double x = 0;
    double y = 0;
};

// The box a text or symbol takes on the sheet: its centre, half extents along and across the text and
// the direction of the text (degrees anticlockwise from the sheet's x axis, as the reader sees it).
struct PaperBox {
    PaperPoint centre;
    double halfWidth = 0;
    double halfHeight = 0;
    double angleDeg = 0;

    std::vector<PaperPoint> Corners() const;
};

// Whether two boxes share any area (touching edges do not count): separating-axis test.
bool BoxesOverlap(const PaperBox& a, const PaperBox& b);
// Whether the segment from `p` to `q` passes through the inside of the box.
bool SegmentCrossesBox(PaperPoint p, PaperPoint q, const PaperBox& box);

// The width of CP932 text in a fixed-pitch face whose full-width characters are one em wide and
// half-width ones half an em (IPAGothic): what the painter draws and the layout reserves agree.
double TextWidth(const std::string& cp932, double heightMm);

} // namespace vemo::surveymap
