#include "InstrumentProcess.h"

#include <QRegularExpression>

namespace vemo::test {

InstrumentProcess::InstrumentProcess(const QStringList& args) {
    process_.start(QStringLiteral(VEMO_ZUB_INSTRUMENT), args);
    while (process_.waitForReadyRead(5000) && !process_.canReadLine()) {
    }
    portPath_ = QString::fromUtf8(process_.readLine()).trimmed();
}

InstrumentProcess::~InstrumentProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

int InstrumentProcess::Finish(int timeoutMs) {
    if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(timeoutMs)) {
        return -1;
    }
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

QString InstrumentProcess::Log() {
    log_ += QString::fromUtf8(process_.readAllStandardError());
    return log_;
}

int InstrumentProcess::CorruptedBytes() {
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("(\\d+) corrupted")).match(Log());
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace vemo::test
