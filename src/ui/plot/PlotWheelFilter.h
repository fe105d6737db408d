#pragma once

#include "ui/plot/PlotViewport.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <optional>

namespace vemo {

class PlotView;

// The wheel on a plot: over it the wheel zooms (towards the user about the pointed point), beside it
// the view moves east or west, above or below it north or south, by a sixth of the view.
class PlotWheel {
public:
    // The wheel turned by angleDeltaY (positive: away from the user) with the pointer at `pointer`;
    // `plot` is the plot's rectangle in the same coordinates.  A zoom towards the user shows the names
    // in `bigFont`.  Undefined while the scale is 0: callers test that first.
    void Turn(PlotViewport& view, int& nameSize, int bigFont, QRect plot, QPoint pointer, int angleDeltaY);
    // The same on a plot widget, at a global pointer position: false (nothing done) while the plot is
    // hidden or its scale is 0.
    bool TurnOn(const QWidget& plot, PlotViewport& view, int& nameSize, int bigFont, QPoint globalPos, int angleDeltaY);

private:
    void Step(PlotViewport& view, int& nameSize, int bigFont, QRect plot, QPoint pointer, bool away);

    std::optional<QPoint> lastZoomPos_; // in plot pixels
    int remainder_ = 0;
};

// The wheel always acts on a plot while it is shown, wherever the pointer is, and scrolls no other
// control: installed on the application, this sends every wheel event to the plot.  A modal window
// other than the plot's own keeps its wheel.
class PlotWheelFilter : public QObject {
    Q_OBJECT

public:
    // The handler gets the global pointer position and the wheel's turn; true when the plot took it.
    using Handler = std::function<bool(QPoint globalPos, int angleDeltaY)>;
    PlotWheelFilter(QWidget* plot, Handler handler, QObject* parent = nullptr);
    explicit PlotWheelFilter(PlotView* plot, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> plot_;
    Handler handler_;
};

} // namespace vemo
