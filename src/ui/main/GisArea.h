#pragma once

#include <filesystem>

namespace vemo {

class MainWindow;

// The open site folder; empty when the data belongs to no site (the zone is then asked every time).
std::filesystem::path OpenSiteFolder(MainWindow& main);

// Connects ﾌｧｲﾙ "GIS/CADへ出力..." and the coordinate list's "緯度経度表示" (menu and pop-up menu): both
// work in the zone remembered for the open site folder, asked the first time.
void InstallGis(MainWindow& main);

} // namespace vemo
