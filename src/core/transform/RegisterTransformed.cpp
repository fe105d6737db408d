#include "core/transform/RegisterTransformed.h"

#include "core/edit/PointName.h"
#include "core/store/RegistrationRows.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

namespace vemo {

namespace {

struct Moved {
    std::string oldName;
    int row = 0;
    PlanePoint point;
};

// Every point is transformed from the list as it stood before registration, so a replaced point
// never feeds a later one.
std::vector<Moved> TransformSelection(const Store& store, const Transformation& t,
                                      const std::vector<std::string>& selection) {
    std::vector<Moved> moved;
    moved.reserve(selection.size());
    for (const std::string& name : selection) {
        if (name.empty()) {
            continue;
        }
        if (auto found = store.FindPointXY(name)) {
            moved.push_back({name, found->row, t.Apply({found->x, found->y})});
        }
    }
    return moved;
}

} // namespace

int RegisterTransformed(Store& store, const Transformation& t, const std::vector<std::string>& selection,
                        const TransformRegistrationOptions& options) {
    const std::vector<Moved> moved = TransformSelection(store, t, selection);
    if (options.how == TransformRegistration::Replace) {
        for (const Moved& m : moved) {
            store.xyz.SetCell(m.row, kColX, Format3(m.point.x));
            store.xyz.SetCell(m.row, kColY, Format3(m.point.y));
        }
    } else {
        RegistrationRows rows(store.xyz, LastCoordinateRow(store.xyz) + 1);
        std::string newName = options.firstNewName;
        const std::string remark = Jp("座変");
        for (const Moved& m : moved) {
            const bool affixed = options.how == TransformRegistration::AffixedName;
            const std::string name = affixed ? options.prefix + m.oldName + options.suffix : newName;
            rows.Write(name, Format3(m.point.x), Format3(m.point.y), "0.000", remark);
            if (!affixed) {
                newName = NextPointName(newName, true);
            }
        }
    }
    store.RebuildNameIndex();
    return static_cast<int>(moved.size());
}

} // namespace vemo
