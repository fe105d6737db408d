#include "ui/common/ApplicationIcon.h"

#include <QPainter>
#include <QPixmap>

namespace vemo {
namespace {

QPixmap IconPicture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 64));
    painter.drawRoundedRect(QRectF(0, 0, size, size), 3 * unit, 3 * unit);
    // A parcel outline through three points and the point picked in yellow.
    painter.setPen(QPen(QColor(192, 192, 192), qMax<qreal>(1, unit)));
    painter.setBrush(Qt::NoBrush);
    const QPointF a(3 * unit, 12 * unit), b(8 * unit, 3 * unit), c(13 * unit, 11 * unit);
    painter.drawPolygon(QPolygonF({a, b, c}));
    painter.setPen(QPen(Qt::white, qMax<qreal>(1, unit)));
    for (const QPointF& p : {a, c}) {
        painter.drawEllipse(p, 1.5 * unit, 1.5 * unit);
    }
    painter.setPen(QPen(QColor(255, 255, 0), qMax<qreal>(1, 1.5 * unit)));
    painter.drawEllipse(b, 2 * unit, 2 * unit);
    painter.drawLine(b - QPointF(3.5 * unit, 0), b + QPointF(3.5 * unit, 0));
    painter.drawLine(b - QPointF(0, 3.5 * unit), b + QPointF(0, 3.5 * unit));
    return picture;
}

} // namespace

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        icon.addPixmap(IconPicture(size));
    }
    return icon;
}

} // namespace vemo
