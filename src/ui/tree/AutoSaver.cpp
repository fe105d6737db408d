#include "ui/tree/AutoSaver.h"

#include "ui/common/Cp932Text.h"

#include <QMetaObject>

#include <algorithm>
#include <exception>

namespace vemo {

// What a write hands back across the threads.
struct AutoSaver::Job {
    AutoSaveSnapshot snapshot;
    std::filesystem::path folder;
    std::string error; // CP932, empty on success
};

AutoSaver::AutoSaver(std::function<AutoSaveSnapshot()> snapshot, std::function<std::filesystem::path()> folder,
                     QObject* parent)
    : QObject(parent), snapshot_(std::move(snapshot)), folder_(std::move(folder)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { writeNow(); });
}

AutoSaver::~AutoSaver() {
    if (worker_) {
        worker_->join();
    }
}

void AutoSaver::setEnabled(bool on) {
    enabled_ = on;
    if (!on) {
        timer_.stop();
        due_ = false;
    }
}

int AutoSaver::delayMs(qint64 sinceFirstMs) {
    const qint64 left = kLongestWaitMs - sinceFirstMs;
    return static_cast<int>(std::clamp<qint64>(left, 0, kQuietMs));
}

void AutoSaver::changed() {
    if (!enabled_) {
        return;
    }
    if (!due_) {
        due_ = true;
        firstChange_.start();
    }
    schedule();
}

void AutoSaver::schedule() {
    if (!worker_) {
        timer_.start(delayMs(firstChange_.elapsed()));
    }
}

bool AutoSaver::writeNow() {
    if (worker_) {
        return false;
    }
    timer_.stop();
    due_ = false;
    job_ = std::make_shared<Job>();
    job_->snapshot = snapshot_();
    job_->folder = folder_();
    std::shared_ptr<Job> job = job_;
    worker_ = std::make_unique<std::thread>([this, job] {
        try {
            WriteAutoSave(job->folder, job->snapshot);
        } catch (const std::exception& error) {
            job->error = error.what();
        }
        QMetaObject::invokeMethod(
            this,
            [this, job] {
                if (job_ == job) {
                    finish();
                }
            },
            Qt::QueuedConnection);
    });
    return true;
}

void AutoSaver::waitForWrite() {
    if (worker_) {
        finish();
    }
}

// On the user-interface thread once the write ended (or when waited for).  The queued call of a
// write already finished by waitForWrite finds nothing to do.
void AutoSaver::finish() {
    if (!worker_) {
        return;
    }
    worker_->join();
    worker_.reset();
    const QString error = FromCp932(job_->error);
    job_.reset();
    emit written(error);
    if (due_) {
        schedule();
    }
}

} // namespace vemo
