#include "ui/plot/PlotWheelFilter.h"
#include "ui/plot/PlotView.h"

#include <QApplication>
#include <QWheelEvent>

#include <cstdlib>

namespace vemo {

namespace {

// One notch of an ordinary wheel; finer wheels and touch pads act once per notch's worth.
constexpr int kWheelNotch = 120;

} // namespace

void PlotWheel::Turn(PlotViewport& view, int& nameSize, int bigFont, QRect plot, QPoint pointer, int angleDeltaY) {
    remainder_ += angleDeltaY;
    while (std::abs(remainder_) >= kWheelNotch) {
        const bool away = remainder_ > 0;
        remainder_ -= away ? kWheelNotch : -kWheelNotch;
        Step(view, nameSize, bigFont, plot, pointer, away);
    }
}

void PlotWheel::Step(PlotViewport& view, int& nameSize, int bigFont, QRect plot, QPoint pointer, bool away) {
    if (plot.contains(pointer)) {
        const QPoint local = pointer - plot.topLeft();
        if (away) {
            view.scale *= 0.8;
        } else {
            // The first turn towards the user centres on the pointed point, the next ones zoom about it.
            if (lastZoomPos_ != local) {
                const PlotWorld world = view.ToWorld(local.x(), local.y());
                view.centreX = world.x;
                view.centreY = world.y;
            }
            nameSize = bigFont;
            view.scale *= 1.5;
        }
        lastZoomPos_ = local;
    } else if (pointer.y() >= plot.top() && pointer.y() <= plot.bottom()) {
        const double step = view.pixelCentreX / (3 * view.scale);
        view.centreY += away ? step : -step;
    } else {
        const double step = view.pixelCentreY / (3 * view.scale);
        view.centreX += away ? -step : step;
    }
}

bool PlotWheel::TurnOn(const QWidget& plot, PlotViewport& view, int& nameSize, int bigFont, QPoint globalPos,
                       int angleDeltaY) {
    if (!plot.isVisible() || view.scale == 0) {
        return false;
    }
    Turn(view, nameSize, bigFont, QRect(plot.mapToGlobal(QPoint(0, 0)), plot.size()), globalPos, angleDeltaY);
    return true;
}

bool PlotView::HandleWheel(QPoint globalPos, int angleDeltaY) {
    if (!wheel_.TurnOn(*this, view_, nameSize_, settings_.bigFont, globalPos, angleDeltaY)) {
        return false;
    }
    RePaint();
    return true;
}

void PlotView::wheelEvent(QWheelEvent* event) {
    if (HandleWheel(event->globalPosition().toPoint(), event->angleDelta().y())) {
        event->accept();
    } else {
        event->ignore();
    }
}

PlotWheelFilter::PlotWheelFilter(QWidget* plot, Handler handler, QObject* parent)
    : QObject(parent), plot_(plot), handler_(std::move(handler)) {}

PlotWheelFilter::PlotWheelFilter(PlotView* plot, QObject* parent)
    : PlotWheelFilter(
          plot, [plot](QPoint globalPos, int angleDeltaY) { return plot->HandleWheel(globalPos, angleDeltaY); },
          parent) {}

bool PlotWheelFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || !plot_ || watched == plot_) {
        return QObject::eventFilter(watched, event);
    }
    const QWidget* modal = QApplication::activeModalWidget();
    // Only the event as it reaches a widget; the same event passes the window first.
    if ((modal && modal != plot_->window()) || !watched->isWidgetType()) {
        return QObject::eventFilter(watched, event);
    }
    auto* wheel = static_cast<QWheelEvent*>(event);
    return handler_(wheel->globalPosition().toPoint(), wheel->angleDelta().y());
}

} // namespace vemo
