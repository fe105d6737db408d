#include "core/zub/ZubChecksum.h"

namespace vemo {

char ZubChecksum(std::string_view body) {
    long sum = 0;
    for (const char c : body) {
        sum += static_cast<signed char>(c);
    }
    // C++ division truncates toward zero, so the remainder keeps the sign of the sum as the
    // instruments compute it.
    return static_cast<char>(static_cast<unsigned char>(sum % 64 + 32));
}

std::string ZubRecordLine(std::string_view body) {
    std::string line(body);
    line += ZubChecksum(body);
    line += ',';
    return line;
}

bool IsValidZubLine(std::string_view line) {
    if (line.size() < 2 || line.back() != ',') {
        return false;
    }
    const std::string_view body = line.substr(0, line.size() - 2);
    return line[line.size() - 2] == ZubChecksum(body);
}

} // namespace vemo
