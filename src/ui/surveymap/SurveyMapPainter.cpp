#include "ui/surveymap/SurveyMapPainter.h"

#include "core/surveymap/SurveyMapLayout.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesSurveyMap.h"
#include "ui/common/Cp932Text.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

namespace vemo::surveymap {

namespace {

// The painter works in hundredths of a millimetre so that font sizes, which Qt takes in whole pixels,
// are exact to 0.01 mm at any resolution.
constexpr double kUnitsPerMm = 100.0;

QPointF Units(PaperPoint p) {
    return {p.x * kUnitsPerMm, p.y * kUnitsPerMm};
}

QPolygonF Polygon(const std::vector<PaperPoint>& points) {
    QPolygonF polygon;
    for (PaperPoint p : points) {
        polygon << Units(p);
    }
    return polygon;
}

void DrawStroke(QPainter& painter, const std::vector<PaperPoint>& points, double widthMm, bool closed, bool filled) {
    QPen pen(Qt::black, widthMm * kUnitsPerMm, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(filled ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
    QPolygonF polygon = Polygon(points);
    if (closed) {
        painter.drawPolygon(polygon);
    } else {
        painter.drawPolyline(polygon);
    }
}

// The fixed-pitch face the layout measured its texts in (full width one em, half width half an em).
QFont MapFont(double heightMm, bool smooth) {
    QFont font(QStringLiteral("IPAGothic"));
    font.setStyleHint(QFont::TypeWriter, smooth ? QFont::PreferDefault : QFont::NoAntialias);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(heightMm * kUnitsPerMm))));
    return font;
}

void DrawText(QPainter& painter, const MapText& text, bool smooth) {
    QFont font = MapFont(text.HeightMm(), smooth);
    QFontMetricsF metrics(font);
    QString string = FromCp932(text.text);
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.translate(Units(text.box.centre));
    painter.rotate(-text.box.angleDeg);
    painter.drawText(QPointF(-metrics.horizontalAdvance(string) / 2, (metrics.ascent() - metrics.descent()) / 2),
                     string);
    painter.restore();
}

} // namespace

void PaintSurveyMap(QPainter& painter, const SurveyMapLayout& layout, double pixelsPerMm, bool smooth) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.setRenderHint(QPainter::TextAntialiasing, smooth);
    painter.scale(pixelsPerMm / kUnitsPerMm, pixelsPerMm / kUnitsPerMm);
    painter.fillRect(QRectF(0, 0, layout.widthMm * kUnitsPerMm, layout.heightMm * kUnitsPerMm), Qt::white);
    for (const MapLine& line : layout.lines) {
        DrawStroke(painter, line.points, line.widthMm, line.closed, line.filled);
    }
    for (const MapMarker& marker : layout.markers) {
        for (const SymbolStroke& stroke : SymbolOutline(marker.symbol, marker.at, marker.sizeMm)) {
            DrawStroke(painter, stroke.points, kMarkerLineMm, stroke.closed, stroke.filled);
        }
    }
    for (const MapText& text : layout.texts) {
        DrawText(painter, text, smooth);
    }
    painter.restore();
}

BilevelImage RenderSurveyMapBilevel(const SurveyMapLayout& layout, double dotsPerInch) {
    double pixelsPerMm = dotsPerInch / 25.4;
    BilevelImage image;
    image.width = static_cast<int>(std::lround(layout.widthMm * pixelsPerMm));
    image.height = static_cast<int>(std::lround(layout.heightMm * pixelsPerMm));
    image.dotsPerInch = dotsPerInch;
    QImage grey(image.width, image.height, QImage::Format_Grayscale8);
    if (grey.isNull()) {
        throw Error(msg::TiffRefused("out of memory"));
    }
    grey.fill(Qt::white);
    {
        QPainter painter(&grey);
        PaintSurveyMap(painter, layout, pixelsPerMm, false);
    }
    image.bits.assign(static_cast<size_t>(image.RowBytes()) * image.height, 0);
    for (int y = 0; y < image.height; ++y) {
        const uchar* line = grey.constScanLine(y);
        std::uint8_t* bits = image.bits.data() + static_cast<size_t>(y) * image.RowBytes();
        for (int x = 0; x < image.width; ++x) {
            if (line[x] < 128) {
                bits[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    return image;
}

void WriteSurveyMapTiff(const SurveyMapLayout& layout, const std::filesystem::path& target) {
    WriteBilevelTiff(target, RenderSurveyMapBilevel(layout));
}

void PrintSurveyMap(QPrinter& printer, const SurveyMapLayout& layout) {
    QPageSize size(QSizeF(layout.widthMm < layout.heightMm ? layout.widthMm : layout.heightMm,
                          layout.widthMm < layout.heightMm ? layout.heightMm : layout.widthMm),
                   QPageSize::Millimeter);
    printer.setPageLayout(QPageLayout(size,
                                      layout.widthMm > layout.heightMm ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    printer.setFullPage(true);
    QPainter painter(&printer);
    if (!painter.isActive()) {
        throw Error(msg::CannotStartPrinting());
    }
    // The device's own resolution: one millimetre is resolution / 25.4 device pixels on paper.
    PaintSurveyMap(painter, layout, printer.resolution() / 25.4);
}

} // namespace vemo::surveymap
