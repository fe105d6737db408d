#include "ui/plot/PlotPointsRenderer.h"

#include "core/store/Store.h"
#include "ui/plot/PlotCanvas.h"
#include "ui/plot/PlotSettings.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>

namespace vemo {

namespace {

// The pixels of one circle, found by drawing it once with the very call the canvas uses.
std::vector<QPoint> CircleShape(int d) {
    const int margin = 2;
    const int side = d + 2 * margin + 2;
    QImage probe(side, side, QImage::Format_RGB32);
    probe.fill(Qt::black);
    const PlotPixel centre{side / 2, side / 2};
    {
        QPainter painter(&probe);
        painter.setPen(Qt::white);
        painter.setBrush(Qt::NoBrush);
        DrawPointCircle(painter, centre, d);
    }
    std::vector<QPoint> shape;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (probe.pixel(x, y) == qRgb(255, 255, 255)) {
                shape.emplace_back(x - centre.x, y - centre.y);
            }
        }
    }
    return shape;
}

bool IsAscii(const std::string& s) {
    for (unsigned char c : s) {
        if (c >= 0x80) {
            return false;
        }
    }
    return true;
}

} // namespace

const std::vector<int>& PlotPointsRenderer::CircleOffsets(int diameter, int stride) {
    const auto key = std::make_pair(diameter, stride);
    auto it = circleOffsets_.find(key);
    if (it != circleOffsets_.end()) {
        return it->second;
    }
    auto& shape = circleShapes_[key];
    shape = CircleShape(diameter);
    std::vector<int> offsets;
    for (const QPoint& p : shape) {
        offsets.push_back(p.y() * stride + p.x());
    }
    return circleOffsets_.emplace(key, std::move(offsets)).first->second;
}

PlotPointsRenderer::FontCache& PlotPointsRenderer::Font(int pointSize, const QImage& image) {
    auto it = fonts_.find(pointSize);
    if (it != fonts_.end()) {
        return it->second;
    }
    FontCache cache;
    cache.font = PlotNameFont(pointSize);
    QFont deviceFont(cache.font, &image);
    cache.raw = QRawFont::fromFont(deviceFont);
    cache.ascent = QFontMetrics(cache.font, &image).ascent();
    for (int c = 0; c < 128; ++c) {
        const auto glyphs = cache.raw.glyphIndexesForString(QString(QChar(c)));
        cache.asciiGlyph[c] = glyphs.value(0);
        cache.asciiAdvance[c] = cache.raw.advancesForGlyphIndexes(glyphs).value(0).x();
    }
    return fonts_.emplace(pointSize, std::move(cache)).first->second;
}

void PlotPointsRenderer::AppendName(const FontCache& font, const std::string& name, QPointF baseline,
                                    GlyphBatch& batch) {
    qreal x = baseline.x();
    if (IsAscii(name)) {
        for (unsigned char c : name) {
            batch.glyphs.push_back(font.asciiGlyph[c]);
            batch.positions.push_back(QPointF(x, baseline.y()));
            x += font.asciiAdvance[c];
        }
        return;
    }
    const QList<quint32> glyphs = font.raw.glyphIndexesForString(PlotText(name));
    const QList<QPointF> advances = font.raw.advancesForGlyphIndexes(glyphs);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        batch.glyphs.push_back(glyphs[i]);
        batch.positions.push_back(QPointF(x, baseline.y()));
        x += advances.value(i).x();
    }
}

void PlotPointsRenderer::Render(QImage& image, const XyzNameIndex& index, const PlotViewport& view,
                                const PlotSettings& settings, const Options& options, XyzImagePoints& drawn) {
    drawn.Clear();
    const int count = index.Count();
    drawn.names.reserve(count);
    drawn.x.reserve(count);
    drawn.y.reserve(count);
    const int d = options.circle;
    const int stride = image.bytesPerLine() / 4;
    const std::vector<int>& offsets = CircleOffsets(d, stride);
    const std::vector<QPoint>& shape = circleShapes_[std::make_pair(d, stride)];
    const int reach = d + 4; // no circle pixel lies further than this from its point
    const int width = image.width();
    const int height = image.height();
    const quint32 circlePixel = 0xFF000000u | ColourFromBgr(settings.circleColour).rgb();
    quint32* bits = reinterpret_cast<quint32*>(image.bits());
    FontCache* font = options.names ? &Font(options.fontSize, image) : nullptr;
    std::array<GlyphBatch, 4> batches;
    const PlotWindow window = view.Visible();

    for (int e = 0; e < count; ++e) {
        const int row = index.RowAt(e);
        const double x = index.RowX(row);
        const double y = index.RowY(row);
        if (x < window.bottom || x > window.top || y < window.left || y > window.right) {
            continue;
        }
        const std::string& name = index.NameAt(e);
        drawn.names.push_back(name);
        drawn.x.push_back(x);
        drawn.y.push_back(y);
        const PlotPixel p = view.ToPixel(x, y);
        if (p.x >= reach && p.y >= reach && p.x < width - reach && p.y < height - reach) {
            quint32* origin = bits + static_cast<qsizetype>(p.y) * stride + p.x;
            for (int offset : offsets) {
                origin[offset] = circlePixel;
            }
        } else {
            for (const QPoint& s : shape) {
                const int px = p.x + s.x();
                const int py = p.y + s.y();
                if (px >= 0 && py >= 0 && px < width && py < height) {
                    bits[static_cast<qsizetype>(py) * stride + px] = circlePixel;
                }
            }
        }
        if (font) {
            const QPoint topLeft = PointNameTopLeft(p, d);
            AppendName(*font, name, QPointF(topLeft.x(), topLeft.y() + font->ascent),
                       batches[settings.NameColourIndex(name)]);
        }
    }
    if (!font) {
        return;
    }
    QPainter painter(&image);
    for (int i = 0; i < 4; ++i) {
        if (batches[i].glyphs.isEmpty()) {
            continue;
        }
        QGlyphRun run;
        run.setRawFont(font->raw);
        run.setGlyphIndexes(batches[i].glyphs);
        run.setPositions(batches[i].positions);
        painter.setPen(ColourFromBgr(i == 0 ? settings.nameColour : settings.initialColours[i - 1]));
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
}

} // namespace vemo
