#pragma once

namespace vemo {

class MainWindow;
class ZubTransferDialog;

// Creates the one serial transfer window and connects ﾌｧｲﾙ "ZUB通信で座標を読込..." to it: received
// coordinates go after the points of the list.  The selection panel's "座標転送(ZUB)" and the traverse
// window's "野帳データ(ZUB)受信" use the same window through the pointer returned.
ZubTransferDialog* InstallSerialTransfer(MainWindow& main);

} // namespace vemo
