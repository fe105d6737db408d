// The mouse gestures of the plot: plain left drags pan or run the short-drag commands, a chord (both
// buttons, or the middle button) zooms, a plain click hands the nearest drawn point to the tool that
// waits for one.
#include "ui/plot/PlotPick.h"
#include "ui/plot/PlotView.h"

#include "core/store/Store.h"

#include <QMenu>
#include <QMouseEvent>

namespace vemo {

namespace {

// Gestures act only on a list with at least one point row besides the header and the empty last row;
// hints show only from one row more.
constexpr int kRowsForGestures = 3;
constexpr int kRowsForHints = 4;

constexpr std::array<PlotDirection, 4> kDirections = {PlotDirection::Up, PlotDirection::Left, PlotDirection::Right,
                                                      PlotDirection::Down};

} // namespace

void PlotView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    switch (event->button()) {
    case Qt::LeftButton:
        gesture_.leftHeld = true;
        if (!gesture_.rightHeld) {
            gesture_.press = pos;
        }
        break;
    case Qt::RightButton:
        gesture_.rightHeld = true;
        gesture_.menuSuppressed = false;
        break;
    case Qt::MiddleButton:
        gesture_.leftHeld = gesture_.rightHeld = true;
        break;
    default:
        return;
    }
    if (gesture_.leftHeld && gesture_.rightHeld && !gesture_.chord) {
        gesture_.chord = true;
        gesture_.menuSuppressed = true;
        gesture_.press = gesture_.pointer = pos;
        gesture_.marks = PlotChordMarks{};
        gesture_.ResetZones();
        SetHint(QStringLiteral("|移 動"));
    }
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const bool active = store_.xyz.RowCount() >= kRowsForHints;
    if (active) {
        SetHint(QStringLiteral("|"));
        if (gesture_.chord) {
            MoveInChord(pos);
        } else if (gesture_.leftHeld && !gesture_.rightHeld) {
            MovePlainDrag(pos);
        }
        MoveCrossHair(pos);
    }
    // The cross-hair stands in for the mouse cursor; without it the ordinary cursor shows.
    const Qt::CursorShape shape = active && settings_.crossHair ? Qt::BlankCursor : Qt::ArrowCursor;
    if (cursor().shape() != shape) {
        setCursor(shape);
    }
}

void PlotView::MovePlainDrag(QPoint pos) {
    gesture_.UpdateZones(pos);
    for (PlotDirection direction : kDirections) {
        const QString hint = ZoneHint(direction, gesture_.zones[static_cast<int>(direction)], host_);
        if (!hint.isEmpty()) {
            SetHint(hint);
            return;
        }
    }
}

void PlotView::MoveInChord(QPoint pos) {
    gesture_.pointer = pos;
    const int dx = pos.x() - gesture_.press.x();
    const int dy = pos.y() - gesture_.press.y();
    gesture_.marks = ChordMarksFor(dx, dy);
    SetHint(ChordHint(gesture_.marks, dx, dy, rangeOn_));
    update();
}

void PlotView::MoveCrossHair(QPoint pos) {
    if (settings_.crossHair) {
        crossHair_ = pos;
        update();
    }
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const Qt::MouseButton button = event->button();
    const bool rightAlone = button == Qt::RightButton && !gesture_.leftHeld && !gesture_.menuSuppressed;
    if (button == Qt::LeftButton) {
        gesture_.leftHeld = false;
    } else if (button == Qt::RightButton) {
        gesture_.rightHeld = false;
    } else if (button == Qt::MiddleButton) {
        gesture_.leftHeld = gesture_.rightHeld = false;
    }
    if (rightAlone && contextMenu_) {
        contextMenu_->popup(event->globalPosition().toPoint());
    }
    if (store_.xyz.RowCount() < kRowsForGestures) {
        // Nothing acts, but a chord must not outlive its buttons.
        if (!gesture_.leftHeld && !gesture_.rightHeld) {
            gesture_.chord = false;
            gesture_.marks = PlotChordMarks{};
            update();
        }
        return;
    }
    SetHint(QStringLiteral("|"));
    if (button == Qt::LeftButton && !gesture_.chord) {
        if (!ReleaseZones() && !gesture_.rightHeld) {
            DispatchClick(pos);
        }
    }
    if (plotState_ == PlotStates::kFitRebuilt || plotState_ == PlotStates::kNeedsFit) {
        RebuildIndex();
    }
    plotState_ = PlotStates::kIdle;
    if (gesture_.chord && !gesture_.leftHeld && !gesture_.rightHeld) {
        ReleaseChord(pos);
        gesture_.chord = false;
        gesture_.marks = PlotChordMarks{};
        update();
    }
}

// Drag zones in the order up, left, right, down; the first zone set wins and is spent.
bool PlotView::ReleaseZones() {
    for (PlotDirection direction : kDirections) {
        int& zone = gesture_.zones[static_cast<int>(direction)];
        if (zone == kZoneNone) {
            continue;
        }
        const int acted = std::exchange(zone, kZoneNone);
        if (acted == kZoneShort) {
            if (host_) {
                host_->ShortDragCommand(direction);
            }
        } else {
            Pan(direction, acted);
        }
        gesture_.ResetZones();
        return true;
    }
    return false;
}

void PlotView::Pan(PlotDirection direction, int zone) {
    if (view_.scale == 0) {
        return;
    }
    const double times = zone == kZoneFull ? 2.0 : 1.0;
    const double halfHeight = view_.pixelCentreY / view_.scale * times;
    const double halfWidth = view_.pixelCentreX / view_.scale * times;
    switch (direction) {
    case PlotDirection::Up:
        view_.centreX += halfHeight;
        break;
    case PlotDirection::Left:
        view_.centreY -= halfWidth;
        break;
    case PlotDirection::Right:
        view_.centreY += halfWidth;
        break;
    case PlotDirection::Down:
        view_.centreX -= halfHeight;
        break;
    }
    RePaint();
}

void PlotView::ReleaseChord(QPoint pos) {
    const int dx = pos.x() - gesture_.press.x();
    const int dy = pos.y() - gesture_.press.y();
    const PlotChordMarks marks = gesture_.marks;
    if (marks.allPoints) {
        ChordFit(dx, dy);
    } else if (marks.reduction) {
        plotState_ = PlotStates::kReduced;
        view_.scale *= marks.half ? 0.5 : 0.8;
        RePaint();
    } else if (marks.previous) {
        plotState_ = PlotStates::kPrevious;
        if (prevView_.scale != 0) {
            const PlotViewRecord current = view_.Record(nameSize_);
            ApplyView(prevView_);
            prevView_ = current;
        }
        RePaint();
    } else if (dx > 0 && dy > 0) {
        RectangleZoom(QRect(gesture_.press, pos));
    } else if (view_.scale != 0) {
        view_.centreX -= (pos.y() - view_.pixelCentreY) / view_.scale;
        view_.centreY -= (view_.pixelCentreX - pos.x()) / view_.scale;
        RePaint();
    }
}

void PlotView::ChordFit(int dx, int dy) {
    plotState_ = ChordRebuilds(dx, dy) ? PlotStates::kFitRebuilt : PlotStates::kFitted;
    // The index follows the list by itself; a cell that is not a number is reported here.
    if (!RebuildIndex() || ExtentsEmpty(store_.Index().Extents())) {
        return;
    }
    const PlotViewRecord saved = view_.Record(nameSize_);
    if (FitAll() && view_.scale != saved.scale) {
        prevView_ = saved;
    }
}

void PlotView::RectangleZoom(QRect rect) {
    if (view_.scale == 0) {
        return;
    }
    plotState_ = PlotStates::kRectangle;
    prevView_ = view_.Record(nameSize_);
    // The rectangle's corners are the press and the release point, converted by the old view.
    const PlotWorld topLeft = view_.ToWorld(rect.left(), rect.top());
    const PlotWorld bottomRight = view_.ToWorld(rect.right(), rect.bottom());
    view_.centreX = (topLeft.x + bottomRight.x) / 2;
    view_.centreY = (topLeft.y + bottomRight.y) / 2;
    view_.scale = FitScale(topLeft.x - bottomRight.x, bottomRight.y - topLeft.y, width(), height(), false);
    nameSize_ = settings_.bigFont;
    RePaint();
}

void PlotView::DispatchClick(QPoint pos) {
    if (view_.scale == 0) {
        return;
    }
    const PlotWorld world = view_.ToWorld(pos.x(), pos.y());
    for (const auto& target : targets_) {
        if (target.item->AcceptsParcelClick()) {
            if (const auto parcel = PickNearestParcel(store_.blocks, world.x, world.y)) {
                target.item->ParcelClicked(*parcel);
            }
            return;
        }
    }
    const auto picked = PickNearestPoint(store_.imagePoints, world.x, world.y);
    if (!picked) {
        return; // nothing drawn, nothing to pick
    }
    const std::string name = store_.imagePoints.names[*picked];
    for (const auto& target : targets_) {
        if (target.item->AcceptsPointClick()) {
            target.item->PointClicked(name);
            return;
        }
    }
}

} // namespace vemo
