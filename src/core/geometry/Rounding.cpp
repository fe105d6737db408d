#include "core/geometry/Rounding.h"

#include <cmath>

namespace vemo {

double RoundDigits(double value, int digits, RoundMode mode) {
    long double scale = std::pow(10.0L, digits);
    long double half = mode == RoundMode::HalfAwayFromZero ? 0.5L : 0.0L;
    long double units = std::floor(std::fabs(static_cast<long double>(value)) * scale + half);
    double rounded = static_cast<double>((units + kRoundBias) / scale);
    return value < 0 && units != 0 ? -rounded : rounded;
}

double RoundMillimetre(double metres) {
    return RoundDigits(metres, kMillimetreDigits, RoundMode::HalfAwayFromZero);
}

PlanePoint RoundMillimetre(PlanePoint p) {
    return {RoundMillimetre(p.x), RoundMillimetre(p.y)};
}

} // namespace vemo
