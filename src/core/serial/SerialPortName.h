#pragma once

#include <string>
#include <string_view>

namespace vemo {

// The Port setting names a device: "COM1" .. "COM8" are the machine's first eight serial ports
// (/dev/ttyS0 .. /dev/ttyS7 here); anything else, such as a USB adapter's /dev/ttyUSB0, is taken as
// the device path itself.
std::string SerialDevicePath(std::string_view port);

} // namespace vemo
