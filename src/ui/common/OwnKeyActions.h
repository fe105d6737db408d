#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QWidget;

namespace vemo {

// A command of one control (a grid's 挿入 and 削除) that carries its key and, under a control with
// the actions context menu, its menu entry, so that the menu shows the key that runs it.
//
// The coordinate list's 一行挿入 and 一行削除 hold Ctrl+Insert and Ctrl+Delete for the whole main
// window.  A window-wide key and the same key of a focused control are ambiguous to Qt, and neither
// would run; so the control claims a key it has an action for before the window's keys are looked at.
QAction* AddOwnKeyAction(QWidget* owner, const QString& caption, const QKeySequence& keys);

} // namespace vemo
