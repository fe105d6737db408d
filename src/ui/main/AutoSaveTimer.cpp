#include "ui/main/AutoSaveTimer.h"

#include <algorithm>
#include <climits>

namespace vemo {

namespace {
constexpr int kMsPerMinute = 60000;
}

AutoSaveTimer::AutoSaveTimer(QObject* parent, int msPerMinute) : QObject(parent), msPerMinute_(msPerMinute) {
    // A child, so that a test can find the clock and tick it without waiting for it.
    timer_.setParent(this);
    timer_.setObjectName(QStringLiteral("autoSaveClock"));
    timer_.setTimerType(Qt::CoarseTimer);
    connect(&timer_, &QTimer::timeout, this, &AutoSaveTimer::fired);
}

int AutoSaveTimer::intervalForMinutes(int minutes) {
    if (minutes <= 0) {
        return 0;
    }
    if (minutes > INT_MAX / kMsPerMinute) {
        return INT_MAX / kMsPerMinute * kMsPerMinute;
    }
    return minutes * kMsPerMinute;
}

void AutoSaveTimer::configure(bool on, int minutes) {
    const int interval =
        msPerMinute_ == kMsPerMinute ? intervalForMinutes(minutes) : std::max(minutes, 0) * msPerMinute_;
    timer_.stop();
    if (interval > 0) {
        timer_.setInterval(interval);
    }
    if (on && interval > 0) {
        timer_.start();
    }
}

} // namespace vemo
