#pragma once

#include <QString>

class QAction;
class QWidget;

namespace vemo {

// Hints are written "short|long": the short part is the tool tip, the long part goes to the status
// bar.  Without "|" both parts are the whole text; "|long" has no tool tip.
struct HintParts {
    QString shortPart;
    QString longPart;
};

HintParts SplitHint(const QString& hint);

// Tool tip = short part, status tip = long part.
void SetHint(QAction* action, const QString& hint);
void SetHint(QWidget* widget, const QString& hint);

} // namespace vemo
