#pragma once

namespace vemo {

class MainWindow;
class HelpWindow;
class SettingsDialog;

// The settings dialog, created once now (its fields live as long as the main window) and shown
// modally by "環境設定(&E)...".
SettingsDialog* InstallSettingsDialog(MainWindow& main);

// The five external-program commands: each starts the program registered for it, read from the
// settings file at the moment it runs, without waiting for it.
void InstallExternalPrograms(MainWindow& main);

// The help book: "目次(&C)" shows its contents, F1 the topic of the window or area around the focus
// (main window 1000, data tree 37, coordinate list 46, parcel editor and selection 47, plot 48, the
// settings pages 11 - 15).
HelpWindow* InstallHelp(MainWindow& main);

} // namespace vemo
