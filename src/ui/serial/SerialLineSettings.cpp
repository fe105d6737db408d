#include "ui/serial/SerialLineSettings.h"

#include "core/serial/SerialPortName.h"
#include "core/text/Cp932.h"

#include <termios.h>

namespace vemo {

SerialLineSettings LineSettingsFrom(const Settings::Rs232cKeys& keys) {
    SerialLineSettings s;
    s.device = QString::fromStdString(SerialDevicePath(keys.Port));
    if (keys.Speed == "9600" || keys.Speed == "4800" || keys.Speed == "2400") {
        s.baudRate = std::stoi(keys.Speed);
    }
    s.dataBits = keys.ByteSize == "7" ? QSerialPort::Data7 : QSerialPort::Data8;
    if (keys.Parity == Jp("偶数")) {
        s.parity = QSerialPort::EvenParity;
    } else if (keys.Parity == Jp("奇数")) {
        s.parity = QSerialPort::OddParity;
    }
    s.stopBits = keys.StopBits == "1" ? QSerialPort::OneStop : QSerialPort::TwoStop;
    return s;
}

bool ApplyLineSettings(QSerialPort& port, const SerialLineSettings& settings) {
    if (settings.baudRate != 0 && !port.setBaudRate(settings.baudRate)) {
        return false;
    }
    if (!port.setDataBits(settings.dataBits) || !port.setParity(settings.parity) ||
        !port.setStopBits(settings.stopBits)) {
        return false;
    }
    termios attributes{};
    if (tcgetattr(static_cast<int>(port.handle()), &attributes) != 0) {
        return false;
    }
    attributes.c_iflag |= INPCK;
    return tcsetattr(static_cast<int>(port.handle()), TCSANOW, &attributes) == 0;
}

} // namespace vemo
