#include "core/traverse/TrvsHeader.h"

#include "core/geometry/Angles.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsOptions.h"

#include <cmath>
#include <ctime>

namespace vemo {

namespace {

// A packed direction turned round by 180°, kept below 360.  Adding whole degrees to the packed number
// is exact, so this needs no sexagesimal arithmetic.
double ReversePacked(double packed) {
    return std::fmod(packed + 180.0, 360.0);
}

} // namespace

std::string LegLetter(int trvsType) {
    switch (trvsType) {
    case kTrvsClosed:
    case kTrvsConnected:
        return "T";
    case kTrvsOpen:
        return "O";
    default:
        return "K";
    }
}

std::string TrvsHeader::StartLabel() const {
    return Jp(startIncoming ? "入射方向角:" : "出射方向角:");
}

std::string TrvsHeader::EndLabel() const {
    return Jp(endIncoming ? "終点入射方向角:" : "終点出射方向角:");
}

void TrvsHeader::Reset(const TrvsOptions& options, const std::string& today) {
    TrvsType = kTrvsRadial;
    date = today;
    remark.clear();
    T0No.clear();
    T1No.clear();
    T2No.clear();
    T3No.clear();
    T0X = T0Y = T2X = T2Y = "      0.000";
    T1Angle = T3Angle = "     0.0000";
    startIncoming = options.HowDirAgl != 0;
}

std::string TodayText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Sprintf("%02d/%02d/%02d", local.tm_year % 100, local.tm_mon + 1, local.tm_mday);
}

double HeaderNumber(const std::string& field) {
    std::string_view text = TrimView(field);
    return text.empty() ? 0.0 : StrToFloat(text);
}

double StartOrientation(const TrvsHeader& header) {
    double packed = HeaderNumber(header.T1Angle);
    return DmsToDeg(header.startIncoming ? packed : ReversePacked(packed));
}

double StartOutgoingPacked(const TrvsHeader& header) {
    double packed = HeaderNumber(header.T1Angle);
    return header.startIncoming ? ReversePacked(packed) : packed;
}

double EndOutgoingPacked(const TrvsHeader& header) {
    double packed = HeaderNumber(header.T3Angle);
    return header.endIncoming ? ReversePacked(packed) : packed;
}

} // namespace vemo
