#include "ui/main/NetworkTool.h"

#include "ui/main/CommandSet.h"
#include "ui/main/MainWindow.h"
#include "ui/traverse/NetworkWindow.h"

namespace vemo {

void InstallNetworkWindow(MainWindow& main) {
    // One window for the session: the files, weights and class stay as the surveyor left them.
    auto* window = new NetworkWindow(main.workspace(), &main);
    main.commands().connect(Cmd::CalcNetwork, [window] { window->exec(); });
}

} // namespace vemo
