#include "ui/main/StartUp.h"

#include "core/settings/ProgramFolder.h"
#include "core/text/MessagesMain.h"
#include "ui/common/ApplicationIcon.h"
#include "ui/common/ApplicationTitle.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/main/AboutBox.h"
#include "ui/main/CalcArea.h"
#include "ui/main/FileHandOff.h"
#include "ui/main/GisArea.h"
#include "ui/main/HintTiming.h"
#include "ui/main/MainWindow.h"
#include "ui/main/NetworkTool.h"
#include "ui/main/OptionTools.h"
#include "ui/main/ParcelEditorArea.h"
#include "ui/main/PlotArea.h"
#include "ui/main/SerialTransfer.h"
#include "ui/main/SingleInstanceLock.h"
#include "ui/main/SurveyMapArea.h"
#include "ui/main/TraverseTool.h"
#include "ui/main/TreeArea.h"
#include "ui/main/UndoCommands.h"
#include "ui/main/XyzListArea.h"

#include "ui/tree/FileCommands.h"

#include <QApplication>

namespace vemo {

int StartUp::Run(const QStringList& arguments) {
    SingleInstanceLock lock;
    const QString handOffSocket = lock.path() + QStringLiteral(".socket");
    if (!lock.tryLock()) {
        // A file double-clicked while the program runs goes to the running window.
        if (arguments.size() > 1 && HandFileToRunningCopy(handOffSocket, arguments.at(1))) {
            return 0;
        }
        MessageBox::ShowCp932(nullptr, msg::AlreadyRunning());
        return 1;
    }
    SetApplicationTitle(ApplicationTitleText());
    // Every window (the main window, the tool windows, message boxes) shows it in the task bar.
    QApplication::setWindowIcon(ApplicationIcon());
    ApplyHintTiming();

    // Every window is created once, here, in this order, and lives until the end.  Later windows
    // (settings dialog, profile editor, calculation, serial transfer, traverse, precision box, the two
    // registration windows, cleanup) join after the About box.
    // The data first: it outlives every window that observes it.
    Workspace workspace;
    MainWindow main(workspace);
    // The plot first: the other areas link themselves to it when they are installed.
    InstallPlotArea(main);
    InstallTreeArea(main);
    InstallXyzListArea(main);
    ParcelEditor* parcelEditor = InstallParcelEditorArea(main);
    SelectionPanel* selection = InstallSelectionPanel(main, parcelEditor);
    InstallUndoCommands(main);
    AboutBox about(&main);
    main.setAboutBox(&about);
    InstallSettingsDialog(main);
    InstallExternalPrograms(main);
    InstallHelp(main);
    ZubTransferDialog* serial = InstallSerialTransfer(main, selection);
    InstallCalcWindow(main, parcelEditor, serial);
    InstallTraverseWindow(main, serial);
    InstallNetworkWindow(main);
    InstallGis(main);
    InstallSurveyMap(main);

    FileHandOffServer handOff(handOffSocket);
    QObject::connect(&handOff, &FileHandOffServer::fileReceived, &main, [&main](const QString& file) {
        main.show();
        main.raise();
        main.activateWindow();
        RunCommand([&main, file] { main.treeArea()->commands().dropFiles({file}, true); }, &main);
    });

    // A ".sim" or ".Xyz" file named on the command line is opened at the first show.
    if (arguments.size() > 1) {
        main.store().names.ParamFile = PathToCp932(NativePath(arguments.at(1)).string());
    }
    main.show();
    QApplication::exec();
    lock.unlock();
    return 0;
}

} // namespace vemo
