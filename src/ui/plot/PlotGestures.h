#pragma once

#include "ui/plot/PlotHooks.h"
#include "ui/plot/PlotViewport.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QtCore/qnamespace.h>

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

// What a plot's gestures are made of.  The main plot runs the short-drag commands of its host, fits
// the remembered view while "範囲記憶" is on and rebuilds the index on a far up-right chord; the
// traverse plot has only the pans, and a shorter drag is a click.
struct PlotGestureRules {
    const PlotHost* host = nullptr;
    bool shortZones = true;   // 31-99 pixels is a zone of its own (else it is no drag at all)
    bool rangeOn = false;     // the up chord shows the remembered view
    bool rebuildChord = true; // the far up-right chord names its rebuilding of the index
};

// What a chord does when its last button goes up, from its marks and its offset to the press point.
enum class PlotChordAction { FitAll, Reduce, Previous, Rectangle, Recentre };
PlotChordAction ChordActionFor(const PlotChordMarks& marks, int dx, int dy);

// What a button release asks the plot to do.
struct PlotRelease {
    enum class Kind { None, Pan, ShortCommand, Click, Chord };
    Kind kind = Kind::None;
    PlotDirection direction = PlotDirection::Up; // Pan, ShortCommand
    int zone = kZoneNone;                        // Pan
    PlotChordAction chord = PlotChordAction::Recentre;
    PlotChordMarks marks; // Chord: the marks shown when it ended
    QPoint press;         // Chord: where it started
};

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
    void UpdateZones(QPoint pos, bool shortZones = true);

    // A button went down; true when it started a chord (the plot then hints "|移 動").
    bool Press(Qt::MouseButton button, QPoint pos);
    // The pointer moved: zones or chord marks follow it; returns the hint that names what a release
    // would do ("|" when nothing).
    QString Move(QPoint pos, const PlotGestureRules& rules);
    // A button went up: its flag is cleared and the gesture decided.  A plain left release acts on the
    // zone the hint named, or is a click when the drag stayed within the click distance; a chord acts
    // when its last button goes up and ends then.
    PlotRelease Release(Qt::MouseButton button, QPoint pos, const PlotGestureRules& rules);
    // The rubber band of a chord: from the press point to the pointer.
    QRect RubberBand() const { return QRect(press, pointer).normalized(); }
};

// The hint of a drag zone ("short|long"), or empty when that zone does nothing.  Zone 1 asks the host.
QString ZoneHint(PlotDirection direction, int zone, const PlotHost* host);

// The direction a plain drag acts in on release: the first of up, left, right, down whose zone does
// something (a short zone the host has no command for is passed over).  The hint shown while dragging
// and the release both ask this, so that what the hint promises is what the release does.
std::optional<PlotDirection> ActingDirection(const std::array<int, 4>& zones, const PlotHost* host);

// The hint of a chord drag with the given marks and offsets.
QString ChordHint(const PlotChordMarks& marks, int dx, int dy, const PlotGestureRules& rules);

// Where the chord marks are drawn, relative to the press point.
QRect AllPointsMarkRect(QPoint press); // 30-pixel square whose lower right corner is the press point
QRect PreviousMarkRect(QPoint press);  // 15-pixel square below and left of the press point
QRect ReductionMarkRect(QPoint press); // 20-pixel square above and left of the press point

// A chord drag far up and right (dx > 100, dy < -100) also rebuilds the name index before fitting.
inline bool ChordRebuilds(int dx, int dy) {
    return dx > 100 && dy < -100;
}

// A pan by half the plot (zone 2) or the whole plot (zone 3) in the drag's direction; nothing while
// the scale is 0.
void PanView(PlotViewport& view, PlotDirection direction, int zone);

// The view a chord other than the fit of all points leaves (the fit is each plot's own): reduced by 0.8
// or 0.5, swapped with the previous view when there is one (the name size going with the view), zoomed
// to the rectangle from the press point to `pos` (corners converted by the view as it is, the view
// before it becoming the previous one, names in `bigFont`), or re-centred on `pos`.  False when nothing
// could change because the scale is 0.
bool ChangeViewByChord(const PlotRelease& release, QPoint pos, PlotViewport& view, int& nameSize,
                       PlotViewRecord& previous, int bigFont);

} // namespace vemo
