// The mouse wheel on the plot: over it the wheel zooms (towards the user about the pointed point),
// beside it the view moves east or west, above or below it north or south, by a sixth of the view.
#include "ui/plot/PlotWheelFilter.h"
#include "ui/plot/PlotView.h"

#include <QApplication>
#include <QWheelEvent>

namespace vemo {

namespace {

// One notch of an ordinary wheel; finer wheels and touch pads act once per notch's worth.
constexpr int kWheelNotch = 120;

} // namespace

bool PlotView::HandleWheel(QPoint globalPos, int angleDeltaY) {
    if (!isVisible() || view_.scale == 0) {
        return false;
    }
    wheelRemainder_ += angleDeltaY;
    const QRect plot(mapToGlobal(QPoint(0, 0)), size());
    while (std::abs(wheelRemainder_) >= kWheelNotch) {
        const bool away = wheelRemainder_ > 0;
        wheelRemainder_ -= away ? kWheelNotch : -kWheelNotch;
        if (plot.contains(globalPos)) {
            const QPoint local = mapFromGlobal(globalPos);
            if (away) {
                view_.scale *= 0.8;
            } else {
                if (lastWheelPos_ != local) {
                    const PlotWorld world = view_.ToWorld(local.x(), local.y());
                    view_.centreX = world.x;
                    view_.centreY = world.y;
                }
                nameSize_ = settings_.bigFont;
                view_.scale *= 1.5;
            }
            lastWheelPos_ = local;
        } else if (globalPos.y() >= plot.top() && globalPos.y() <= plot.bottom()) {
            const double step = view_.pixelCentreX / (3 * view_.scale);
            view_.centreY += away ? step : -step;
        } else {
            const double step = view_.pixelCentreY / (3 * view_.scale);
            view_.centreX += away ? -step : step;
        }
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

PlotWheelFilter::PlotWheelFilter(PlotView* plot, QObject* parent) : QObject(parent), plot_(plot) {}

bool PlotWheelFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || !plot_ || watched == plot_ || QApplication::activeModalWidget()) {
        return QObject::eventFilter(watched, event);
    }
    // Only the event as it reaches a widget; the same event passes the window first.
    if (!watched->isWidgetType()) {
        return QObject::eventFilter(watched, event);
    }
    auto* wheel = static_cast<QWheelEvent*>(event);
    return plot_->HandleWheel(wheel->globalPosition().toPoint(), wheel->angleDelta().y());
}

} // namespace vemo
