#include "core/files/RegistryMapDocument.h"

#include <string_view>

namespace vemo {

std::uint32_t MapIds::Of(std::string_view id) {
    if (auto it = numbers_.find(id); it != numbers_.end()) {
        return it->second;
    }
    const auto number = static_cast<std::uint32_t>(names_.size());
    names_.emplace_back(id);
    numbers_.emplace(names_.back(), number);
    return number;
}

std::uint32_t MapIds::Find(std::string_view id) const {
    auto it = numbers_.find(id);
    return it == numbers_.end() ? kNoMapId : it->second;
}

int PlaneZoneOfCoordinateSystem(const std::string& utf8CoordinateSystem) {
    constexpr std::string_view kPrefix = "公共座標";
    constexpr std::string_view kSuffix = "系";
    std::string_view text = utf8CoordinateSystem;
    if (text.size() <= kPrefix.size() + kSuffix.size() || !text.starts_with(kPrefix) || !text.ends_with(kSuffix)) {
        return 0;
    }
    std::string_view digits = text.substr(kPrefix.size(), text.size() - kPrefix.size() - kSuffix.size());
    if (digits.empty() || digits.size() > 2) {
        return 0;
    }
    int zone = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return 0;
        }
        zone = zone * 10 + (c - '0');
    }
    return zone >= 1 && zone <= 19 ? zone : 0;
}

} // namespace vemo
