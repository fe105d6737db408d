#include "core/edit/NewPointNames.h"

#include "core/edit/PointName.h"
#include "core/store/RegistrationRows.h"
#include "core/store/XyzList.h"
#include "core/text/Bytes.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"

#include <algorithm>

namespace vemo {

namespace {

// The grid's proposed entry row: a name and nothing a surveyor typed besides it.
bool NameOnly(const XyzList& list, int row) {
    for (int col : {kColX, kColY, kColZ, kColTensyu, kColBiko}) {
        if (!TrimView(list.Cell(row, col)).empty()) {
            return false;
        }
    }
    return true;
}

Error HeldRefusal(const std::string& name) {
    return Error(msg::PointNameTaken(name));
}

} // namespace

NewPointNames::NewPointNames(const XyzList& list) : list_(list) {
    for (int row = 1; row < list.RowCount(); ++row) {
        const std::string& name = list.Cell(row, kColName);
        if (!name.empty()) {
            rows_[name].push_back(row);
        }
    }
}

const std::vector<int>& NewPointNames::RowsOf(const std::string& name) const {
    static const std::vector<int> none;
    auto it = rows_.find(name);
    return it == rows_.end() ? none : it->second;
}

bool NewPointNames::HeldByPoint(const std::string& name) const {
    const std::vector<int>& rows = RowsOf(name);
    return rows.size() > 1 || (rows.size() == 1 && !NameOnly(list_, rows.front()));
}

void RequireSingleRow(const NewPointNames& names, const std::string& name) {
    const std::vector<int>& rows = names.RowsOf(name);
    if (rows.size() > 1) {
        throw Error(msg::PointNameOnSeveralRows(name, rows));
    }
}

NewPointPlace NewPointNames::Claim(const std::string& name, bool replace) {
    if (name.empty()) {
        throw Error(msg::PointNameMissing());
    }
    RequireStorableName(name);
    if (!claimed_.emplace(name, true).second) {
        throw Error(msg::PointNameUsedTwice(name));
    }
    RequireSingleRow(*this, name);
    const std::vector<int>& rows = RowsOf(name);
    if (rows.empty()) {
        return {};
    }
    if (NameOnly(list_, rows.front())) {
        return {NewPointPlace::FillNameRow, rows.front()};
    }
    if (!replace) {
        throw HeldRefusal(name);
    }
    return {NewPointPlace::ReplacePoint, rows.front()};
}

std::vector<int> RegisterNewPoints(XyzList& list, const std::vector<NewPoint>& points, int firstFreeRow,
                                   const AskReplacePoints& ask) {
    NewPointNames names(list);
    std::vector<std::string> held;
    for (const NewPoint& point : points) {
        if (names.HeldByPoint(point.name) && names.RowsOf(point.name).size() == 1) {
            held.push_back(point.name);
        }
    }
    const bool replace = !held.empty() && ask && ask(held);
    std::vector<NewPointPlace> places;
    places.reserve(points.size());
    for (const NewPoint& point : points) {
        places.push_back(names.Claim(point.name, replace));
    }
    // The grid's proposed entry row just before the free rows is not a point: the fresh points take its
    // place and it moves behind them, so the list keeps one entry row, at the end, and no name without
    // coordinates is left between points.  A registration that claimed its name fills it instead.
    const int entryRow = firstFreeRow - 1;
    std::string entryName;
    if (entryRow >= 1 && entryRow < list.RowCount() && !list.Cell(entryRow, kColName).empty() &&
        NameOnly(list, entryRow) &&
        std::none_of(places.begin(), places.end(),
                     [entryRow](const NewPointPlace& place) {
                         return place.kind == NewPointPlace::FillNameRow && place.row == entryRow;
                     }) &&
        std::any_of(places.begin(), places.end(),
                    [](const NewPointPlace& place) { return place.kind == NewPointPlace::FreshRow; })) {
        entryName = list.Cell(entryRow, kColName);
        firstFreeRow = entryRow;
    }
    std::vector<int> written;
    written.reserve(points.size());
    RegistrationRows fresh(list, firstFreeRow);
    for (size_t i = 0; i < points.size(); ++i) {
        const NewPoint& p = points[i];
        if (places[i].kind == NewPointPlace::FreshRow) {
            written.push_back(fresh.NextRow());
            fresh.Write(p.name, p.x, p.y, p.z, p.remark);
            continue;
        }
        XyzRow cells = list.Row(places[i].row);
        cells[kColX] = p.x;
        cells[kColY] = p.y;
        cells[kColZ] = p.z;
        if (places[i].kind == NewPointPlace::FillNameRow) {
            cells[kColBiko] = p.remark;
        }
        list.SetRow(places[i].row, cells);
        written.push_back(places[i].row);
    }
    if (!entryName.empty()) {
        fresh.Write(entryName, {}, {}, {}, {});
    }
    return written;
}

} // namespace vemo
