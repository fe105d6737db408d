#pragma once

namespace vemo {

class MainWindow;
class PlotView;

// Puts the point plot into the main window's plot area: its settings, the view commands of the
// 測点イメージ(&I) menu (also its context menu), the wheel that acts on the plot wherever the pointer
// is, hints to the status bar, the close commands of a short downward drag, and the parcel colours that
// follow the parcel editor's visibility.
PlotView* InstallPlotArea(MainWindow& main);

} // namespace vemo
