#pragma once

#include "core/edit/Cleanup.h"

namespace vemo {

// The duplicate cleanup when renaming changes the keys (the name is part of the key and the new names
// differ from the old ones): a renamed row can become a duplicate of another row further down, so the
// rows are followed through their renames.  Rows with equal keys are kept together in buckets; a
// rename moves a whole bucket at once, which keeps a long run of equal names near linear.
CleanupPlan PlanRenameCascade(const XyzList& list, const DuplicateOptions& options);

} // namespace vemo
