#include "core/parcels/SelectionList.h"

#include <algorithm>
#include <unordered_map>

namespace vemo {

bool SelectionList::Add(const std::string& name) {
    if (name.empty() || !members_.insert(name).second) {
        return false;
    }
    names_.push_back(name);
    return true;
}

bool SelectionList::Toggle(const std::string& name) {
    auto found = std::find(names_.begin(), names_.end(), name);
    if (found == names_.end()) {
        return Add(name);
    }
    Remove(static_cast<size_t>(found - names_.begin()));
    return false;
}

void SelectionList::Remove(size_t position) {
    if (position < names_.size()) {
        members_.erase(names_[position]);
        names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(position));
    }
}

bool SelectionList::Replace(size_t position, const std::string& name) {
    if (position >= names_.size() || name.empty() || Contains(name)) {
        return false;
    }
    members_.erase(names_[position]);
    members_.insert(name);
    names_[position] = name;
    return true;
}

bool SelectionList::Insert(size_t position, const std::string& name) {
    if (name.empty() || Contains(name)) {
        return false;
    }
    position = std::min(position, names_.size());
    names_.insert(names_.begin() + static_cast<std::ptrdiff_t>(position), name);
    members_.insert(name);
    return true;
}

void SelectionList::Clear() {
    names_.clear();
    members_.clear();
}

void SelectionList::Sort() {
    std::sort(names_.begin(), names_.end());
}

std::vector<std::string> SelectionList::AddPrefix(const XyzList& list, std::string_view prefix) {
    std::vector<std::string> added;
    for (int row = 1; row < list.RowCount(); ++row) {
        const std::string& name = list.Cell(row, kColName);
        if (name.starts_with(prefix) && Add(name)) {
            added.push_back(name);
        }
    }
    return added;
}

std::vector<std::string> SelectionList::AddAll(const std::vector<std::string>& names) {
    std::vector<std::string> added;
    for (const std::string& name : names) {
        if (Add(name)) {
            added.push_back(name);
        }
    }
    return added;
}

std::vector<XyzRow> SelectionLinkRows(const XyzList& list, const std::vector<std::string>& names) {
    if (names.size() < 2) {
        return {};
    }
    std::unordered_map<std::string, int> firstRow;
    for (int row = list.RowCount() - 1; row >= 1; --row) {
        firstRow[list.Cell(row, kColName)] = row;
    }
    std::vector<XyzRow> rows;
    for (const std::string& name : names) {
        if (auto found = firstRow.find(name); found != firstRow.end()) {
            rows.push_back(list.Row(found->second));
        }
    }
    return rows;
}

} // namespace vemo
