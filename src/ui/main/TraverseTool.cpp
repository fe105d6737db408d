#include "ui/main/TraverseTool.h"

#include "ui/main/AutoSaveTimer.h"
#include "ui/main/CommandSet.h"
#include "ui/main/MainWindow.h"
#include "ui/serial/ZubTransferDialog.h"
#include "ui/traverse/TrvsGrid.h"
#include "ui/traverse/TrvsWindow.h"

namespace vemo {

TrvsWindow* InstallTraverseWindow(MainWindow& main, ZubTransferDialog* serial) {
    auto* window = new TrvsWindow(main.workspace(), &main);
    if (serial != nullptr) {
        window->SetZubReceiver([&main, serial](const std::string& exeDir) {
            return serial->ExecReceiveObservations(exeDir, main.settings().Rs232c);
        });
    }
    main.commands().connect(Cmd::CalcTrvs, [window] { window->Exec(); });
    // The auto-save clock keeps ticking while the modal window is open: a tick with the table focused
    // writes "Auto.Trv", so a crash in the middle of a long entry loses one interval at most.
    QObject::connect(&main.autoSaveTimer(), &AutoSaveTimer::fired, window, [window] {
        if (window->isVisible() && window->Grid()->hasFocus()) {
            window->AutoSave();
        }
    });
    return window;
}

} // namespace vemo
