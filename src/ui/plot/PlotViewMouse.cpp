// The mouse gestures of the plot: plain left drags pan or run the short-drag commands, a chord (both
// buttons, or the middle button) zooms, a plain click hands the nearest drawn point to the tool that
// waits for one.
#include "ui/plot/PlotGestureOverlay.h"
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

} // namespace

PlotGestureRules PlotView::GestureRules() const {
    PlotGestureRules rules;
    rules.host = host_;
    rules.rangeOn = rangeOn_;
    return rules;
}

void PlotView::mousePressEvent(QMouseEvent* event) {
    pointer_ = event->position().toPoint();
    if (gesture_.Press(event->button(), pointer_)) {
        SetHint(QStringLiteral("|移 動"));
    }
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    pointer_ = pos;
    const bool active = store_.xyz.RowCount() >= kRowsForHints;
    if (active) {
        SetHint(QStringLiteral("|"));
        SetHint(gesture_.Move(pos, GestureRules()));
        if (gesture_.chord) {
            update();
        }
        if (settings_.crossHair) {
            crossHair_ = pos;
            update();
        }
    }
    ShowPlotCursor(*this, active && settings_.crossHair);
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const Qt::MouseButton button = event->button();
    const bool rightAlone = button == Qt::RightButton && !gesture_.leftHeld && !gesture_.menuSuppressed;
    if (rightAlone && contextMenu_) {
        contextMenu_->popup(event->globalPosition().toPoint());
    }
    if (store_.xyz.RowCount() < kRowsForGestures) {
        // Nothing acts, but a chord must not outlive its buttons.
        if (gesture_.Release(button, pos, GestureRules()).kind == PlotRelease::Kind::Chord) {
            update();
        }
    } else {
        SetHint(QStringLiteral("|"));
        ActOnRelease(gesture_.Release(button, pos, GestureRules()), pos);
    }
}

void PlotView::ActOnRelease(const PlotRelease& release, QPoint pos) {
    switch (release.kind) {
    case PlotRelease::Kind::ShortCommand:
        host_->ShortDragCommand(release.direction);
        break;
    case PlotRelease::Kind::Pan:
        PanView(view_, release.direction, release.zone);
        RePaint();
        break;
    case PlotRelease::Kind::Click:
        DispatchClick(pos);
        break;
    default:
        break;
    }
    if (plotState_ == PlotStates::kFitRebuilt || plotState_ == PlotStates::kNeedsFit) {
        RebuildIndex();
    }
    plotState_ = PlotStates::kIdle;
    if (release.kind == PlotRelease::Kind::Chord) {
        ReleaseChord(release, pos);
        update();
    }
}

void PlotView::ReleaseChord(const PlotRelease& release, QPoint pos) {
    switch (release.chord) {
    case PlotChordAction::FitAll:
        ChordFit(pos.x() - release.press.x(), pos.y() - release.press.y());
        return;
    case PlotChordAction::Reduce:
        plotState_ = PlotStates::kReduced;
        break;
    case PlotChordAction::Previous:
        plotState_ = PlotStates::kPrevious;
        break;
    case PlotChordAction::Rectangle:
        plotState_ = view_.scale != 0 ? PlotStates::kRectangle : plotState_;
        break;
    case PlotChordAction::Recentre:
        break;
    }
    if (ChangeViewByChord(release, pos, view_, nameSize_, prevView_, settings_.bigFont)) {
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
    const auto picked = PickNearestPoint(scene_.DrawnPoints(), world.x, world.y);
    if (!picked) {
        return; // nothing drawn, nothing to pick
    }
    const std::string name = scene_.DrawnPoints().names[*picked];
    for (const auto& target : targets_) {
        if (target.item->AcceptsPointClick()) {
            target.item->PointClicked(name);
            return;
        }
    }
}

} // namespace vemo
