#include "ui/main/SerialTransfer.h"

#include "ui/main/CommandSet.h"
#include "ui/main/MainWindow.h"
#include "ui/parcels/SelectionPanel.h"
#include "ui/serial/ZubTransferDialog.h"

namespace vemo {

ZubTransferDialog* InstallSerialTransfer(MainWindow& main, SelectionPanel* selection) {
    auto* dialog = new ZubTransferDialog(&main);
    QObject::connect(selection, &SelectionPanel::sendZubRequested, dialog,
                     [&main, dialog](const std::vector<std::string>& names) {
                         dialog->ExecSend(BuildCoordinateSendList(names, main.store().Index()), main.settings().Rs232c);
                     });
    main.commands().connect(Cmd::FileReceiveZub, [&main, dialog] {
        // The settings are read at every showing: the settings dialog may have changed them.
        dialog->ExecReceiveCoordinates(main.store().xyz, main.settings().Rs232c);
    });
    return dialog;
}

} // namespace vemo
