#pragma once

#include "core/files/AutoSave.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace vemo {

// Writes the auto-save files a few seconds after the data last changed, and while changes go on at
// least every few seconds, so that an abnormal end loses at most the last few seconds of work.  The
// lists are copied on the user-interface thread (a few milliseconds for a full site) and formatted and
// written on a thread of their own, so typing goes on while a large list is written.  One write at a
// time: a change during a write is written after it.
class AutoSaver : public QObject {
    Q_OBJECT
public:
    // How long after the last change the files are written, and the longest a change waits while
    // changes go on.
    static constexpr int kQuietMs = 2000;
    static constexpr int kLongestWaitMs = 8000;

    // `snapshot` copies what is to be written; `folder` is where the files go.
    AutoSaver(std::function<AutoSaveSnapshot()> snapshot, std::function<std::filesystem::path()> folder,
              QObject* parent = nullptr);
    ~AutoSaver() override;

    void setEnabled(bool on);
    bool isEnabled() const { return enabled_; }

    // The data changed: a write is due after the quiet time.
    void changed();
    // Whether a write is waiting for its time.
    bool isDue() const { return due_; }
    // Starts the write now (the timer's tick, and tests in place of the clock).  False when a write is
    // already running (the due write follows it).
    bool writeNow();
    // Waits for a running write and delivers its result (tests, the end of the program).
    void waitForWrite();
    bool isWriting() const { return worker_ != nullptr; }

    // The delay of the due write when the first unwritten change is `sinceFirstMs` old.
    static int delayMs(qint64 sinceFirstMs);

signals:
    // A write ended: `error` is empty when the files were written.
    void written(const QString& error);

private:
    struct Job;
    void schedule();
    void finish();

    std::function<AutoSaveSnapshot()> snapshot_;
    std::function<std::filesystem::path()> folder_;
    bool enabled_ = true;
    bool due_ = false;
    QElapsedTimer firstChange_;
    QTimer timer_;
    std::shared_ptr<Job> job_;
    std::unique_ptr<std::thread> worker_;
};

} // namespace vemo
