#include "core/geometry/Angles.h"

#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesCalc.h"
#include "core/text/Numbers.h"

#include <cmath>
#include <cstdlib>

namespace vemo {

namespace {

constexpr long double kMinuteInDegrees = 1.0L / 60.0L;
constexpr long double kSecondInDegrees = 1.0L / 3600.0L;

// Packed angles beyond this many degrees have no whole-second reading in an int triple.
constexpr double kMaxPackedDegrees = 2e9;

long double FloorGuarded(long double value) {
    return std::floor(value + kAngleGuard);
}

long double FloorMod(long double value, long double modulus) {
    long double r = std::fmod(value, modulus);
    return r < 0 ? r + modulus : r;
}

long double Packed(long double d, long double m, long double s) {
    return d + m * 0.01L + s * 0.0001L;
}

// Magnitudes only: the public functions mirror negative angles onto these.
long double DmsToDegMagnitude(long double x) {
    long double d = FloorGuarded(x);
    long double m = FloorGuarded((x - d) * 100.0L);
    long double s = ((x - d) - 0.01L * m) * 10000.0L;
    return d + m * kMinuteInDegrees + s * kSecondInDegrees;
}

long double DegToDmsMagnitude(long double x) {
    long double d = FloorGuarded(x);
    long double m = FloorGuarded((x - d) * 60.0L);
    long double s = FloorGuarded(((x - d) * 60.0L - m) * 60.0L + 0.5L);
    long double carry = FloorGuarded(s / 60.0L);
    long double minutes = carry + m;
    return Packed(std::floor(minutes / 60.0L + kAngleGuard) + d, FloorMod(minutes, 60.0L), FloorMod(s, 60.0L));
}

double WithoutNegativeZero(long double value) {
    return value == 0 ? 0.0 : static_cast<double>(value);
}

int DigitsToInt(const std::string& text, size_t from, size_t count) {
    return std::atoi(text.substr(from, count).c_str());
}

} // namespace

double DegToRad(double degrees) {
    return static_cast<double>(degrees * kDegToRad);
}

double RadToDeg(double radians) {
    return static_cast<double>(radians * kRadToDeg);
}

double DmsToDeg(double packed) {
    long double x = packed;
    return WithoutNegativeZero(x < 0 ? -DmsToDegMagnitude(-x) : DmsToDegMagnitude(x));
}

double DegToDms(double degrees) {
    long double x = degrees;
    return WithoutNegativeZero(x < 0 ? -DegToDmsMagnitude(-x) : DegToDmsMagnitude(x));
}

std::string DegToDmsText(double degrees) {
    if (!std::isfinite(degrees)) {
        throw Error(msg::AngleNotNumber());
    }
    long double x = std::fabs(static_cast<long double>(degrees));
    long double d = FloorGuarded(x);
    long double m = FloorGuarded((x - d) * 60.0L);
    // The seconds are rounded without the guard; a 60 carries into the minutes and on into degrees.
    long double s = std::floor(((x - d) * 60.0L - m) * 60.0L + 0.5L);
    if (s >= 60) {
        s = 0;
        m += 1;
    }
    if (m >= 60) {
        m = 0;
        d += 1;
    }
    bool negative = degrees < 0 && (d != 0 || m != 0 || s != 0);
    return Sprintf("%s%.0Lf-%02d-%02d", negative ? "-" : "", d, static_cast<int>(m), static_cast<int>(s));
}

Dms SplitDms(double packed) {
    if (!std::isfinite(packed) || std::fabs(packed) >= kMaxPackedDegrees) {
        throw Error(msg::AngleTooLarge(Sprintf("%g", packed)));
    }
    // Split the text the angle field shows, so that the parts are exactly the digits the surveyor sees.
    std::string text = FormatFixed(packed, 4);
    size_t point = text.find('.');
    Dms dms;
    dms.degrees = std::atoi(text.substr(0, point).c_str());
    dms.minutes = DigitsToInt(text, point + 1, 2);
    dms.seconds = DigitsToInt(text, point + 3, 2);
    return dms;
}

Dms CarryDms(Dms dms) {
    if (dms.seconds >= 60) {
        dms.minutes += dms.seconds / 60;
        dms.seconds %= 60;
    }
    if (dms.minutes >= 60) {
        dms.degrees += dms.minutes / 60;
        dms.minutes %= 60;
    }
    return dms;
}

std::int64_t DmsToSeconds(double packed) {
    Dms dms = SplitDms(std::fabs(packed));
    std::int64_t seconds = std::int64_t{dms.degrees} * 3600 + std::int64_t{dms.minutes} * 60 + dms.seconds;
    return packed < 0 ? -seconds : seconds;
}

double PackDms(Dms dms) {
    return static_cast<double>(Packed(dms.degrees, dms.minutes, dms.seconds));
}

double SecondsToDms(std::int64_t seconds) {
    std::int64_t magnitude = seconds < 0 ? -seconds : seconds;
    long double packed =
        Packed(static_cast<long double>(magnitude / 3600), static_cast<long double>(magnitude / 60 % 60),
               static_cast<long double>(magnitude % 60));
    return WithoutNegativeZero(seconds < 0 ? -packed : packed);
}

double AddDms(double a, double b) {
    // Adding whole seconds and splitting once is the component-wise sum with its carries.
    return SecondsToDms(DmsToSeconds(a) + DmsToSeconds(b));
}

double IncludedAngle(double back, double fore, double guard) {
    // +180 turns the incoming leg round to point back at the previous point; +360 keeps the sum positive.
    long double v = static_cast<long double>(fore) - back + 540.0L;
    return static_cast<double>(v - 360.0L * std::floor(v / 360.0L + guard));
}

} // namespace vemo
