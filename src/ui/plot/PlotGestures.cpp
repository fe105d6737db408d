#include "ui/plot/PlotGestures.h"

#include <algorithm>

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

PlotChordAction ChordActionFor(const PlotChordMarks& marks, int dx, int dy) {
    if (marks.allPoints) {
        return PlotChordAction::FitAll;
    }
    if (marks.reduction) {
        return PlotChordAction::Reduce;
    }
    if (marks.previous) {
        return PlotChordAction::Previous;
    }
    return dx > 0 && dy > 0 ? PlotChordAction::Rectangle : PlotChordAction::Recentre;
}

void PlotGestureState::UpdateZones(QPoint pos, bool shortZones) {
    const auto zone = [shortZones](int pixels) {
        const int z = ZoneForOffset(pixels);
        return z == kZoneShort && !shortZones ? kZoneNone : z;
    };
    zones[static_cast<int>(PlotDirection::Up)] = zone(press.y() - pos.y());
    zones[static_cast<int>(PlotDirection::Left)] = zone(press.x() - pos.x());
    zones[static_cast<int>(PlotDirection::Right)] = zone(pos.x() - press.x());
    zones[static_cast<int>(PlotDirection::Down)] = zone(pos.y() - press.y());
}

bool PlotGestureState::Press(Qt::MouseButton button, QPoint pos) {
    switch (button) {
    case Qt::LeftButton:
        leftHeld = true;
        if (!rightHeld) {
            press = pos;
        }
        break;
    case Qt::RightButton:
        rightHeld = true;
        menuSuppressed = false;
        break;
    case Qt::MiddleButton:
        leftHeld = rightHeld = true;
        break;
    default:
        return false;
    }
    if (!leftHeld || !rightHeld || chord) {
        return false;
    }
    chord = true;
    menuSuppressed = true;
    press = pointer = pos;
    marks = PlotChordMarks{};
    ResetZones();
    return true;
}

QString PlotGestureState::Move(QPoint pos, const PlotGestureRules& rules) {
    if (chord) {
        pointer = pos;
        const int dx = pos.x() - press.x();
        const int dy = pos.y() - press.y();
        marks = ChordMarksFor(dx, dy);
        return ChordHint(marks, dx, dy, rules);
    }
    if (leftHeld && !rightHeld) {
        UpdateZones(pos, rules.shortZones);
        if (const auto direction = ActingDirection(zones, rules.host)) {
            return ZoneHint(*direction, zones[static_cast<int>(*direction)], rules.host);
        }
    }
    return QStringLiteral("|");
}

// The zone the hint named acts and every zone is spent; a drag beyond the click distance that names
// nothing does nothing (it is no click either).
PlotRelease PlotGestureState::Release(Qt::MouseButton button, QPoint pos, const PlotGestureRules& rules) {
    if (button == Qt::LeftButton) {
        leftHeld = false;
    } else if (button == Qt::RightButton) {
        rightHeld = false;
    } else if (button == Qt::MiddleButton) {
        leftHeld = rightHeld = false;
    }
    PlotRelease release;
    if (button == Qt::LeftButton && !chord) {
        const bool dragged = std::any_of(zones.begin(), zones.end(), [](int zone) { return zone != kZoneNone; });
        if (const auto direction = ActingDirection(zones, rules.host)) {
            release.direction = *direction;
            release.zone = zones[static_cast<int>(*direction)];
            release.kind = release.zone == kZoneShort ? PlotRelease::Kind::ShortCommand : PlotRelease::Kind::Pan;
        } else if (!dragged && !rightHeld) {
            release.kind = PlotRelease::Kind::Click;
        }
        ResetZones();
    }
    if (chord && !leftHeld && !rightHeld) {
        release.kind = PlotRelease::Kind::Chord;
        release.chord = ChordActionFor(marks, pos.x() - press.x(), pos.y() - press.y());
        release.marks = marks;
        release.press = press;
        chord = false;
        marks = PlotChordMarks{};
    }
    return release;
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

QString ChordHint(const PlotChordMarks& marks, int dx, int dy, const PlotGestureRules& rules) {
    const bool rangeOn = rules.rangeOn;
    if (marks.allPoints) {
        if (rules.rebuildChord && ChordRebuilds(dx, dy)) {
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

void PanView(PlotViewport& view, PlotDirection direction, int zone) {
    if (view.scale == 0) {
        return;
    }
    const double times = zone == kZoneFull ? 2.0 : 1.0;
    const double halfHeight = view.pixelCentreY / view.scale * times;
    const double halfWidth = view.pixelCentreX / view.scale * times;
    switch (direction) {
    case PlotDirection::Up:
        view.centreX += halfHeight;
        break;
    case PlotDirection::Left:
        view.centreY -= halfWidth;
        break;
    case PlotDirection::Right:
        view.centreY += halfWidth;
        break;
    case PlotDirection::Down:
        view.centreX -= halfHeight;
        break;
    }
}

namespace {

void RecentreView(PlotViewport& view, QPoint pixel) {
    if (view.scale == 0) {
        return;
    }
    view.centreX -= (pixel.y() - view.pixelCentreY) / view.scale;
    view.centreY -= (view.pixelCentreX - pixel.x()) / view.scale;
}

// Undefined while the scale is 0: the caller tests that first.
void ZoomViewToRectangle(PlotViewport& view, QRect rect) {
    const PlotWorld topLeft = view.ToWorld(rect.left(), rect.top());
    const PlotWorld bottomRight = view.ToWorld(rect.right(), rect.bottom());
    view.centreX = (topLeft.x + bottomRight.x) / 2;
    view.centreY = (topLeft.y + bottomRight.y) / 2;
    view.scale = FitScale(topLeft.x - bottomRight.x, bottomRight.y - topLeft.y, view.width, view.height, false);
}

void SwapWithPrevious(PlotViewport& view, int& nameSize, PlotViewRecord& previous) {
    if (previous.scale == 0) {
        return;
    }
    const PlotViewRecord current = view.Record(nameSize);
    view.scale = previous.scale;
    view.centreX = previous.centreX;
    view.centreY = previous.centreY;
    if (previous.nameSize != 0) {
        nameSize = previous.nameSize;
    }
    previous = current;
}

} // namespace

bool ChangeViewByChord(const PlotRelease& release, QPoint pos, PlotViewport& view, int& nameSize,
                       PlotViewRecord& previous, int bigFont) {
    switch (release.chord) {
    case PlotChordAction::Reduce:
        view.scale *= release.marks.half ? 0.5 : 0.8;
        return true;
    case PlotChordAction::Previous:
        SwapWithPrevious(view, nameSize, previous);
        return true;
    case PlotChordAction::Rectangle:
        if (view.scale == 0) {
            return false;
        }
        previous = view.Record(nameSize);
        // The rectangle's corners are the press and the release point, converted by the old view.
        ZoomViewToRectangle(view, QRect(release.press, pos));
        nameSize = bigFont;
        return true;
    case PlotChordAction::Recentre:
        RecentreView(view, pos);
        return view.scale != 0;
    case PlotChordAction::FitAll:
        break;
    }
    return false;
}

} // namespace vemo
