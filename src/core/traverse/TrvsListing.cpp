#include "core/traverse/TrvsListing.h"

#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsPrecision.h"
#include "core/traverse/TrvsResults.h"
#include "core/traverse/TrvsTable.h"

#include <cmath>

namespace vemo {

namespace {

// printf writes -0.000 for a small negative value; a legal listing must not.
double Nz(double value, int decimals) {
    return std::fabs(value) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : value;
}

std::string TypeName(int trvsType) {
    switch (trvsType) {
    case kTrvsClosed:
        return Jp("閉合");
    case kTrvsConnected:
        return Jp("結合");
    case kTrvsOpen:
        return Jp("開放");
    default:
        return Jp("放射");
    }
}

std::string ObservationHeader() {
    return Jp("№ TM 器械 後視 測点  水平角 水平距離  方向角        X          Y        Z");
}

// D°MM′SS″ with the degrees in the general number format.
std::string AngleSumText(const Dms& sum) {
    return FormatGeneral(sum.degrees) + Jp("°") + FormatPattern(sum.minutes, "00") + Jp("′") +
           FormatPattern(sum.seconds, "00") + Jp("″");
}

std::string SightLine(const TrvsSight& r) {
    return Sprintf("%3d%1s %-5s%-5s%-5s %8.4f%8.3f %8.4f%11.3f%11.3f%9.3f", r.row, r.tm.c_str(), r.instrument.c_str(),
                   r.backsight.c_str(), r.target.c_str(), Nz(r.horizontalPacked, 4), Nz(r.hd, 3),
                   Nz(r.orientationPacked, 4), Nz(r.x, 3), Nz(r.y, 3), Nz(r.z, 3));
}

double CellValue(const TrvsTable& table, int row, int col) {
    std::string_view text = TrimView(table.Cell(row, col));
    return text.empty() ? 0.0 : StrToFloat(text);
}

} // namespace

void AppendRawListing(std::vector<std::string>& out, const RawTraverse& raw) {
    if (!raw.started) {
        return;
    }
    out.push_back("            >>>>>>>>      " + TypeName(raw.trvsType) + Jp("トラバース      <<<<<<<<"));
    out.emplace_back();
    out.push_back(ObservationHeader());
    out.push_back(std::string(77, '-'));
    const TrvsPoint& start = raw.start;
    out.push_back(Sprintf("%3s%1s %-5s%-5s%-5s %8s%8s %8s%11.3f%11.3f%9.3f", "", "", "", "", start.name.c_str(), "", "",
                          "", Nz(start.x, 3), Nz(start.y, 3), Nz(start.z, 3)));
    for (const TrvsSight& sight : raw.sights) {
        out.push_back(SightLine(sight));
    }
}

void AppendAdjustedListing(std::vector<std::string>& out, const AdjustedTraverse& a) {
    if (a.stations.empty()) {
        return;
    }
    const TrvsPrecision& p = a.precision;
    out.push_back(Jp("     >>>>>>>>　  ") + TypeName(a.trvsType) + Jp("トラバース ( ") +
                  Jp(a.compassRule ? "コンパス法則" : "トランシット法則") + Jp(" )    <<<<<<<<"));
    out.push_back(Jp("測角合計 = ") + AngleSumText(p.angleSum));
    out.push_back(Jp("測角誤差 = ") + FormatGeneral(static_cast<double>(p.angleMisclosure)) + Jp("″"));
    if (a.zCalc) {
        out.push_back(Jp("高低誤差 = ") + FormatPattern(p.heightMisclosure, "0.000"));
    }
    out.push_back(Jp("距離合計 = ") + FormatPattern(p.totalDistance, "0.000"));
    out.push_back(Jp("緯距誤差 = ") + FormatPattern(p.fx, "0.000"));
    out.push_back(Jp("経距誤差 = ") + FormatPattern(p.fy, "0.000"));
    out.push_back(Jp("高低誤差 = ") + FormatPattern(p.heightMisclosure, "0.000"));
    out.push_back(Jp("閉 合 差 = ") + FormatPattern(p.closure, "0.000000"));
    out.push_back(Jp("閉 合 比 = 1 / ") + FormatGeneral(static_cast<double>(p.ratio)));
    out.emplace_back();
    out.push_back(Jp("  測点      調整角度  調整緯距  調整経距        X           Y         Z"));
    out.push_back(std::string(74, '-'));
    // Line k is station k: the angle measured there is that of station row k + 1, its leg runs to
    // station k + 1 (the target of that row); station 0 is the start point.
    for (size_t k = 0; k < a.stations.size(); ++k) {
        const TrvsStation& next = a.stations[k];
        const bool first = k == 0;
        const TrvsStation* at = first ? nullptr : &a.stations[k - 1];
        out.push_back(ListingStationLine(first ? a.start.name : at->name, next.adjustedAngle, next.adjX, next.adjY,
                                         first ? a.start.x : at->x, first ? a.start.y : at->y,
                                         first ? a.start.z : at->z));
    }
    out.emplace_back();
    out.push_back(ObservationHeader());
    out.push_back(std::string(77, '-'));
    for (const TrvsSight& sight : a.radialSights) {
        out.push_back(SightLine(sight));
    }
}

std::string ListingStationLine(const std::string& name, Dms angle, double dX, double dY, double x, double y, double z) {
    return Sprintf("%-10s%4d-%02d-%02d%10.3f%10.3f%12.3f%12.3f%9.3f", name.c_str(), angle.degrees, angle.minutes,
                   angle.seconds, Nz(dX, 3), Nz(dY, 3), Nz(x, 3), Nz(y, 3), Nz(z, 3));
}

void AppendInputListing(std::vector<std::string>& out, const TrvsHeader& h, const TrvsTable& table) {
    out.emplace_back();
    out.push_back(Jp("                  >>>>>   入力データ   <<<<<"));
    out.emplace_back();
    out.push_back(Jp("トラバースの型 : ") + TypeName(h.TrvsType));
    out.push_back(Jp("  年 月 日     : ") + h.date);
    out.push_back(Jp("  備    考     : ") + h.remark);
    out.push_back(Jp("  器 械 点     : № = ") + h.T0No + "    X = " + Trim(h.T0X) + "    Y = " + Trim(h.T0Y));
    out.push_back(Jp("  後 視 点     : № = ") + h.T1No + Jp("              方向角 = ") + Trim(h.T1Angle));
    if (h.TrvsType == kTrvsConnected) {
        out.push_back(Jp("  器 械 点     : No = ") + h.T2No + "    X = " + Trim(h.T2X) + "    Y = " + Trim(h.T2Y));
        out.push_back(Jp("  視 準 点     : No = ") + h.T3No + Jp("          終点方向角 = ") + Trim(h.T3Angle));
    }
    out.emplace_back();
    out.push_back(Jp("№  TM  器械点   後視点    測点     水平角    高度角   斜距離"));
    out.push_back(std::string(64, '-'));
    for (int row = 1; row < table.RowCount(); ++row) {
        out.push_back(Sprintf("%4d %1s %8s %8s %8s  %8.4f  %8.4f %8.3f", row, table.Cell(row, kTrvColTm).c_str(),
                              table.Cell(row, kTrvColInst).c_str(), table.Cell(row, kTrvColBack).c_str(),
                              table.Cell(row, kTrvColTarget).c_str(), CellValue(table, row, kTrvColHAngle),
                              CellValue(table, row, kTrvColVAngle), CellValue(table, row, kTrvColSlope)));
    }
}

std::vector<std::string> PrecisionDialogLines(int trvsType, const TrvsPrecision& p) {
    return {
        " " + TypeName(trvsType) + Jp("トラバース - 精度計算"),
        Jp("測角合計     ") + AngleSumText(p.angleSum),
        Jp("測角誤差     ") + FormatGeneral(static_cast<double>(p.angleMisclosure)) + Jp("″"),
        Jp("距離合計     ") + FormatPattern(p.totalDistance, "0.000"),
        Jp("緯距誤差     ") + FormatPattern(p.fx, "0.000"),
        Jp("経距誤差     ") + FormatPattern(p.fy, "0.000"),
        Jp("高低誤差     ") + FormatPattern(p.heightMisclosure, "0.000"),
        Jp("閉 合 差     ") + FormatPattern(p.closure, "0.00000"),
        Jp("閉 合 比     1 / ") + FormatGeneral(static_cast<double>(p.ratio)),
    };
}

} // namespace vemo
