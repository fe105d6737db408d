#include "ui/plot/PlotCanvas.h"

#include "core/geometry/Angles.h"
#include "core/geometry/Intersections.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "ui/common/Cp932Text.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace vemo {

namespace {

// GDI-era pixel coordinates are 16-bit: a vertex beyond them cannot be drawn and breaks the outline.
constexpr double kPixelLimit = 32767;
constexpr double kPixelLimitLow = -32768;
constexpr int kArrowSide = 17;     // pixels
constexpr double kFramePush = 0.5; // metres

bool InsidePixelRange(double v) {
    return v > kPixelLimitLow && v < kPixelLimit;
}

// Pixel offset of a length along a direction: north is up, east is right.
QPoint Along(double direction, double length) {
    const double r = DegToRad(std::fmod(direction, 360.0));
    return QPoint(static_cast<int>(std::trunc(std::sin(r) * length)),
                  static_cast<int>(std::trunc(-std::cos(r) * length)));
}

} // namespace

QFont PlotNameFont(int nameSize) {
    QFont font(QStringLiteral("IPAGothic"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(std::max(1, nameSize) * kPlotNameScale);
    return font;
}

QString PlotText(const std::string& cp932) {
    for (unsigned char c : cp932) {
        if (c >= 0x80) {
            return FromCp932(cp932);
        }
    }
    return QString::fromLatin1(cp932.data(), static_cast<qsizetype>(cp932.size()));
}

QRect PointCircleBox(PlotPixel p, int d) {
    return QRect(p.x - d / 2, p.y - d / 2, d, d);
}

QPoint PointNameTopLeft(PlotPixel p, int d) {
    const QRect box = PointCircleBox(p, d);
    return QPoint(box.left() + d, box.top() - d);
}

void DrawPointCircle(QPainter& painter, PlotPixel p, int d) {
    // A QRect ellipse covers width + 1 pixels with a 1-pixel pen; the circle must cover exactly d.
    const QRect box = PointCircleBox(p, d);
    painter.drawEllipse(QRect(box.left(), box.top(), std::max(0, d - 1), std::max(0, d - 1)));
}

std::vector<QPolygon> OutlineStrokes(const std::vector<std::string>& names, const XyzNameIndex& index,
                                     const PlotViewport& view) {
    std::vector<QPolygon> strokes;
    QPolygon current;
    auto endStroke = [&] {
        if (current.size() >= 2) {
            strokes.push_back(current);
        }
        current.clear();
    };
    for (const std::string& name : names) {
        if (name.empty()) {
            endStroke();
            continue;
        }
        const auto point = index.Find(name);
        if (!point) {
            continue;
        }
        const double px = view.PixelXOf(point->y);
        const double py = view.PixelYOf(point->x);
        if (!InsidePixelRange(px) || !InsidePixelRange(py)) {
            endStroke();
            continue;
        }
        current << QPoint(static_cast<int>(px), static_cast<int>(py));
    }
    endStroke();
    return strokes;
}

QPolygon LineThroughPixels(const PlanePoint& through, double direction, const PlotViewport& view) {
    const PlotWindow w = view.Visible();
    const PlanePoint corners[4] = {{w.top, w.left - kFramePush},
                                   {w.top + kFramePush, w.right + kFramePush},
                                   {w.bottom, w.right},
                                   {w.bottom - kFramePush, w.left}};
    QPolygon pixels;
    for (int k = 0; k < 4; ++k) {
        const auto cross = SegmentLineCross(corners[k], corners[(k + 1) % 4], through, direction);
        if (!cross || !cross->onSegment) {
            continue;
        }
        const double px = std::floor((cross->point.y - view.centreY) * view.scale + view.pixelCentreX);
        const double py = std::floor((view.centreX - cross->point.x) * view.scale + view.pixelCentreY);
        const QPoint pixel(static_cast<int>(px), static_cast<int>(py));
        if (pixel != QPoint(0, 0)) {
            pixels << pixel;
        }
    }
    return pixels;
}

PlotCanvas::PlotCanvas(QPainter& painter, const PlotViewport& view, const PlotSettings& settings,
                       const XyzNameIndex& index, int nameSize, bool namesInOverview)
    : painter_(painter), view_(view), settings_(settings), index_(index), nameSize_(nameSize),
      namesInOverview_(namesInOverview) {}

int PlotCanvas::CircleSize() const {
    return nameSize_ == settings_.smallFont ? settings_.smallCircle : settings_.bigCircle;
}

bool PlotCanvas::NamesShown() const {
    return namesInOverview_ || nameSize_ != settings_.smallFont;
}

bool PlotCanvas::HighlightPoint(const std::string& name) {
    return DrawPoint(name, settings_.highlightColour, settings_.highlightColour, NamesShown());
}

bool PlotCanvas::DrawPointNormally(const std::string& name) {
    return DrawPoint(name, settings_.circleColour, settings_.NameColour(name), NamesShown());
}

bool PlotCanvas::MarkPoint(const std::string& name, int colour) {
    return DrawPoint(name, colour, colour, true);
}

bool PlotCanvas::DrawPoint(const std::string& name, int circleColour, int textColour, bool withName) {
    const auto point = index_.Find(name);
    if (!point) {
        return false;
    }
    const PlotPixel p = view_.ToPixel(point->x, point->y);
    const int d = CircleSize();
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBrush(Qt::NoBrush);
    painter_.setPen(ColourFromBgr(circleColour));
    DrawPointCircle(painter_, p, d);
    if (withName) {
        const QFont font = PlotNameFont(nameSize_);
        painter_.setFont(font);
        painter_.setPen(ColourFromBgr(textColour));
        const QPoint topLeft = PointNameTopLeft(p, d);
        painter_.drawText(topLeft.x(), topLeft.y() + QFontMetrics(font, painter_.device()).ascent(), PlotText(name));
    }
    painter_.restore();
    return true;
}

void PlotCanvas::SetPen(int colour, PlotPenMode mode, PlotLineStyle style) {
    QPen pen(ColourFromBgr(colour));
    pen.setCosmetic(true);
    pen.setStyle(style == PlotLineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setCompositionMode(mode == PlotPenMode::NotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                            : QPainter::CompositionMode_SourceOver);
}

void PlotCanvas::DrawOutline(const std::vector<std::string>& names, int colour, PlotPenMode mode, PlotLineStyle style) {
    painter_.save();
    SetPen(colour, mode, style);
    for (const QPolygon& stroke : OutlineStrokes(names, index_, view_)) {
        painter_.drawPolyline(stroke);
    }
    painter_.restore();
}

void PlotCanvas::DrawParcelLabel(const std::string& text, int colour, double x, double y) {
    const QFont font = PlotNameFont(static_cast<int>(1.2 * nameSize_));
    const QFontMetrics metrics(font, painter_.device());
    const int h = metrics.height();
    const int n = static_cast<int>(text.size());
    const PlotPixel p = view_.ToPixel(x, y);
    painter_.save();
    painter_.setFont(font);
    painter_.setPen(ColourFromBgr(colour));
    painter_.drawText(p.x - h * n / 4, p.y - h / 2 + metrics.ascent(), PlotText(text));
    painter_.restore();
}

bool PlotCanvas::DrawLineThrough(const std::string& name, double direction, int colour) {
    const auto point = index_.Find(name);
    if (!point) {
        return false;
    }
    painter_.save();
    SetPen(colour, PlotPenMode::Copy, PlotLineStyle::Solid);
    painter_.drawPolyline(LineThroughPixels({point->x, point->y}, direction, view_));
    painter_.restore();
    return true;
}

void PlotCanvas::DrawCircle(double x, double y, double radius, int colour) {
    const PlotPixel centre = view_.ToPixel(x, y);
    const double r = radius * view_.scale;
    painter_.save();
    SetPen(colour, PlotPenMode::Copy, PlotLineStyle::Solid);
    painter_.drawEllipse(QPointF(centre.x, centre.y), r, r);
    painter_.restore();
}

void PlotCanvas::DrawArrowHead(double x, double y, double direction, int colour) {
    const PlotPixel tipPixel = view_.ToPixel(x, y);
    const QPoint tip(tipPixel.x, tipPixel.y);
    const QPolygon triangle{tip, tip + Along(direction + 160, kArrowSide), tip + Along(direction + 200, kArrowSide)};
    painter_.save();
    SetPen(colour, PlotPenMode::Copy, PlotLineStyle::Solid);
    painter_.drawPolygon(triangle);
    painter_.restore();
}

void PlotCanvas::DrawSegment(double x1, double y1, double x2, double y2, int colour, PlotLineStyle style) {
    const PlotPixel a = view_.ToPixel(x1, y1);
    const PlotPixel b = view_.ToPixel(x2, y2);
    painter_.save();
    SetPen(colour, PlotPenMode::Copy, style);
    painter_.drawLine(a.x, a.y, b.x, b.y);
    painter_.restore();
}

} // namespace vemo
