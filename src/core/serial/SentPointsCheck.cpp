#include "core/serial/SentPointsCheck.h"

#include "core/text/MessagesReading.h"

#include <optional>
#include <set>
#include <unordered_map>

namespace vemo {

namespace {

std::vector<ReceivedPoint> SentPoints(const ZubSendList& sent) {
    std::vector<ReceivedPoint> points;
    for (const std::string& line : sent.lines) {
        if (line.starts_with("G,")) {
            if (std::optional<ReceivedPoint> point = ParseCoordinateRecord(line)) {
                points.push_back(std::move(*point));
            }
        }
    }
    return points;
}

struct Comparison {
    std::vector<std::string> lines;
    int pointsSent = 0;
    int pointsDiffering = 0;
};

Comparison Compare(const ZubSendList& sent, const std::vector<ReceivedPoint>& back) {
    std::unordered_map<std::string, const ReceivedPoint*> byName;
    for (const ReceivedPoint& point : back) {
        byName.emplace(point.name, &point);
    }
    Comparison result;
    std::set<std::string> sentNames;
    for (const ReceivedPoint& point : SentPoints(sent)) {
        ++result.pointsSent;
        sentNames.insert(point.name);
        const auto found = byName.find(point.name);
        if (found == byName.end()) {
            result.lines.push_back(msg::SentPointMissing(point.name));
            ++result.pointsDiffering;
        } else if (found->second->x != point.x || found->second->y != point.y) {
            result.lines.push_back(
                msg::SentPointChanged(point.name, point.x, point.y, found->second->x, found->second->y));
            ++result.pointsDiffering;
        }
    }
    for (const ReceivedPoint& point : back) {
        if (!sentNames.contains(point.name)) {
            result.lines.push_back(msg::PointNeverSent(point.name, point.x, point.y));
        }
    }
    return result;
}

} // namespace

std::vector<std::string> CompareSentPoints(const ZubSendList& sent, const std::vector<ReceivedPoint>& back) {
    return Compare(sent, back).lines;
}

std::string SentPointsCheckReport(const ZubSendList& sent, const std::vector<ReceivedPoint>& back) {
    const Comparison comparison = Compare(sent, back);
    if (comparison.lines.empty()) {
        return msg::SentPointsAllMatch(comparison.pointsSent);
    }
    std::string report = msg::SentPointsDiffer(comparison.pointsSent, comparison.pointsDiffering);
    for (const std::string& line : comparison.lines) {
        report += "\n  " + line;
    }
    return report;
}

} // namespace vemo
