#pragma once

namespace vemo {

class MainWindow;

// Connects 計算 "網平均..." to the network adjustment window, opened modally over the main window.
void InstallNetworkWindow(MainWindow& main);

} // namespace vemo
