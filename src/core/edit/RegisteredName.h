#pragma once

#include <string>

namespace vemo {

class XyzList;

// The name proposed for the first point a calculation registers: the name after that of the last row
// whose X or Y holds a coordinate (row 1 when none does), counted up by NextPointName.  A list ending
// in T009 proposes T010; an empty list "1".
std::string NameAfterLastCoordinateRow(const XyzList& list);

} // namespace vemo
