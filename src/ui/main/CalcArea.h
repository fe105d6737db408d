#pragma once

namespace vemo {

class CalcWindow;
class MainWindow;

// Creates the calculation window once (docked at the main window's left while TileDisp is on, else a
// floating window that stays on top) and links it: the 計算 menu commands open it on their tab, the
// plot draws its overlay and hands it clicked point names.
CalcWindow* InstallCalcWindow(MainWindow& main);

} // namespace vemo
