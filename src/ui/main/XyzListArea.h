#pragma once

namespace vemo {

class MainWindow;
class PlotView;
class XyzListPanel;

// Puts the coordinate list panel into the main window's coordinate-list area and connects the
// 座標リスト(&L) commands, the Enter and Esc rules of the grid, the settings it follows and its links
// to the plot (row clicks mark the point; the second point fits the view).  The plot is looked up in
// its area when it is needed, so it may be installed before or after the list.
XyzListPanel* InstallXyzListArea(MainWindow& main);

// Lets a click on a plotted point move the coordinate list's cursor to that point's row (while the
// list is shown and has the focus).  Called by whichever of the two is installed second.
void LinkXyzListToPlot(MainWindow& main, XyzListPanel& panel, PlotView& plot);

} // namespace vemo
