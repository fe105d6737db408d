#pragma once

namespace vemo {

class MainWindow;
class ParcelEditor;
class SelectionPanel;

// Puts the parcel editor into its area and the selection panel beside the plot, connects the 画地
// commands, 座標選択 and the printing of lists and reports, and registers both as tools (point names,
// parcel clicks, plot layers, the panels a short drag closes).
ParcelEditor* InstallParcelEditorArea(MainWindow& main);
SelectionPanel* InstallSelectionPanel(MainWindow& main, ParcelEditor* editor);

} // namespace vemo
