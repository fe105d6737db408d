#include "core/files/RegistryMapDocument.h"

#include <string_view>

namespace vemo {

std::uint32_t MapIds::Of(const std::string& id) {
    auto [it, added] = numbers_.try_emplace(id, static_cast<std::uint32_t>(names_.size()));
    if (added) {
        names_.push_back(id);
    }
    return it->second;
}

std::uint32_t MapIds::Find(const std::string& id) const {
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
