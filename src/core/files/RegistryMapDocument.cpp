#include "core/files/RegistryMapDocument.h"

#include <functional>
#include <string_view>

namespace vemo {

std::string_view MapIds::View(std::uint32_t number) const {
    const std::uint32_t begin = number == 0 ? 0 : ends_[number - 1];
    return std::string_view(names_).substr(begin, ends_[number] - begin);
}

std::size_t MapIds::SlotOf(std::string_view id) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = std::hash<std::string_view>{}(id)&mask;; slot = (slot + 1) & mask) {
        if (slots_[slot] == kNoMapId || View(slots_[slot]) == id) {
            return slot;
        }
    }
}

void MapIds::Grow() {
    std::vector<std::uint32_t> old = std::move(slots_);
    slots_.assign(old.empty() ? 1024 : old.size() * 2, kNoMapId);
    for (std::uint32_t number : old) {
        if (number != kNoMapId) {
            slots_[SlotOf(View(number))] = number;
        }
    }
}

std::uint32_t MapIds::Of(std::string_view id) {
    // Kept at most half full, so a search meets an empty slot soon.
    if (2 * (ends_.size() + 1) > slots_.size()) {
        Grow();
    }
    const std::size_t slot = SlotOf(id);
    if (slots_[slot] != kNoMapId) {
        return slots_[slot];
    }
    const auto number = static_cast<std::uint32_t>(ends_.size());
    names_.append(id);
    ends_.push_back(static_cast<std::uint32_t>(names_.size()));
    slots_[slot] = number;
    return number;
}

std::uint32_t MapIds::Find(std::string_view id) const {
    return slots_.empty() ? kNoMapId : slots_[SlotOf(id)];
}

void MapIds::Compact() {
    names_.shrink_to_fit();
    ends_.shrink_to_fit();
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
