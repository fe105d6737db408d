#include "ui/main/SerialTransfer.h"

#include "ui/main/CommandSet.h"
#include "ui/main/MainWindow.h"
#include "ui/serial/ZubTransferDialog.h"

namespace vemo {

ZubTransferDialog* InstallSerialTransfer(MainWindow& main) {
    auto* dialog = new ZubTransferDialog(&main);
    main.commands().connect(Cmd::FileReceiveZub, [&main, dialog] {
        // The settings are read at every showing: the settings dialog may have changed them.
        dialog->ExecReceiveCoordinates(main.store().xyz, main.settings().Rs232c);
    });
    return dialog;
}

} // namespace vemo
