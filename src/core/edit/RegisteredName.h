#pragma once

#include <string>

namespace vemo {

class XyzList;
class XyzNameIndex;

// The name proposed for the first point a calculation registers: the name after that of the last row
// whose X or Y holds a coordinate (row 1 when none does), counted up by NextPointName.  A list ending
// in T009 proposes T010; an empty list "1".
std::string NameAfterLastCoordinateRow(const XyzList& list);

// Refuses a name for a newly registered point that would corrupt later lookups by name: an empty
// name ("点名を入力してください") or one the list already holds ("点名 <name> は既に登録されています").
// Throws vemo::Error.
void CheckNewPointName(const XyzNameIndex& index, const std::string& name);

} // namespace vemo
