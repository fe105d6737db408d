#pragma once

#include <QObject>
#include <QTimer>

namespace vemo {

// The auto-save clock: every AutoSaveInterval minutes while AutoSave is on, fired() lets the forced
// auto-save (and the traverse window's auto-save while its table has the focus) run, so that an
// abnormal end loses at most one interval of work.  It is a message-loop timer: a tick never runs
// in the middle of a command.
class AutoSaveTimer : public QObject {
    Q_OBJECT
public:
    // `msPerMinute` shortens the minute for tests that watch the clock tick.
    explicit AutoSaveTimer(QObject* parent = nullptr, int msPerMinute = 60000);

    // On with an interval in minutes.  An interval of 0 or less switches the clock off: a zero
    // interval would save continuously and freeze the program.  Very long intervals are capped at the
    // longest the timer can hold (about 24 days).
    void configure(bool on, int minutes);

    bool isActive() const { return timer_.isActive(); }
    int intervalMs() const { return timer_.interval(); }

    static int intervalForMinutes(int minutes);

signals:
    void fired();

private:
    int msPerMinute_;
    QTimer timer_;
};

} // namespace vemo
