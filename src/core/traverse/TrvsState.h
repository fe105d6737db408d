#pragma once

#include "core/store/XyzNameIndex.h"
#include "core/traverse/TrvsInput.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsResults.h"

#include <string>
#include <vector>

namespace vemo {

// Points of a traverse computation in 2,000 slots: slot 0 is the start point, slot r the point of
// table row r.  Slots that a run does not write keep older contents; the run lists the ones it wrote.
struct TrvsPoints {
    std::vector<std::string> name = std::vector<std::string>(kTrvsSlots);
    std::vector<double> x = std::vector<double>(kTrvsSlots, 0.0);
    std::vector<double> y = std::vector<double>(kTrvsSlots, 0.0);
    std::vector<double> z = std::vector<double>(kTrvsSlots, 0.0);

    void Set(int slot, const std::string& pointName, double px, double py, double pz) {
        name[slot] = pointName;
        x[slot] = px;
        y[slot] = py;
        z[slot] = pz;
    }
};

// The last results of the traverse computations as the plot and the registration read them.  The
// window owns one for its whole life.
struct TrvsState {
    TrvsPoints TrvsRawPoints; // ShowRaw
    TrvsPoints TrvsAdjPoints; // ShowAdjusted
    // Rows computed by the last raw run, plus one for the end point of a connected traverse.
    int TrvsPointCount = 0;
    // Largest and smallest X and Y the plot's fit must show.
    XyzExtents TrvsExtents;
    // Start marker: towards the start backsight.  End marker: from the end point towards the end
    // sighting point, connected traverses with their end fields filled only.
    TrvsMarker startMarker;
    TrvsMarker endMarker;
    bool hasEndMarker = false;
    // Slot of the appended end point of a connected traverse, 0 when there is none.
    int endPointSlot = 0;
    // Slots written by the last run of each computation, ascending (slot 0 first).
    std::vector<int> rawSlots;
    std::vector<int> adjSlots;
    // Rows the last run could not compute although they were complete, one CP932 message each.
    std::vector<std::string> problems;

    // Takes a raw result: its points into their slots, its counts, extents and markers.  A result
    // that was not started clears the counts only; one a cell stopped keeps the markers shown.
    void ShowRaw(const RawTraverse& raw);
    // Takes an adjusted result: its points into their slots.
    void ShowAdjusted(const AdjustedTraverse& adjusted);
    // The new-traverse command: the first two names of both lists are emptied.
    void NewTraverse();
    // The points of TrvsRawPoints the last raw run wrote: its slots, then the end point of a
    // connected traverse.  The plot draws and picks exactly these.
    std::vector<int> PlottedSlots() const;
};

} // namespace vemo
