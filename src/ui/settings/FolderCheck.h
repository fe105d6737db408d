#pragma once

#include "core/settings/Settings.h"

class QLineEdit;

namespace vemo {

class DataPage;

// Before OK takes the folders: the data folder and the work folder must be given, and every folder
// given must exist (a missing one is made when the surveyor agrees).  An empty data folder would leave
// the tree blank and the next start on first-run values.  The field that stops OK (its message shown),
// or nullptr when every folder is there.
QLineEdit* CheckFolders(const DataPage& page, const Settings::DirKeys& dirs);

} // namespace vemo
