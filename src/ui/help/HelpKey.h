#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace vemo {

// F1 anywhere in the program: the help topic of the nearest window or area around the keyboard focus.
// Windows and areas name their topic with the property "helpContext" (an int); a widget without one
// takes its parent's, and a window without any the fallback.  A negative number (the help window
// itself) leaves the help as it is.
class HelpKey : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kProperty = "helpContext";

    // Watches the whole application's keys as long as it lives.
    HelpKey(std::function<void(int context)> show, int fallback, QObject* parent = nullptr);
    ~HelpKey() override;

    static int ContextOf(const QWidget* widget, int fallback);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(int)> show_;
    int fallback_;
};

} // namespace vemo
