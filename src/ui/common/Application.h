#pragma once

#include <QApplication>

namespace vemo {

// The program's application object: an exception escaping any event handler (a key in a grid, a
// click on the plot, a menu command) is shown in a message box and the event loop carries on.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace vemo
