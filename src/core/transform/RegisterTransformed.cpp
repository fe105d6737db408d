#include "core/transform/RegisterTransformed.h"

#include "core/edit/NewPointNames.h"
#include "core/edit/PointName.h"
#include "core/store/RegistrationRows.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
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

// The names of the appended points, checked before anything is written under the new-point rule.
std::vector<std::string> AppendedNames(const Store& store, const std::vector<Moved>& moved,
                                       const TransformRegistrationOptions& options) {
    std::vector<std::string> names;
    names.reserve(moved.size());
    NewPointNames rule(store.xyz);
    for (const Moved& m : moved) {
        if (options.how == TransformRegistration::AffixedName) {
            names.push_back(options.prefix + m.oldName + options.suffix);
        } else {
            names.push_back(names.empty() ? options.firstNewName : NextPointName(names.back(), true));
        }
        rule.Claim(names.back());
    }
    return names;
}

} // namespace

int RegisterTransformed(Store& store, const Transformation& t, const std::vector<std::string>& selection,
                        const TransformRegistrationOptions& options) {
    const std::vector<Moved> moved = TransformSelection(store, t, selection);
    if (options.how == TransformRegistration::Replace) {
        // A name on two rows would have only its first row moved: refused before anything changes.
        const NewPointNames rule(store.xyz);
        for (const Moved& m : moved) {
            RequireSingleRow(rule, m.oldName);
        }
        for (const Moved& m : moved) {
            store.xyz.SetCell(m.row, kColX, Format3(m.point.x));
            store.xyz.SetCell(m.row, kColY, Format3(m.point.y));
        }
    } else {
        const std::vector<std::string> names = AppendedNames(store, moved, options);
        const std::string remark = Jp("座変");
        std::vector<NewPoint> points;
        points.reserve(moved.size());
        for (size_t i = 0; i < moved.size(); ++i) {
            points.push_back({names[i], Format3(moved[i].point.x), Format3(moved[i].point.y), "0.000", remark});
        }
        RegisterNewPoints(store.xyz, points, RegistrationAnchorRow(store.xyz) + 1);
    }
    store.RebuildNameIndex();
    return static_cast<int>(moved.size());
}

} // namespace vemo
