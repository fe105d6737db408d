#include "ui/common/Application.h"

#include "ui/common/CommandGuard.h"
#include "ui/common/Translations.h"

namespace vemo {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    InstallJapaneseTranslations(*this);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    return GuardDelivery([&] { return QApplication::notify(receiver, event); }, false);
}

} // namespace vemo
