#include "core/parcels/SequenceEntry.h"

#include "core/store/XyzNameIndex.h"
#include "core/text/Bytes.h"

#include <algorithm>
#include <cstdint>

namespace vemo {

namespace {

constexpr size_t kMaxDigits = 18; // fits a 64-bit count with room to spare

std::optional<std::uint64_t> Value(std::string_view digits) {
    if (digits.size() > kMaxDigits) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : digits) {
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

// The digits the numbering writes for `value` when it keeps `width` digits with leading zeros.
std::string Padded(std::uint64_t value, size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    return digits;
}

} // namespace

std::optional<std::vector<std::string>> SequenceNames(std::string_view previous, std::string_view target,
                                                      const XyzNameIndex& index) {
    DigitRun from = SplitTrailingDigits(previous);
    DigitRun to = SplitTrailingDigits(target);
    if (previous == target || !index.Find(target) || from.prefix != to.prefix) {
        return std::nullopt;
    }
    // A name without digits is number 1 of its run (the next name after "T" is "T2").
    auto fromValue = from.digits.empty() ? std::optional<std::uint64_t>(1) : Value(from.digits);
    auto toValue = to.digits.empty() ? std::optional<std::uint64_t>(1) : Value(to.digits);
    if (!fromValue || !toValue) {
        return std::nullopt;
    }
    std::uint64_t low = std::min(*fromValue, *toValue);
    std::uint64_t high = std::max(*fromValue, *toValue);

    // The index is sorted by name: the names with this prefix form one contiguous range.
    int first = 0;
    int last = index.Count();
    while (first < last) {
        int mid = (first + last) / 2;
        if (index.NameAt(mid) < from.prefix) {
            first = mid + 1;
        } else {
            last = mid;
        }
    }
    std::vector<std::pair<std::uint64_t, std::string>> run;
    for (int entry = first; entry < index.Count() && index.NameAt(entry).starts_with(from.prefix); ++entry) {
        std::string_view name = index.NameAt(entry);
        DigitRun parts = SplitTrailingDigits(name);
        auto value = Value(parts.digits);
        if (parts.prefix.size() != from.prefix.size() || parts.digits.empty() || !value || *value <= low ||
            *value >= high || parts.digits != Padded(*value, from.digits.size())) {
            continue;
        }
        if (run.empty() || run.back().second != name) { // equal names sit next to each other
            run.emplace_back(*value, std::string(name));
        }
    }
    std::sort(run.begin(), run.end());
    if (*fromValue > *toValue) {
        std::reverse(run.begin(), run.end());
    }
    std::vector<std::string> names;
    for (auto& [value, name] : run) {
        names.push_back(std::move(name));
    }
    names.emplace_back(target);
    return names;
}

} // namespace vemo
