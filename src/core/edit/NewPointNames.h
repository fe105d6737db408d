#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vemo {

class XyzList;

// THE RULE FOR THE NAME OF A NEW POINT.  Every route that adds points to the coordinate list goes
// through it: calculation and construction registration, transformed points, division points,
// traverse results and points received over the serial line.
//  - An empty name, or one longer than 16 bytes in CP932, is refused, naming it and the reason.
//  - A name is never held by two rows.  A name that a row of the list already holds:
//      - on a row with the name and nothing else (the grid's proposed entry row): that row is filled;
//      - on a row with a point (anything besides the name, with or without coordinates): refused,
//        naming it, unless the route asked the surveyor and was allowed to replace the point's
//        coordinates (X, Y, Z; name, 点種 and 備考 stay);
//      - on two or more rows: refused, saying so, whether replacing or not (changing only the first
//        would leave the other under the same name).
//  - A name given twice in one registration is refused.
// Refusals throw vemo::Error (CP932).

// Where a claimed name goes.
struct NewPointPlace {
    enum Kind { FreshRow, FillNameRow, ReplacePoint } kind = FreshRow;
    int row = 0; // the list row for FillNameRow and ReplacePoint
};

class NewPointNames {
public:
    explicit NewPointNames(const XyzList& list);

    // Checks `name` and claims it for this registration.  `replace` allows a name held by one point
    // row to overwrite that point.  Throws vemo::Error on refusal.
    NewPointPlace Claim(const std::string& name, bool replace = false);
    // The name held by a point row of the list (as opposed to a name-only row or no row at all).
    bool HeldByPoint(const std::string& name) const;
    // The rows holding `name`, in list order.
    const std::vector<int>& RowsOf(const std::string& name) const;

private:
    const XyzList& list_;
    std::unordered_map<std::string, std::vector<int>> rows_;
    std::unordered_map<std::string, bool> claimed_;
};

// Throws the refusal for a name held by more than one row ("点名 A は 2 行にあります…").
void RequireSingleRow(const NewPointNames& names, const std::string& name);

// A point to register: texts as they are to stand in the list ("0.000" form).
struct NewPoint {
    std::string name;
    std::string x;
    std::string y;
    std::string z;
    std::string remark;
};

// Asked with the names the list already holds as points; true replaces their coordinates, false
// refuses the registration.  An empty function refuses.
using AskReplacePoints = std::function<bool(const std::vector<std::string>& heldNames)>;

// The question itself is msg::ReplacePointsQuestion.
// Registers `points` under the rule above: every name is checked before anything is written.  Points
// that take a fresh row go into consecutive rows from `firstFreeRow` on (a row there is overwritten,
// beyond the end one is appended).  Returns the rows written, in the order of `points`.
std::vector<int> RegisterNewPoints(XyzList& list, const std::vector<NewPoint>& points, int firstFreeRow,
                                   const AskReplacePoints& ask = {});

} // namespace vemo
