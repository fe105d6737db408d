#pragma once

namespace vemo {

class MainWindow;
class TrvsWindow;
class ZubTransferDialog;

// Creates the one traverse window and connects 計算 "トラバース計算" to it.  Field books received by
// `serial` (when given) land in "Temp.ZUB" and open in the ZUB Editor.
TrvsWindow* InstallTraverseWindow(MainWindow& main, ZubTransferDialog* serial);

} // namespace vemo
