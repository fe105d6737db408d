#include "ui/plot/PlotGestureOverlay.h"

#include "ui/common/Hint.h"

#include <QPainter>

#include <algorithm>

namespace vemo {
namespace {

// A hint stays up for the whole drag, however slow the surveyor is.
constexpr int kHintShownMs = 100000;

void PaintChord(QPainter& painter, const PlotGestureState& gesture) {
    painter.drawRect(gesture.RubberBand());
    const QPoint press = gesture.press;
    if (gesture.marks.allPoints) {
        const QRect r = AllPointsMarkRect(press);
        painter.drawRect(r);
        painter.drawLine(r.topLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomLeft());
    }
    if (gesture.marks.previous) {
        painter.drawRect(PreviousMarkRect(press));
    }
    if (gesture.marks.reduction) {
        const QRect r = ReductionMarkRect(press);
        painter.drawRect(r);
        painter.drawLine(r.center().x(), r.top() + 4, r.center().x(), r.bottom() - 4);
        painter.drawLine(r.left() + 4, r.center().y(), r.right() - 4, r.center().y());
    }
}

} // namespace

void PaintGestureOverlay(QPainter& painter, const PlotGestureState& gesture, const std::optional<QPoint>& crossHair,
                         const PlotSettings& settings, QSize plotSize) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    if (gesture.chord) {
        painter.setPen(ColourFromBgr(settings.gestureColour));
        PaintChord(painter, gesture);
    }
    if (settings.crossHair && crossHair) {
        painter.setPen(ColourFromBgr(settings.crossHairColour));
        painter.drawLine(crossHair->x(), 0, crossHair->x(), plotSize.height());
        painter.drawLine(0, crossHair->y(), plotSize.width(), crossHair->y());
    }
}

void ShowPlotCursor(QWidget& plot, bool crossHairShown) {
    const Qt::CursorShape shape = crossHairShown ? Qt::BlankCursor : Qt::ArrowCursor;
    if (plot.cursor().shape() != shape) {
        plot.setCursor(shape);
    }
}

QColor HintColour(const QString& hint) {
    if (hint.contains(QStringLiteral("半"))) {
        return ColourFromBgr(12632256);
    }
    if (hint.contains(QStringLiteral("全"))) {
        return ColourFromBgr(8421504);
    }
    if (hint.contains(QStringLiteral("閉"))) {
        return ColourFromBgr(65280);
    }
    if (hint.contains(QStringLiteral("登録"))) {
        return ColourFromBgr(65535);
    }
    return ColourFromBgr(16776960);
}

PlotHintLabel::PlotHintLabel(QWidget* plot) : QLabel(plot) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setMargin(2);
    hide();
    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(kHintShownMs);
    connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
}

void PlotHintLabel::ShowHint(const QString& hint, QPoint at) {
    const QString text = SplitHint(hint).shortPart;
    if (text.isEmpty()) {
        hide();
        return;
    }
    setText(text);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, HintColour(hint));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    adjustSize();
    // Kept inside the plot, so that a drag started near its right or lower edge still shows its hint.
    const QSize room = parentWidget()->size() - size();
    move(std::clamp(at.x(), 0, std::max(0, room.width())), std::clamp(at.y(), 0, std::max(0, room.height())));
    show();
    raise();
    hideTimer_.start();
}

} // namespace vemo
