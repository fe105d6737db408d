#include "ui/serial/ZubPortDriver.h"

#include "core/text/Error.h"
#include "core/text/MessagesTrvsWindow.h"
#include "ui/common/Cp932Text.h"

#include <QFile>
#include <QSerialPort>

#include <unistd.h>

namespace vemo {

ZubPortDriver::ZubPortDriver(QObject* parent) : QObject(parent) {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &ZubPortDriver::OnDeadline);
    clock_.start();
}

ZubPortDriver::~ZubPortDriver() = default;

QString ZubPortDriver::ProblemText(PortProblem problem) {
    switch (problem) {
    case PortProblem::CannotOpen:
        return FromCp932(msg::PortCannotCreate());
    case PortProblem::SettingsRefused:
        return FromCp932(msg::PortSettingsRefused());
    case PortProblem::ClearRefused:
        return FromCp932(msg::PortClearRefused());
    case PortProblem::Broken:
        return FromCp932(msg::PortBroken());
    case PortProblem::None:
        break;
    }
    return {};
}

namespace {

// A device path or the system's reason in a message: a character CP932 lacks shows as "?".
std::string MessageText(const QString& text) {
    return ToCp932(text).value_or(text.toLatin1().toStdString());
}

} // namespace

// Why a port did not open, as the surveyor can act on it.  A port this user may read and write that
// still reports a permission error is locked by another program (QSerialPort takes a lock file).
QString ZubPortDriver::OpenFailureText(const QString& device, QSerialPort::SerialPortError error, bool mayUse,
                                       const QString& detail) {
    const std::string name = MessageText(device);
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return FromCp932(msg::PortMissing(name));
    case QSerialPort::PermissionError:
        if (!mayUse) {
            return FromCp932(msg::PortNotPermitted(name));
        }
        [[fallthrough]];
    case QSerialPort::OpenError:
        return FromCp932(msg::PortInUse(name));
    default:
        return FromCp932(msg::PortCannotOpen(name, MessageText(detail)));
    }
}

ZubPortDriver::PortProblem ZubPortDriver::Start(std::unique_ptr<ZubLink> link, const SerialLineSettings& settings) {
    Stop();
    auto port = std::make_unique<QSerialPort>(settings.device);
    openFailure_.clear();
    if (!port->open(QIODevice::ReadWrite)) {
        const QByteArray path = QFile::encodeName(port->portName().startsWith(QLatin1Char('/'))
                                                      ? port->portName()
                                                      : QStringLiteral("/dev/") + port->portName());
        const bool mayUse = ::access(path.constData(), R_OK | W_OK) == 0;
        openFailure_ = OpenFailureText(QFile::decodeName(path), port->error(), mayUse, port->errorString());
        return PortProblem::CannotOpen;
    }
    if (!ApplyLineSettings(*port, settings)) {
        return PortProblem::SettingsRefused;
    }
    if (!port->clear(QSerialPort::AllDirections)) {
        return PortProblem::ClearRefused;
    }
    port_ = std::move(port);
    link_ = std::move(link);
    linkError_.clear();
    lastMessage_.clear();
    connect(port_.get(), &QSerialPort::readyRead, this, &ZubPortDriver::OnReadyRead);
    connect(port_.get(), &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::ResourceError && IsRunning()) {
            linkError_ = ProblemText(PortProblem::Broken);
            link_->Cancel();
            Pump();
        }
    });
    link_->Start(Now());
    Pump();
    return PortProblem::None;
}

bool ZubPortDriver::IsRunning() const {
    return port_ != nullptr && link_ != nullptr && link_->Running();
}

void ZubPortDriver::Cancel() {
    if (IsRunning()) {
        link_->Cancel();
        Pump();
    }
}

void ZubPortDriver::OnReadyRead() {
    if (!IsRunning()) {
        return;
    }
    const QByteArray bytes = port_->readAll();
    try {
        link_->Feed(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), Now());
    } catch (const Error& e) {
        linkError_ = FromCp932(e.what());
        link_->Cancel();
    }
    Pump();
}

void ZubPortDriver::OnDeadline() {
    if (IsRunning()) {
        link_->Poll(Now());
        Pump();
    }
}

// Writes what the link produced, shows its message, re-arms the deadline or ends the transfer.
void ZubPortDriver::Pump() {
    const std::string out = link_->TakeOutput();
    if (!out.empty()) {
        port_->write(out.data(), static_cast<qint64>(out.size()));
    }
    if (link_->Message() != lastMessage_) {
        lastMessage_ = link_->Message();
        emit messageChanged(FromCp932(lastMessage_));
    }
    if (link_->Running()) {
        if (const std::optional<LinkMs> deadline = link_->Deadline()) {
            deadline_.start(static_cast<int>(std::max<LinkMs>(0, *deadline - Now())));
        } else {
            deadline_.stop();
        }
        return;
    }
    const ZubLinkState state = link_->State();
    Stop();
    emit finished(state);
}

void ZubPortDriver::Stop() {
    deadline_.stop();
    if (port_ != nullptr) {
        // The last acknowledgement must reach the instrument before the port closes.
        port_->flush();
        port_->waitForBytesWritten(200);
        port_->close();
        port_->disconnect(this);
        // Stop may run inside one of the port's own signals: delete it once that has returned.
        port_.release()->deleteLater();
    }
}

} // namespace vemo
