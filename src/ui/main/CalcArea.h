#pragma once

namespace vemo {

class CalcWindow;
class MainWindow;
class ParcelEditor;
class ZubTransferDialog;

// Creates the calculation window once (docked at the main window's left while TileDisp is on, else a
// floating window that stays on top) and links it: the 計算 menu commands open it on their tab, the
// plot draws its overlay and hands it clicked point names.
// The parcel editor (when there is one) gives the grid its open parcel and takes the grid as a parcel;
// the serial window (when there is one) sends the points a calculation hands on.
CalcWindow* InstallCalcWindow(MainWindow& main, ParcelEditor* parcelEditor = nullptr,
                              ZubTransferDialog* serial = nullptr);

} // namespace vemo
