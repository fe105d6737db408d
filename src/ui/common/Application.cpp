#include "ui/common/Application.h"

#include "ui/common/CommandGuard.h"

namespace vemo {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    return GuardDelivery([&] { return QApplication::notify(receiver, event); }, false);
}

} // namespace vemo
