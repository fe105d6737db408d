#pragma once

#include "core/geometry/PlanePoint.h"
#include "core/parcels/ParcelArea.h"

#include <optional>
#include <string>
#include <vector>

namespace vemo {

class XyzNameIndex;

// Constant-area division (定面積分割): a parcel is cut in two so that the secured side (求積側) has
// at least a target area after its new boundary points are rounded to millimetres; the rest is the
// remainder (残地側).  Areas are m², coordinates metres, X north first.

// The parcel to divide: its ring of distinct vertices (the closing repetition of the first name and
// anything after it dropped) with the coordinates the name index gives.
struct DivisionParcel {
    std::vector<std::string> names;
    std::vector<PlanePoint> points;
    double area = 0; // 面積 of the ring
};

// The placeholders under which the new points stand in the point lists of the two parts until the
// surveyor names them.
inline constexpr const char* kP1Placeholder = "P1Tmp";
inline constexpr const char* kP2Placeholder = "P2Tmp";

struct DivisionPart {
    std::vector<std::string> names; // closed: the first name repeated at the end
    ParcelAreaFigures figures;      // 面積, 地積, 坪数 with the new points rounded to millimetres
};

struct DivisionResult {
    PlanePoint p1;                // rounded to millimetres
    std::optional<PlanePoint> p2; // the parallel method only
    // Where the dividing line passes through a corner of the parcel (within the millimetre rounding of
    // the new point) the corner itself is used: its name stands in the parts instead of the
    // placeholder and no new point is made.  Empty for a new point.
    std::string p1Vertex;
    std::string p2Vertex;
    // For the check of the sheet: the parcel's area, and how far the new points, stored to the
    // millimetre, lie off the parcel's boundary (m; 0 for a corner reused).
    double parcelArea = 0;
    double offBoundary = 0;
    DivisionPart secured;   // 求積側: area >= the target
    DivisionPart remainder; // 残地側
    double target = 0;      // the area the secured side was to hold (m²)
};

// The parcel from the names of the point grid, in order (empty names skipped).  Fewer than three
// vertices: "分割元地を入力してください"; a name the list does not hold: "<name> は見つかりません".
DivisionParcel LoadDivisionParcel(const std::vector<std::string>& gridNames, const XyzNameIndex& index);

// A target that no division can secure: below 0.0001 m² or not smaller than the parcel's area gives
// "分割面積が確保できません".
void CheckDivisionTarget(const DivisionParcel& parcel, double target);

// The last step of both methods: a new point standing exactly on a vertex of the parcel takes that
// vertex's name in both parts (the placeholder and the vertex then stand once) and is recorded in
// p1Vertex / p2Vertex; the parcel's area and the new points' distance off its boundary are recorded.
void CompleteDivision(const DivisionParcel& parcel, DivisionResult& result);

// The check a reviewer makes of the sheet (CP932 lines): the parcel's area, the sum of the two parts
// and their difference, and when they differ, why: the new points are stored to the millimetre, which
// moves the dividing line off the exact cut, so the parts no longer share exactly the parcel's area.
std::vector<std::string> DivisionSumTexts(const DivisionResult& result);

// The three area lines of a part as the registration dialog shows them (CP932):
// "面積 : %14.7f ㎡", "地積 : %9.2f ㎡" (truncated to 0.01 m²), "坪数 : %9.2f 坪".
std::vector<std::string> DivisionAreaTexts(const ParcelAreaFigures& figures);

// What the secured side holds beyond the target, as the registration dialog shows it under the part's
// area lines (CP932): "超過 : %14.7f ㎡".
std::string DivisionExcessText(const DivisionResult& result);

// Refuses a parcel whose boundary crosses or touches itself: no part of it has the area its ring
// gives ("分割元地の境界が交差しているため分割できません").
void RequireSimpleParcel(const DivisionParcel& parcel);

// The coordinates of a part in the order of its names, closing repetition included, with the new
// points for their placeholders: the outline the plot hatches.
std::vector<PlanePoint> PartPoints(const DivisionParcel& parcel, const DivisionResult& result,
                                   const DivisionPart& part);

// One-point method (一点指定): the dividing line runs from the first vertex to a new point P1 on the
// boundary.  The secured side is the first vertices up to P1, the remainder the first vertex, P1 and
// the rest.  P1 is the first point along the boundary where that chord runs inside the parcel and the
// secured side holds the target; a chord that would leave the parcel is never taken, and when no
// chord inside the parcel secures the target the division is refused.
DivisionResult DivideFromFirstPoint(const DivisionParcel& parcel, double target);

} // namespace vemo
