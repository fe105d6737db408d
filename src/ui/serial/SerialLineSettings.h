#pragma once

#include "core/settings/Settings.h"

#include <QSerialPort>
#include <QString>

namespace vemo {

// The line settings of section [RS-232C] in the terms of the serial port.
struct SerialLineSettings {
    QString device;      // from Port: "COM1" .. "COM8" or a device path
    qint32 baudRate = 0; // 0: keep the port's own rate (a text other than 9600, 4800, 2400)
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::StopBits stopBits = QSerialPort::TwoStop;
};

SerialLineSettings LineSettingsFrom(const Settings::Rs232cKeys& keys);

// Applies the settings to an open port and switches parity checking on, so that a byte with a parity
// error is not taken for data.  False when the port refuses one of them.
bool ApplyLineSettings(QSerialPort& port, const SerialLineSettings& settings);

} // namespace vemo
