#pragma once

// Internal to AdjustTraverse: one adjustment, shared by the station and radial steps.

#include "core/traverse/TrvsInput.h"
#include "core/traverse/TrvsReduce.h"
#include "core/traverse/TrvsResults.h"
#include "core/traverse/TrvsTable.h"

#include <string>
#include <vector>

namespace vemo::trvs_detail {

class AdjustRun {
public:
    // Fills `result` as it goes, so that a cell stopping the run leaves what came before it.
    AdjustRun(const TrvsInput& in, AdjustedTraverse& result);
    // False, with nothing computed, while the start (or end) fields are incomplete or the type is
    // neither closed nor connected.
    bool Run();

private:
    bool ReadHeader();
    void CollectStations();
    void AdjustAngles();
    void LatitudesAndDepartures();
    void DistributeMisclosure();
    void Heights();
    void RadialRows();
    void MoveToStation(size_t legsPassed);
    bool RadialSetup(int row);
    void ComputeRadialRow(int row, const TrvsHeights& heights);

    const TrvsInput& in_;
    AdjustedTraverse& result_;
    bool connected_ = false;
    bool zCalc_ = false;
    double w_ = 0, e_ = 0; // start and end outgoing directions, packed
    double x0_ = 0, y0_ = 0, z0_ = 0, xe_ = 0, ye_ = 0, ze_ = 0;
    // The station rows while they are adjusted; moved into the result when their heights are done.
    std::vector<TrvsStation> stations_;
    TrvsPrecision& precision_;
    // Radial step
    PlacedPoints placed_;
    std::string instrument_, backsight_;
    double ix_ = 0, iy_ = 0, iz_ = 0, orientation_ = 0;
    bool setupValid_ = true;
};

} // namespace vemo::trvs_detail
