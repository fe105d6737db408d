#pragma once

namespace vemo {

class MainWindow;
class SelectionPanel;
class ZubTransferDialog;

// Creates the one serial transfer window and connects to it ﾌｧｲﾙ "ZUB通信で座標を読込..." (received
// coordinates go after the points of the list) and the selection panel's "座標転送(ZUB)" (its names are
// sent).  The traverse window's "野帳データ(ZUB)受信" uses the same window through the pointer returned.
ZubTransferDialog* InstallSerialTransfer(MainWindow& main, SelectionPanel* selection);

} // namespace vemo
