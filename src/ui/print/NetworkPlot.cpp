#include "ui/print/NetworkPlot.h"

#include "core/text/Cp932.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace vemo {

namespace {

// The largest of 1, 2, 5 × 10ⁿ not above `value`.
double RoundFactor(double value) {
    const double decade = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {5.0, 2.0, 1.0}) {
        if (step * decade <= value) {
            return step * decade;
        }
    }
    return decade;
}

// The median distance from a new point to its nearest neighbour: how close the ellipses may grow.
double TypicalSpacing(const std::vector<double>& x, const std::vector<double>& y, const std::vector<bool>& placed,
                      const NetworkAdjustment& adjustment) {
    std::vector<double> nearest;
    for (const AdjustedNetworkPoint& p : adjustment.points) {
        double best = 1e300;
        for (size_t j = 0; j < x.size(); ++j) {
            const double d = std::hypot(x[j] - p.x, y[j] - p.y);
            if (placed[j] && static_cast<int>(j) != p.point && d > 0.0) {
                best = std::min(best, d);
            }
        }
        if (best < 1e300) {
            nearest.push_back(best);
        }
    }
    if (nearest.empty()) {
        return 0.0;
    }
    std::nth_element(nearest.begin(), nearest.begin() + static_cast<long>(nearest.size() / 2), nearest.end());
    return nearest[nearest.size() / 2];
}

} // namespace

void PaintNetworkPlot(QPainter& painter, const QRectF& area, const Network& network,
                      const NetworkAdjustment& adjustment) {
    std::vector<double> x(network.points.size()), y(network.points.size());
    std::vector<bool> placed(network.points.size(), false);
    for (size_t i = 0; i < network.points.size(); ++i) {
        placed[i] = network.points[i].hasCoordinates;
        x[i] = network.points[i].x;
        y[i] = network.points[i].y;
    }
    double largestAxis = 0.0;
    for (const AdjustedNetworkPoint& p : adjustment.points) {
        const auto i = static_cast<size_t>(p.point);
        x[i] = p.x;
        y[i] = p.y;
        placed[i] = true;
        largestAxis = std::max(largestAxis, p.ellipseA);
    }
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (size_t i = 0; i < x.size(); ++i) {
        if (placed[i]) {
            minX = std::min(minX, x[i]);
            maxX = std::max(maxX, x[i]);
            minY = std::min(minY, y[i]);
            maxY = std::max(maxY, y[i]);
        }
    }
    if (minX > maxX) {
        return;
    }
    const QRectF inner =
        area.adjusted(area.width() * 0.06, area.height() * 0.08, -area.width() * 0.06, -area.height() * 0.06);
    const double extent = std::max({maxX - minX, maxY - minY, 1.0});
    const double scale = std::min(inner.width(), inner.height()) / extent; // device units per metre
    const QPointF centre = inner.center();
    const double midX = 0.5 * (minX + maxX), midY = 0.5 * (minY + maxY);
    auto at = [&](double px, double py) {
        return QPointF(centre.x() + (py - midY) * scale, centre.y() - (px - midX) * scale);
    };

    // The largest half axis is drawn at most half the usual spacing of the new points, with a
    // round factor, so that neighbouring ellipses do not run into each other.
    const double spacing = TypicalSpacing(x, y, placed, adjustment);
    const double exaggeration =
        largestAxis > 0.0 && spacing > 0.0 ? std::max(1.0, RoundFactor(spacing / 2.0 / largestAxis)) : 1.0;
    const double unit = std::min(area.width(), area.height()) / 200.0;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(150, 150, 150), unit * 0.15));
    for (const Observation& o : network.observations) {
        painter.drawLine(at(x[static_cast<size_t>(o.from)], y[static_cast<size_t>(o.from)]),
                         at(x[static_cast<size_t>(o.to)], y[static_cast<size_t>(o.to)]));
    }
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(static_cast<int>(unit * 2.2));
    painter.setFont(font);
    for (size_t i = 0; i < network.points.size(); ++i) {
        if (!placed[i]) {
            continue;
        }
        const QPointF c = at(x[i], y[i]);
        painter.setPen(QPen(Qt::black, unit * 0.25));
        if (network.points[i].role == NetworkPointRole::Adjusted) {
            painter.setBrush(Qt::white);
            painter.drawEllipse(c, unit * 0.8, unit * 0.8);
        } else {
            painter.setBrush(Qt::black);
            const QPointF tri[3] = {c + QPointF(0, -unit * 1.2), c + QPointF(unit * 1.05, unit * 0.6),
                                    c + QPointF(-unit * 1.05, unit * 0.6)};
            painter.drawPolygon(tri, 3);
        }
        painter.drawText(c + QPointF(unit * 1.4, -unit * 1.0),
                         QString::fromStdString(Cp932ToUtf8(network.points[i].name)));
    }
    // The ellipses over the point symbols, so that a small one still shows.
    painter.setPen(QPen(QColor(200, 0, 0), unit * 0.3));
    painter.setBrush(Qt::NoBrush);
    for (const AdjustedNetworkPoint& p : adjustment.points) {
        painter.save();
        painter.translate(at(p.x, p.y));
        // The a axis runs at its bearing from north, clockwise: from screen up, clockwise.
        painter.rotate(p.ellipseBearing * 180.0 / std::numbers::pi - 90.0);
        painter.drawEllipse(QPointF(0, 0), p.ellipseA * exaggeration * scale, p.ellipseB * exaggeration * scale);
        painter.restore();
    }
    font.setPixelSize(static_cast<int>(unit * 3.0));
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(area.left() + unit * 4, area.top() + unit * 5),
                     QStringLiteral("網図と誤差楕円（楕円は %1 倍）　▲ 既知点　○ 新点　北が上").arg(exaggeration));
    painter.restore();
}

} // namespace vemo
