#pragma once

#include "core/serial/ZubLink.h"
#include "ui/serial/SerialLineSettings.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QTimer>

#include <memory>

class QSerialPort;

namespace vemo {

// Runs one transfer of the instrument link over a serial port without blocking the window: bytes are
// handed to the link as the port signals them, and a timer stands for the link's next deadline.  The
// port is open from Start until the transfer ends.
class ZubPortDriver : public QObject {
    Q_OBJECT
public:
    // Why a transfer did not start or stopped before its link was done.  The texts are the messages
    // the surveyor sees.
    enum class PortProblem { None, CannotOpen, SettingsRefused, ClearRefused, Broken };

    explicit ZubPortDriver(QObject* parent = nullptr);
    ~ZubPortDriver() override;

    // Opens the port, applies the settings, clears both directions and starts `link`.  On a problem
    // nothing runs, the port is closed again and the problem returned.
    PortProblem Start(std::unique_ptr<ZubLink> link, const SerialLineSettings& settings);
    // Esc: ends the transfer at once (finished is emitted with Cancelled).
    void Cancel();

    bool IsRunning() const;
    ZubLink* Link() const { return link_.get(); }
    // Why a transfer stopped that its link did not end (a full coordinate list, a port unplugged).
    const QString& LinkError() const { return linkError_; }

    static QString ProblemText(PortProblem problem);
    // After CannotOpen: which device and why (no such device, no permission, in use).
    const QString& OpenFailure() const { return openFailure_; }
    static QString OpenFailureText(const QString& device, QSerialPort::SerialPortError error, bool mayUse,
                                   const QString& detail);

signals:
    // The line just sent or received, for the dialog's message line.
    void messageChanged(const QString& text);
    void finished(vemo::ZubLinkState state);

private:
    void OnReadyRead();
    void OnDeadline();
    void Pump();
    void Stop();
    qint64 Now() const { return clock_.elapsed(); }

    std::unique_ptr<QSerialPort> port_;
    std::unique_ptr<ZubLink> link_;
    QTimer deadline_;
    QElapsedTimer clock_;
    std::string lastMessage_;
    QString linkError_;
    QString openFailure_;
};

} // namespace vemo
