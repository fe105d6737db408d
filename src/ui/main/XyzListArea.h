#pragma once

namespace vemo {

class MainWindow;
class XyzListPanel;

// Puts the coordinate list panel into the main window's coordinate-list area and connects the
// 座標リスト(&L) commands, the Enter and Esc rules of the grid, the settings it follows and its links
// to the plot (row clicks mark the point; the second point fits the view), and registers the list as the
// taker of points clicked on the plot.  The plot may be installed before or after the list.
XyzListPanel* InstallXyzListArea(MainWindow& main);

} // namespace vemo
