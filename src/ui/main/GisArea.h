#pragma once

namespace vemo {

class MainWindow;

// Connects ﾌｧｲﾙ "GIS/CADへ出力..." and the coordinate list's "緯度経度表示" (menu and pop-up menu): both
// work in the zone remembered for the open site folder, asked the first time.
void InstallGis(MainWindow& main);

} // namespace vemo
