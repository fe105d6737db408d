#pragma once

#include "ui/plot/PlotHooks.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <optional>

namespace vemo {

// Drag zones by length in pixels: up to 30 nothing (a release there is still a click), 31-99 short,
// 100-199 half a screen, 200 and more a full screen.
enum PlotZone : int { kZoneNone = 0, kZoneShort = 1, kZoneHalf = 2, kZoneFull = 3 };
int ZoneForOffset(int pixels);

// The marks a chord drag (both buttons, or the middle button) shows, from its offset to the press point.
struct PlotChordMarks {
    bool allPoints = false; // up: fit all points (or the remembered view)
    bool previous = false;  // down-left: back to the previous view
    bool reduction = false; // up-left: zoom out
    bool half = false;      // the reduction is 0.5 (far left) rather than 0.8
    friend bool operator==(const PlotChordMarks&, const PlotChordMarks&) = default;
};
PlotChordMarks ChordMarksFor(int dx, int dy);

// The pure state of the mouse gestures on the plot: buttons held, press point, chord mode, drag zones
// and marks.  The plot widget feeds it and carries out what a release decides.
struct PlotGestureState {
    bool leftHeld = false;
    bool rightHeld = false;
    bool chord = false;
    bool menuSuppressed = false; // a chord ran since the right button went down: no context menu
    QPoint press;
    std::array<int, 4> zones{}; // by PlotDirection
    PlotChordMarks marks;
    QPoint pointer; // last pointer position while a chord runs (rubber band)

    void ResetZones() { zones = {}; }
    // Recomputes the four zones of a plain left drag from the pointer's offset to the press point.
    void UpdateZones(QPoint pos);
    // The rubber band of a chord: from the press point to the pointer.
    QRect RubberBand() const { return QRect(press, pointer).normalized(); }
};

// The hint of a drag zone ("short|long"), or empty when that zone does nothing.  Zone 1 asks the host.
QString ZoneHint(PlotDirection direction, int zone, const PlotHost* host);

// The direction a plain drag acts in on release: the first of up, left, right, down whose zone does
// something (a short zone the host has no command for is passed over).  The hint shown while dragging
// and the release both ask this, so that what the hint promises is what the release does.
std::optional<PlotDirection> ActingDirection(const std::array<int, 4>& zones, const PlotHost* host);

// The hint of a chord drag with the given marks and offsets; rangeOn tells whether "範囲記憶" is on.
QString ChordHint(const PlotChordMarks& marks, int dx, int dy, bool rangeOn);

// Where the chord marks are drawn, relative to the press point.
QRect AllPointsMarkRect(QPoint press); // 30-pixel square whose lower right corner is the press point
QRect PreviousMarkRect(QPoint press);  // 15-pixel square below and left of the press point
QRect ReductionMarkRect(QPoint press); // 20-pixel square above and left of the press point

// A chord drag far up and right (dx > 100, dy < -100) also rebuilds the name index before fitting.
inline bool ChordRebuilds(int dx, int dy) {
    return dx > 100 && dy < -100;
}

} // namespace vemo
