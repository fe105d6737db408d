#pragma once

namespace vemo {

class MainWindow;

// 元に戻す (Ctrl+Z) and やり直し (Ctrl+Y, Ctrl+Shift+Z) in the 編集 menu, over the store's history.  The
// captions name the step they would take back or bring again; the idle rule enables them.  The grid,
// the plot and the name index follow through the store's change notifications like after any edit.
void InstallUndoCommands(MainWindow& main);

} // namespace vemo
