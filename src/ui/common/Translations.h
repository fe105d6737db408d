#pragma once

class QCoreApplication;

namespace vemo {

// Loads Qt's own Japanese texts (Debian: qt6-translations-l10n), so that the standard dialogs (file
// chooser, colour chooser, the OK / キャンセル buttons) speak the surveyor's language like the rest of
// the program.  Returns false when the translations are not installed; the dialogs then stay English.
bool InstallJapaneseTranslations(QCoreApplication& app);

} // namespace vemo
