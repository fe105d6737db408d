#pragma once

#include "core/files/DataFolders.h"

#include <QIcon>

namespace vemo {

// The node icons of the data tree: site folder, coordinate data, parcel data, and coordinate or parcel
// data whose data file is missing.
QIcon DataTreeIcon(DataIcon icon);

// The icon of a node: its own icon normally and, selected, always the icon of its level.
QIcon DataTreeNodeIcon(int level, DataIcon icon);

} // namespace vemo
