#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// The published result of a test network (the adjustment package's XML result file): what the tests
// compare with.  Read here with expat on its own, so that no part of the program under test reads it.
struct PublishedPoint {
    double x = 0.0;
    double y = 0.0;
    double varX = 0.0; // mm², from the covariance matrix of the result
    double varY = 0.0;
    double covXY = 0.0;
};

struct PublishedObservation {
    std::string kind; // "direction", "distance", "angle", "azimuth"
    std::string from, to;
    double stdev = 0.0; // of the adjusted observation (0.0001 gon or mm)
    double standardized = 0.0;
};

struct PublishedResult {
    std::vector<std::string> order; // the adjusted points in the published order
    std::map<std::string, PublishedPoint> points;
    std::vector<PublishedObservation> observations;
    double apriori = 0.0;
    double aposteriori = 0.0;
    double lower = 0.0; // bounds of the ratio σ0 a posteriori / a priori; 0 when not tested
    double upper = 0.0;
    int degreesOfFreedom = 0;
};

PublishedResult ReadPublishedResult(const std::filesystem::path& path);
