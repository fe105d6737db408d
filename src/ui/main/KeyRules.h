#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QKeyEvent;
class QWidget;

namespace vemo {

// The main window sees every key before its controls (installed as an application event filter and
// acting only on keys for controls of its window):
// - Enter moves the focus to the next control, so that a form is filled with the numeric keypad alone,
//   unless the coordinate list's Enter-direction indicator shows "↓": then Enter reaches the control
//   unchanged.  The grids that handle Enter themselves register a handler; for them the key goes to
//   the handler and no further.
// - Escape moves the focus to the previous control (after an Escape handler of the control, if any).
// - With UpperChr on, typed letters a-z become A-Z (point names are upper case in the field books).
class KeyRules : public QObject {
    Q_OBJECT
public:
    // moveFocus(true) moves to the next control of the window, moveFocus(false) to the previous one.
    KeyRules(QWidget* window, std::function<void(bool next)> moveFocus);
    ~KeyRules() override;

    void setUpperChr(bool on) { upperChr_ = on; }
    bool upperChr() const { return upperChr_; }

    // True while the coordinate list's Enter-direction indicator shows "↓".
    void setEnterGoesDown(std::function<bool()> predicate) { enterGoesDown_ = std::move(predicate); }

    // Enter ("→" mode) in `control` or any widget inside it runs `handler` and is swallowed: the
    // coordinate grid hands itself a Tab.
    void setEnterHandler(QWidget* control, std::function<void()> handler);
    // Escape in `control` first runs `handler` (a grid gives its cell back its saved text), then the
    // focus moves to the previous control as everywhere.
    void setEscapeHandler(QWidget* control, std::function<void()> handler);

    // A docked tool window or a grid with Enter and Escape rules of its own (the calculation window
    // confirms grid names and moves within itself; the parcel editor's point grid and the selection list
    // confirm their cell and give it back its text): Enter and Escape inside `area` are left to it.
    void leaveEnterAndEscapeTo(QWidget* area) { ownEnterEscape_.push_back(area); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Handler {
        QPointer<QWidget> control;
        std::function<void()> run;
    };
    bool handleKey(QWidget* target, QKeyEvent* key);
    bool handleEnter(QWidget* target);
    bool handleEscape(QWidget* target);
    bool upperCase(QWidget* target, QKeyEvent* key);
    static const Handler* findHandler(const std::vector<Handler>& handlers, QWidget* target);

    QWidget* window_;
    std::function<void(bool)> moveFocus_;
    std::function<bool()> enterGoesDown_;
    std::vector<Handler> enterHandlers_;
    std::vector<Handler> escapeHandlers_;
    std::vector<QPointer<QWidget>> ownEnterEscape_;
    bool upperChr_ = true;
};

} // namespace vemo
