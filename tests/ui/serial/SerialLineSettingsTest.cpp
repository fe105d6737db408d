// The [RS-232C] texts in terms of the port.  Parity cannot be set on a pseudo terminal, so the
// mapping is checked here without a port.
#include "ui/serial/SerialLineSettings.h"
#include "core/text/Cp932.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(SerialLineSettings, TextsMapToPortParameters) {
    struct Case {
        const char* port;
        const char* speed;
        const char* bits;
        const char* parity;
        const char* stop;
        SerialLineSettings expected;
    };
    const Case cases[] = {
        {"COM1",
         "9600",
         "8",
         "ﾅｼ",
         "2",
         {"/dev/ttyS0", 9600, QSerialPort::Data8, QSerialPort::NoParity, QSerialPort::TwoStop}},
        {"COM8",
         "2400",
         "7",
         "偶数",
         "1",
         {"/dev/ttyS7", 2400, QSerialPort::Data7, QSerialPort::EvenParity, QSerialPort::OneStop}},
        {"/dev/ttyUSB0",
         "4800",
         "8",
         "奇数",
         "2",
         {"/dev/ttyUSB0", 4800, QSerialPort::Data8, QSerialPort::OddParity, QSerialPort::TwoStop}},
        {"COM9",
         "19200",
         "8",
         "ﾅｼ",
         "2", // not one of the eight: a device name; an unknown rate keeps the port's
         {"COM9", 0, QSerialPort::Data8, QSerialPort::NoParity, QSerialPort::TwoStop}},
    };
    for (const Case& c : cases) {
        Settings::Rs232cKeys keys;
        keys.Port = c.port;
        keys.Speed = c.speed;
        keys.ByteSize = c.bits;
        keys.Parity = Jp(c.parity);
        keys.StopBits = c.stop;
        const SerialLineSettings s = LineSettingsFrom(keys);
        EXPECT_EQ(s.device, c.expected.device) << c.port;
        EXPECT_EQ(s.baudRate, c.expected.baudRate) << c.port;
        EXPECT_EQ(s.dataBits, c.expected.dataBits) << c.port;
        EXPECT_EQ(s.parity, c.expected.parity) << c.port;
        EXPECT_EQ(s.stopBits, c.expected.stopBits) << c.port;
    }
}

} // namespace
} // namespace vemo
