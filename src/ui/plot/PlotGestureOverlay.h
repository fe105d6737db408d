#pragma once

#include "ui/plot/PlotGestures.h"
#include "ui/plot/PlotSettings.h"

#include <QLabel>
#include <QPoint>
#include <QSize>
#include <QTimer>

#include <optional>

class QPainter;

namespace vemo {

// What the plots draw over their picture while the mouse works on them: the rubber band and the marks
// of a chord in progress, and the cross-hair.  Drawn in not-xor mode, so that they show on any
// background colour.
void PaintGestureOverlay(QPainter& painter, const PlotGestureState& gesture, const std::optional<QPoint>& crossHair,
                         const PlotSettings& settings, QSize plotSize);

// The cross-hair stands in for the mouse cursor over the plot; without it the ordinary cursor shows.
void ShowPlotCursor(QWidget& plot, bool crossHairShown);

// The background of a plot's hint, after what it names: half-screen pans silver, whole-screen ones and
// the fit of all points grey, closing a panel green, registering yellow, everything else cyan.
QColor HintColour(const QString& hint);

// The short part of a plot's hint, shown at once where the drag started and kept until the hint
// changes (or for 100 s), in the colour of what it names.  It lets the mouse through to the plot.
class PlotHintLabel : public QLabel {
    Q_OBJECT
public:
    explicit PlotHintLabel(QWidget* plot);
    // An empty short part hides the label.
    void ShowHint(const QString& hint, QPoint at);

private:
    QTimer hideTimer_;
};

} // namespace vemo
