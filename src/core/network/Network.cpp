#include "core/network/Network.h"

#include <cmath>

namespace vemo {

double DistanceSigma(double distance, double constantPart, double proportionalPart) {
    return std::hypot(constantPart, proportionalPart * distance);
}

} // namespace vemo
