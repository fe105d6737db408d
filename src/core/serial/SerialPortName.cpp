#include "core/serial/SerialPortName.h"

namespace vemo {

std::string SerialDevicePath(std::string_view port) {
    if (port.size() == 4 && port.starts_with("COM") && port[3] >= '1' && port[3] <= '8') {
        return "/dev/ttyS" + std::string(1, static_cast<char>(port[3] - 1));
    }
    return std::string(port);
}

} // namespace vemo
