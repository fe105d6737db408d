#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace vemo::test {

// The simulated instrument (tools/zub-instrument) on a fresh pseudo-terminal pair.
class InstrumentProcess {
public:
    // Starts it with `args` and reads the path of the program's end of the line.
    explicit InstrumentProcess(const QStringList& args);
    ~InstrumentProcess();

    const QString& PortPath() const { return portPath_; }
    // Waits for it to end; its exit code, -1 when it did not end in time.
    int Finish(int timeoutMs = 10000);
    // Its closing report on stderr, read once it has ended.
    QString Log();
    // How many bytes its noise corrupted, from that report.
    int CorruptedBytes();

private:
    QProcess process_;
    QString portPath_;
    QString log_;
};

} // namespace vemo::test
