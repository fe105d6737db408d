#pragma once

// Internal to AdjustTraverse: the state of one adjustment, shared by the station and radial steps.

#include "core/traverse/TrvsPrecision.h"
#include "core/traverse/TrvsReduce.h"
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"

#include <optional>
#include <string>
#include <vector>

namespace vemo::trvs_detail {

// A station row: the angle measured at station k-1 (from station k-2, or the start backsight, to
// station k) and the leg from station k-1 to station k.
struct Station {
    std::string name; // the target, station k
    int row = 0;
    double angle = 0;           // measured, packed D.MMSS
    Dms adjusted;               // after the angle distribution
    double hd = 0;              // 0 without a slope distance
    double dz = 0;              // height difference with instrument and target heights, Z calculation on
    double dX = 0, dY = 0;      // latitude and departure of the leg, to the millimetre
    double adjX = 0, adjY = 0;  // after the distribution of the misclosure (0 for a missing leg)
    double x = 0, y = 0, z = 0; // the adjusted station
};

class AdjustRun {
public:
    AdjustRun(TrvsState& state, const TrvsInput& in, std::vector<std::string>* listing);
    std::optional<TrvsPrecision> Run();

private:
    bool ReadHeader();
    void CollectStations();
    void AdjustAngles();
    void LatitudesAndDepartures();
    void DistributeMisclosure();
    void Heights();
    void StoreStations();
    void ListStations();
    void RadialRows();
    void MoveToStation(size_t legsPassed);
    bool RadialSetup(int row);
    void ComputeRadialRow(int row, const TrvsHeights& heights);

    TrvsState& state_;
    const TrvsInput& in_;
    std::vector<std::string>* listing_;
    bool connected_ = false;
    bool zCalc_ = false;
    double w_ = 0, e_ = 0; // start and end outgoing directions, packed
    double x0_ = 0, y0_ = 0, z0_ = 0, xe_ = 0, ye_ = 0, ze_ = 0;
    std::vector<Station> stations_;
    int legs_ = 0; // m: n for a closed traverse, n - 1 for a connected one
    TrvsPrecision precision_;
    // Radial step
    WrittenSlots written_;
    std::string instrument_, backsight_;
    double ix_ = 0, iy_ = 0, iz_ = 0, orientation_ = 0;
    bool setupValid_ = true;
};

} // namespace vemo::trvs_detail
