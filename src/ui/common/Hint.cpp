#include "ui/common/Hint.h"

#include <QAction>
#include <QWidget>

namespace vemo {

HintParts SplitHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0) {
        return {hint, hint};
    }
    return {hint.left(bar), hint.mid(bar + 1)};
}

void SetHint(QAction* action, const QString& hint) {
    const HintParts parts = SplitHint(hint);
    action->setToolTip(parts.shortPart);
    action->setStatusTip(parts.longPart);
}

void SetHint(QWidget* widget, const QString& hint) {
    const HintParts parts = SplitHint(hint);
    widget->setToolTip(parts.shortPart);
    widget->setStatusTip(parts.longPart);
}

} // namespace vemo
