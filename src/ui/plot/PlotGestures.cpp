#include "ui/plot/PlotGestures.h"

namespace vemo {

int ZoneForOffset(int pixels) {
    if (pixels >= 200) {
        return kZoneFull;
    }
    if (pixels >= 100) {
        return kZoneHalf;
    }
    if (pixels >= 31) {
        return kZoneShort;
    }
    return kZoneNone;
}

PlotChordMarks ChordMarksFor(int dx, int dy) {
    PlotChordMarks m;
    m.allPoints = dx >= -4 && -dy > 30;
    m.previous = -dx > 5 && dy > 0;
    m.reduction = -dx > 5 && -dy > 0;
    m.half = m.reduction && -dx > 50;
    return m;
}

void PlotGestureState::UpdateZones(QPoint pos) {
    zones[static_cast<int>(PlotDirection::Up)] = ZoneForOffset(press.y() - pos.y());
    zones[static_cast<int>(PlotDirection::Left)] = ZoneForOffset(press.x() - pos.x());
    zones[static_cast<int>(PlotDirection::Right)] = ZoneForOffset(pos.x() - press.x());
    zones[static_cast<int>(PlotDirection::Down)] = ZoneForOffset(pos.y() - press.y());
}

QString ZoneHint(PlotDirection direction, int zone, const PlotHost* host) {
    if (zone == kZoneShort) {
        return host ? host->ShortDragHint(direction) : QString();
    }
    if (zone != kZoneHalf && zone != kZoneFull) {
        return {};
    }
    const bool full = zone == kZoneFull;
    switch (direction) {
    case PlotDirection::Up:
        return full ? QStringLiteral("▲▲▲ 全画面移動|▲▲▲ 全画面移動") : QStringLiteral("▲ 半画面移動|▲ 半画面移動");
    case PlotDirection::Left:
        return full ? QStringLiteral("＜＜＜＝＝＝ 全画面移動|＜＜＜＝＝＝ 全画面移動")
                    : QStringLiteral("＜＝ 半画面移動|＜＝ 半画面移動");
    case PlotDirection::Right:
        return full ? QStringLiteral("全画面移動 ＝＝＝＞＞＞|全画面移動 ＝＝＝＞＞＞")
                    : QStringLiteral("半画面移動 ＝＞|半画面移動 ＝＞");
    case PlotDirection::Down:
        return full ? QStringLiteral("▼▼▼ 全画面移動|▼▼▼ 全画面移動") : QStringLiteral("▼ 半画面移動|▼ 半画面移動");
    }
    return {};
}

std::optional<PlotDirection> ActingDirection(const std::array<int, 4>& zones, const PlotHost* host) {
    for (PlotDirection direction :
         {PlotDirection::Up, PlotDirection::Left, PlotDirection::Right, PlotDirection::Down}) {
        if (!ZoneHint(direction, zones[static_cast<int>(direction)], host).isEmpty()) {
            return direction;
        }
    }
    return std::nullopt;
}

QString ChordHint(const PlotChordMarks& marks, int dx, int dy, bool rangeOn) {
    if (marks.allPoints) {
        if (ChordRebuilds(dx, dy)) {
            return rangeOn ? QStringLiteral("|再計算記憶範囲表示") : QStringLiteral("|再計算全点再表示");
        }
        return rangeOn ? QStringLiteral("|記憶範囲表示") : QStringLiteral("|全点再表示");
    }
    if (marks.previous) {
        return QStringLiteral("|前倍率");
    }
    if (marks.reduction) {
        return marks.half ? QStringLiteral("|縮小(0.5倍)") : QStringLiteral("|縮小(0.8倍)");
    }
    return QStringLiteral("|拡 大");
}

QRect AllPointsMarkRect(QPoint press) {
    return QRect(press.x() - 30, press.y() - 30, 30, 30);
}

QRect PreviousMarkRect(QPoint press) {
    return QRect(press.x() - 15, press.y(), 15, 15);
}

QRect ReductionMarkRect(QPoint press) {
    return QRect(press.x() - 20, press.y() - 20, 20, 20);
}

} // namespace vemo
