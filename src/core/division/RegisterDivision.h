#pragma once

#include "core/division/Division.h"

#include <string>
#include <vector>

namespace vemo {

class Store;

// What the surveyor confirms in the registration dialog of a division (座標・画地登録).
struct DivisionRegistration {
    std::string p1Name;
    std::string p2Name;              // used only when the division has a P2
    bool keepSecured = true;         // 求積側
    bool keepRemainder = false;      // 残地側
    std::string securedParcelName;   // 地番 of the secured side
    std::string remainderParcelName; // 地番 of the remainder
};

// The names the dialog proposes: P1 after the last point with coordinates, P2 after P1; the parcels
// after the last parcel's name (or "1" and "2" with no parcel yet).
DivisionRegistration SuggestDivisionNames(const Store& store);

// The coordinate text beside a new point's name ("%11.3f").
std::string DivisionPointText(double metres);

// The editor rows a registered part takes: its names, closing repetition included, and the empty
// input row after them.
int DivisionPartRowCount(const DivisionPart& part);

// A part's names with the first "P1Tmp" and the first "P2Tmp" replaced by the confirmed names.
std::vector<std::string> NamedPart(const DivisionPart& part, const std::string& p1Name, const std::string& p2Name);

// Refuses names that would corrupt later lookups: point names under the new-point rule
// (NewPointNames.h: empty, over 16 bytes, held by a point; a row holding only the name is filled), P1
// and P2 under one name, a parcel name already in the parcel list or given to
// both parts.  Parcel names are checked only for the parts that are kept.  Throws vemo::Error.
void CheckDivisionNames(const Store& store, const DivisionResult& result, const DivisionRegistration& names);

// 登録: checks the names, writes P1 (and P2) after the last row with coordinates (row 2 at the
// earliest: row 1 is never overwritten), Z "0.000", remark "面分", rebuilds the name index and
// appends the kept parts as parcels with their label points.
void RegisterDivision(Store& store, const DivisionResult& result, const DivisionRegistration& names);

} // namespace vemo
