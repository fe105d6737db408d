#pragma once

#include <QIcon>

namespace vemo {

// The node icons of the data tree, by index: 0 site folder, 1 coordinate data, 2 parcel data,
// 3 coordinate or parcel data whose data file is missing.
QIcon DataTreeIcon(int index);

// The icon of a node: its own icon normally and, selected, always the icon of its level.
QIcon DataTreeNodeIcon(int level, int icon);

} // namespace vemo
