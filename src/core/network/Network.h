#pragma once

#include <string>
#include <vector>

namespace vemo {

// A plane control network as the adjustment sees it.  Coordinates are this program's: X northing and
// Y easting in metres; every angle is in radians, clockwise (the surveyor's sense, from north for an
// azimuth).  Readers of other conventions (axes east-north, counter-clockwise angles) convert on entry.

enum class NetworkPointRole {
    Fixed,       // a known point held fixed (与点)
    Constrained, // a known point held by its standard deviations
    Adjusted,    // a new point (新点); coordinates optional, found from the observations when missing
};

struct NetworkPoint {
    std::string name; // CP932
    NetworkPointRole role = NetworkPointRole::Adjusted;
    bool hasCoordinates = false;
    double x = 0.0;      // northing (m)
    double y = 0.0;      // easting (m)
    double sigmaX = 0.0; // for a constrained point (m)
    double sigmaY = 0.0;
    // A free network's datum point: the minimum-norm conditions of a free network (no shift, no turn of
    // the approximate coordinates) are taken over these points only, or over every point when none is
    // marked.  With a known point in the network it means nothing (gama-local's constrained "XY").
    bool datum = false;
};

enum class ObservationKind {
    Direction, // horizontal direction of a set: shares the orientation unknown of its set
    Angle,     // horizontal angle at `from`, clockwise from `backsight` to `to`
    Distance,  // horizontal distance (m)
    Azimuth,   // fixed azimuth (方向角) from `from` to `to`, clockwise from north
};

struct Observation {
    ObservationKind kind = ObservationKind::Direction;
    int from = -1; // index into Network::points
    int to = -1;
    int backsight = -1; // angles only
    int set = -1;       // directions only: index of the direction set (one orientation unknown each)
    double value = 0.0; // radians or metres
    double sigma = 0.0; // a priori standard deviation, radians or metres (> 0)
};

struct Network {
    std::vector<NetworkPoint> points;
    std::vector<Observation> observations;
    int directionSets = 0;
    double confidence = 0.95;        // of the tests (χ² test of σ0, data snooping at 1 − confidence)
    bool useAposterioriSigma = true; // σ of the results from σ0 a posteriori (else a priori, 1)
    std::string description;         // CP932, as the input gave it
};

// The observed distance's a priori standard deviation by the model of the survey rules:
// σ = √(M_S² + (K·S)²), with M_S in metres and K a ratio (5 ppm = 5e-6).
double DistanceSigma(double distance, double constantPart, double proportionalPart);

} // namespace vemo
