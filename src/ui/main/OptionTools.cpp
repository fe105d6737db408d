#include "ui/main/OptionTools.h"

#include "core/settings/Settings.h"
#include "core/text/MessagesMain.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/help/HelpKey.h"
#include "ui/help/HelpWindow.h"
#include "ui/main/AreaSlot.h"
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
            const std::string command = LoadPrograms(main.settingsPath()).Program[n];
            if (!LaunchDetached(FromCp932(command))) {
                MessageBox::ShowCp932(&main, msg::CannotStartProgram(command), MessageBox::Kind::Error);
            }
        });
    }
}

HelpWindow* InstallHelp(MainWindow& main) {
    constexpr int kMainWindowTopic = 1000;
    auto* help = new HelpWindow(HelpBook::DefaultFolder(), &main);
    main.setProperty(HelpKey::kProperty, kMainWindowTopic);
    const std::pair<Area, int> areaTopics[] = {
        {Area::DataTree, 37}, {Area::XyzList, 46}, {Area::BlockEdit, 47}, {Area::Plot, 48}};
    for (const auto& [area, topic] : areaTopics) {
        main.area(area)->setProperty(HelpKey::kProperty, topic);
    }
    main.selectionPanel()->setProperty(HelpKey::kProperty, 47);
    main.commands().connect(Cmd::HelpContents, [help] { help->showContents(); });
    new HelpKey([help](int topic) { help->showTopic(topic); }, kMainWindowTopic, help);
    return help;
}

} // namespace vemo
