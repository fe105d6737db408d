#pragma once

#include "core/transform/Transformation.h"

#include <string>
#include <vector>

namespace vemo {

class Store;

// How transformed points go into the coordinate list.
enum class TransformRegistration {
    Replace = 0,     // 旧系座標を計算結果で置き換える: the old point's X and Y are overwritten
    AffixedName = 1, // 旧系点名をもとに最終行に追加する: prefix + old name + suffix, appended
    NewNames = 2,    // 新に点名を付して最終行に追加する: numbered from a first new name, appended
};

struct TransformRegistrationOptions {
    TransformRegistration how = TransformRegistration::Replace;
    std::string prefix;       // AffixedName
    std::string suffix = "#"; // AffixedName
    std::string firstNewName; // NewNames: counted up by NextPointName for each further point
};

// Transforms the selected points (in selection order) and registers them.  Empty names and names the
// list does not hold are skipped; appended points carry Z "0.000" and the remark "座変" and go after
// the last row with coordinates.  Appended names follow the new-point rule (NewPointNames.h); replacing
// refuses a name held by two rows.  A refusal (vemo::Error) comes before anything is written.  The name index is
// rebuilt afterwards.  Returns the number of points registered.
int RegisterTransformed(Store& store, const Transformation& t, const std::vector<std::string>& selection,
                        const TransformRegistrationOptions& options);

} // namespace vemo
