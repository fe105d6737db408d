#pragma once

#include <string>
#include <vector>

namespace vemo {

// Where the program keeps its files (native paths, no trailing separator).
struct AppLocations {
    std::string settingsFolder; // holds "VEMO.ini"
    std::string dataFolder;     // `ExeDir` of the store: auto-save files, "Temp.ZUB", the default `TmpDir`
    std::string defaultDatDir;  // the data folder root of a settings file that names none
    // What start-up did to files left at an older place (CP932 messages, shown once).
    std::vector<std::string> notes;
};

// Everything in one folder: VEMO_HOME, a portable copy, a test's folder.
AppLocations LocationsInOneFolder(const std::string& folder);

// The places of a run:
// - VEMO_HOME when set (created when missing): everything there;
// - a portable copy: an executable folder that holds its own "VEMO.ini" and is not a "bin" folder of
//   an installation keeps everything beside the program;
// - otherwise the desktop's places: settings in $XDG_CONFIG_HOME/vemo (~/.config/vemo), auto-save and
//   link files in $XDG_DATA_HOME/vemo (~/.local/share/vemo), data below the documents folder
//   ("<XDG_DOCUMENTS_DIR>/Vemo").  A settings file found at an older place (the user data folder, or
//   an installation's bin folder written by this user) is moved there with the auto-save and link
//   files beside it; a moved file that named no data folder keeps the old one when it holds sites.
// The folders are created when missing.
AppLocations ResolveLocations(const std::string& executableFolder);

// $XDG_CONFIG_HOME/vemo, else ~/.config/vemo.
std::string UserConfigFolder();
// The user's documents folder as `xdg-user-dir DOCUMENTS` names it: XDG_DOCUMENTS_DIR of
// $XDG_CONFIG_HOME/user-dirs.dirs, else $HOME.
std::string DocumentsFolder();

} // namespace vemo
