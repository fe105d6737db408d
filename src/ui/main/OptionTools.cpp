#include "ui/main/OptionTools.h"

#include "core/settings/Settings.h"
#include "ui/common/Cp932Text.h"
#include "ui/main/CommandSet.h"
#include "ui/main/MainWindow.h"
#include "ui/settings/ProgramLauncher.h"
#include "ui/settings/SettingsDialog.h"

#include <array>

namespace vemo {

SettingsDialog* InstallSettingsDialog(MainWindow& main) {
    auto* dialog = new SettingsDialog(main.workspace(), &main);
    main.commands().connect(Cmd::OptEnvironment, [dialog] { dialog->exec(); });
    return dialog;
}

void InstallExternalPrograms(MainWindow& main) {
    constexpr std::array<Cmd, 5> kCommands = {Cmd::Program1, Cmd::Program2, Cmd::Program3, Cmd::Program4,
                                              Cmd::Program5};
    for (size_t n = 0; n < kCommands.size(); ++n) {
        main.commands().connect(kCommands[n], [&main, n] {
            // A failed start shows nothing: the desktop reports a program it cannot run itself.
            LaunchDetached(FromCp932(LoadPrograms(main.settingsPath()).Program[n]));
        });
    }
}

} // namespace vemo
