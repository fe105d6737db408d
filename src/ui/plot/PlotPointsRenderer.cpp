#include "ui/plot/PlotPointsRenderer.h"

#include "core/store/Store.h"
#include "ui/plot/PlotCanvas.h"
#include "ui/plot/PlotSettings.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace vemo {

namespace {

// The pixels of one circle, found by drawing it once with the very call the canvas uses.
std::vector<QPoint> CircleShape(int d) {
    const int side = d * 2 + 8;
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

} // namespace

const PlotPointsRenderer::Circle& PlotPointsRenderer::CircleFor(int diameter, qsizetype stride) {
    Circle& circle = circles_[diameter];
    if (circle.shape.empty() && circle.reach == 0) {
        circle.shape = CircleShape(diameter);
        circle.reach = 1;
        for (const QPoint& p : circle.shape) {
            circle.reach = std::max({circle.reach, std::abs(p.x()) + 1, std::abs(p.y()) + 1});
        }
    }
    if (circle.stride != stride) {
        circle.stride = stride;
        circle.offsets.clear();
        for (const QPoint& p : circle.shape) {
            circle.offsets.push_back(p.y() * stride + p.x());
        }
    }
    return circle;
}

PlotGlyphAtlas& PlotPointsRenderer::AtlasFor(int pointSize, const QImage& image) {
    auto& atlas = atlases_[{pointSize, image.logicalDpiY()}];
    if (!atlas) {
        atlas = std::make_unique<PlotGlyphAtlas>(PlotNameFont(pointSize), image);
    }
    return *atlas;
}

void PlotPointsRenderer::CollectVisible(const XyzNameIndex& index, const PlotViewport& view, XyzImagePoints& drawn) {
    drawn.Clear();
    pixels_.clear();
    entries_.clear();
    const int count = index.Count();
    drawn.names.reserve(count);
    drawn.x.reserve(count);
    drawn.y.reserve(count);
    const PlotWindow window = view.Visible();
    for (int e = 0; e < count; ++e) {
        const int row = index.RowAt(e);
        const double x = index.RowX(row);
        const double y = index.RowY(row);
        if (x < window.bottom || x > window.top || y < window.left || y > window.right) {
            continue;
        }
        drawn.names.push_back(index.NameAt(e));
        drawn.x.push_back(x);
        drawn.y.push_back(y);
        pixels_.push_back(view.ToPixel(x, y));
        entries_.push_back(e);
    }
}

void PlotPointsRenderer::BlitCircle(QImage& image, const Circle& circle, PlotPixel p, quint32 colour) {
    auto* bits = reinterpret_cast<quint32*>(image.bits());
    const int width = image.width();
    const int height = image.height();
    if (p.x >= circle.reach && p.y >= circle.reach && p.x < width - circle.reach && p.y < height - circle.reach) {
        quint32* origin = bits + static_cast<qsizetype>(p.y) * circle.stride + p.x;
        for (qsizetype offset : circle.offsets) {
            origin[offset] = colour;
        }
        return;
    }
    for (const QPoint& s : circle.shape) {
        const int px = p.x + s.x();
        const int py = p.y + s.y();
        if (px >= 0 && py >= 0 && px < width && py < height) {
            bits[static_cast<qsizetype>(py) * circle.stride + px] = colour;
        }
    }
}

void PlotPointsRenderer::Render(QImage& image, const XyzNameIndex& index, const PlotViewport& view,
                                const PlotSettings& settings, const Options& options, XyzImagePoints& drawn) {
    // First the points to draw and their pixels, then the drawing: knowing the points ahead lets the
    // pixels they will touch be fetched into the cache while earlier points are drawn.  In name order
    // the points jump about the plot, and waiting for memory is most of the cost otherwise.
    CollectVisible(index, view, drawn);
    const int d = options.circle;
    const Circle& circle = CircleFor(d, image.bytesPerLine() / 4);
    const quint32 circlePixel = ColourFromBgr(settings.circleColour).rgb();
    std::array<quint32, 4> nameColours{ColourFromBgr(settings.nameColour).rgb()};
    for (int i = 0; i < 3; ++i) {
        nameColours[i + 1] = ColourFromBgr(settings.initialColours[i]).rgb();
    }
    PlotGlyphAtlas* atlas = options.names ? &AtlasFor(options.fontSize, image) : nullptr;
    const int lineHeight = atlas ? atlas->LineHeight() : 0;
    const int n = static_cast<int>(pixels_.size());
    for (int i = 0; i < n; ++i) {
        if (i + kLookAhead < n) {
            Prefetch(image, pixels_[i + kLookAhead], d, lineHeight);
        }
        const PlotPixel p = pixels_[i];
        BlitCircle(image, circle, p, circlePixel);
        if (atlas) {
            const std::string& name = index.NameAt(entries_[i]);
            const QPoint topLeft = PointNameTopLeft(p, d);
            atlas->Draw(image, name, topLeft.x(), topLeft.y() + atlas->Ascent(),
                        nameColours[settings.NameColourIndex(name)]);
        }
    }
}

void PlotPointsRenderer::Prefetch(const QImage& image, PlotPixel p, int d, int lineHeight) {
    // The rows from the name's top to the circle's bottom, two cache lines of each from the circle's left.
    const int top = std::max(0, p.y - d / 2 - d);
    const int bottom = std::min(image.height() - 1, std::max(p.y + d / 2, p.y - d / 2 - d + lineHeight));
    const int left = std::clamp(p.x - d / 2, 0, image.width() - 1);
    const uchar* base = image.constBits();
    const qsizetype bpl = image.bytesPerLine();
    for (int y = top; y <= bottom; ++y) {
        const uchar* line = base + y * bpl + left * 4;
        __builtin_prefetch(line, 1);
        __builtin_prefetch(line + 64, 1);
    }
}

} // namespace vemo
