#pragma once

#include "core/store/XyzList.h"

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vemo {

class XyzNameIndex;

// The coordinate selection: an ordered list of point names, each at most once (compared byte by byte),
// gathered for staking out, an instrument or a client's list.  It holds names only; coordinates are
// looked up when the selection is output.  Every adding route returns the names it added, in order,
// so the panel can highlight them.
class SelectionList {
public:
    const std::vector<std::string>& Names() const { return names_; }
    bool Contains(std::string_view name) const { return members_.contains(std::string(name)); }

    bool Add(const std::string& name);
    // A click on the plot: a selected point leaves the selection, another one joins it at the end.
    // Returns true when the name was added.
    bool Toggle(const std::string& name);
    void Remove(size_t position);
    // Puts another name at a position (an edited row); false when the name is selected elsewhere.
    bool Replace(size_t position, const std::string& name);
    // A name typed into a row inserted at `position` (at the end when beyond it); false when the name is
    // empty or already selected.
    bool Insert(size_t position, const std::string& name);
    void Clear();
    // 整列: ascending byte order (A10 before A2 before B).
    void Sort();

    // "Q*": every point of the coordinate list whose name begins with Q, in list order.
    std::vector<std::string> AddPrefix(const XyzList& list, std::string_view prefix);
    // Names in order (a "+" run, the vertices of a parcel ring, the points drawn on the plot).
    std::vector<std::string> AddAll(const std::vector<std::string>& names);

private:
    std::vector<std::string> names_;
    std::unordered_set<std::string> members_;
};

// The link file rows while the selection panel is shown: for each selected name in order, the first
// coordinate-list row of that name; names the list does not hold are left out.  Nothing (an empty
// result, no file) for fewer than two selected names.
std::vector<XyzRow> SelectionLinkRows(const XyzList& list, const std::vector<std::string>& names);

} // namespace vemo
