// The mouse on the traverse plot: the main plot's pans, chords, cross-hair and wheel on the traverse
// view.  There are no short-drag commands (a drag under 100 pixels is a click where it ends), no
// remembered range and no index to rebuild, and the gestures need no points in the list.
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"
#include "ui/common/Hint.h"
#include "ui/plot/PlotGestureOverlay.h"
#include "ui/traverse/TrvsPlot.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace vemo {
namespace {

PlotGestureRules TraverseGestureRules() {
    PlotGestureRules rules;
    rules.shortZones = false;
    rules.rebuildChord = false;
    return rules;
}

} // namespace

void TrvsPlot::SetHint(const QString& hint) {
    if (hint == hint_) {
        return;
    }
    hint_ = hint;
    hintLabel_->ShowHint(hint, gesture_.press);
    const HintParts parts = SplitHint(hint);
    emit hintChanged(parts.shortPart, parts.longPart);
}

void TrvsPlot::mousePressEvent(QMouseEvent* event) {
    if (gesture_.Press(event->button(), event->position().toPoint())) {
        SetHint(QStringLiteral("|移 動"));
    }
}

void TrvsPlot::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    SetHint(gesture_.Move(pos, TraverseGestureRules()));
    if (settings_.crossHair) {
        crossHair_ = pos;
    }
    if (gesture_.chord || settings_.crossHair) {
        update();
    }
    ShowPlotCursor(*this, settings_.crossHair);
}

void TrvsPlot::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const PlotRelease release = gesture_.Release(event->button(), pos, TraverseGestureRules());
    SetHint(QStringLiteral("|"));
    switch (release.kind) {
    case PlotRelease::Kind::Pan:
        PanView(view_, release.direction, release.zone);
        update();
        break;
    case PlotRelease::Kind::Click:
        Click(pos);
        break;
    case PlotRelease::Kind::Chord:
        ReleaseChord(release, pos);
        update();
        break;
    default:
        break;
    }
}

void TrvsPlot::ReleaseChord(const PlotRelease& release, QPoint pos) {
    if (release.chord == PlotChordAction::FitAll) {
        // Shows what the last computation spans, without computing again.
        const XyzExtents& e = state_.TrvsExtents;
        if (e.maxX != e.minX && e.maxY != e.minY) {
            FitExtents();
        }
        return;
    }
    if (release.chord == PlotChordAction::Rectangle) {
        // The pixel centre may be stale after a resize; the zoom measures the rectangle from the middle.
        view_.CentrePixels();
    }
    ChangeViewByChord(release, pos, view_, nameSize_, prevView_, settings_.bigFont);
}

void TrvsPlot::Click(QPoint pos) {
    if (ExtentsEmpty(store_.IndexForDrawing().Extents()) && table_.RowCount() < 3 && state_.TrvsPointCount == 0) {
        return;
    }
    const PlotWorld world = view_.ToWorld(pos.x(), pos.y());
    const TrvsPick pick = Pick(world.x, world.y);
    if (!pick.name.empty()) {
        emit pointPicked(pick);
    }
}

bool TrvsPlot::HandleWheel(QPoint globalPos, int angleDeltaY) {
    const bool taken = wheel_.TurnOn(*this, view_, nameSize_, settings_.bigFont, globalPos, angleDeltaY);
    if (taken) {
        update();
    }
    return taken;
}

void TrvsPlot::wheelEvent(QWheelEvent* event) {
    event->setAccepted(HandleWheel(event->globalPosition().toPoint(), event->angleDelta().y()));
}

void TrvsPlot::hideEvent(QHideEvent*) {
    crossHair_.reset();
    hintLabel_->hide();
}

} // namespace vemo
