#pragma once

namespace vemo {

class MainWindow;
class SettingsDialog;

// The settings dialog, created once now (its fields live as long as the main window) and shown
// modally by "環境設定(&E)...".
SettingsDialog* InstallSettingsDialog(MainWindow& main);

// The five external-program commands: each starts the program registered for it, read from the
// settings file at the moment it runs, without waiting for it.
void InstallExternalPrograms(MainWindow& main);

} // namespace vemo
