#include "ui/tree/DataTreeIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <array>

namespace vemo {
namespace {

constexpr int kSize = 16;

void DrawFolder(QPainter& p, const QColor& fill) {
    QPainterPath path;
    path.moveTo(1, 4);
    path.lineTo(6, 4);
    path.lineTo(7.5, 5.5);
    path.lineTo(15, 5.5);
    path.lineTo(15, 14);
    path.lineTo(1, 14);
    path.closeSubpath();
    p.setPen(QPen(fill.darker(170), 1));
    p.setBrush(fill);
    p.drawPath(path);
}

// A coordinate sheet: three points of a survey.
void DrawPoints(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 40, 140));
    for (const QPointF& c : {QPointF(5, 11), QPointF(9, 8), QPointF(12, 12)}) {
        p.drawEllipse(c, 1.6, 1.6);
    }
}

// A parcel: a closed ring.
void DrawRing(QPainter& p) {
    p.setPen(QPen(QColor(150, 30, 30), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({QPointF(4, 12.5), QPointF(6, 7.5), QPointF(12.5, 8), QPointF(11.5, 12.5)}));
}

void DrawMissing(QPainter& p) {
    p.setPen(QPen(QColor(200, 0, 0), 1.8));
    p.drawLine(QPointF(5, 8), QPointF(11, 13.5));
    p.drawLine(QPointF(11, 8), QPointF(5, 13.5));
}

QIcon MakeIcon(int index) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 0:
        DrawFolder(p, QColor(240, 200, 80));
        break;
    case 1:
        DrawFolder(p, QColor(170, 210, 250));
        DrawPoints(p);
        break;
    case 2:
        DrawFolder(p, QColor(190, 235, 170));
        DrawRing(p);
        break;
    default:
        DrawFolder(p, QColor(200, 200, 200));
        DrawMissing(p);
        break;
    }
    return QIcon(pixmap);
}

} // namespace

QIcon DataTreeIcon(DataIcon icon) {
    static const std::array<QIcon, 4> icons = {MakeIcon(0), MakeIcon(1), MakeIcon(2), MakeIcon(3)};
    return icons[static_cast<size_t>(std::clamp(static_cast<int>(icon), 0, 3))];
}

QIcon DataTreeNodeIcon(int level, DataIcon icon) {
    if (icon == IconOfLevel(level)) {
        return DataTreeIcon(icon);
    }
    QIcon combined;
    combined.addPixmap(DataTreeIcon(icon).pixmap(kSize, kSize), QIcon::Normal);
    combined.addPixmap(DataTreeIcon(IconOfLevel(level)).pixmap(kSize, kSize), QIcon::Selected);
    return combined;
}

} // namespace vemo
