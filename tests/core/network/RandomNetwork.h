#pragma once

#include "core/network/Network.h"

#include <random>
#include <vector>

namespace vemo::testing_network {

// A random plane network at realistic coordinates (X near 45 km, Y near −32 km in a plane rectangular
// zone): `fixed` known points and `fresh` new points scattered over about a kilometre, each station
// observing one direction set and distances to its nearer neighbours.  The observations are the true
// geometry plus normal noise of their standard deviations (1.8″; 10 mm + 5 ppm).  The true coordinates
// stay in `truth`; the new points carry no coordinates.
struct RandomNetwork {
    Network network;
    std::vector<double> trueX;
    std::vector<double> trueY;
};

RandomNetwork MakeRandomNetwork(std::mt19937& random, int fixed, int fresh, int neighbours);

double TrueBearing(const RandomNetwork& n, int from, int to);

} // namespace vemo::testing_network
