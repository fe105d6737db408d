#include "ui/plot/PlotPointsRenderer.h"

#include "core/store/XyzNameIndex.h"
#include "ui/plot/PlotCanvas.h"
#include "ui/plot/PlotSettings.h"
#include "ui/plot/XyzImagePoints.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <thread>

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
    // On a screen of more than one pixel per logical pixel the glyphs are rasterised at that screen's
    // resolution: a device of the image's resolution times the ratio gives the font its pixel size.
    const qreal ratio = image.devicePixelRatio();
    const int dpi = qRound(image.logicalDpiY() * ratio);
    auto& atlas = atlases_[{pointSize, dpi}];
    if (!atlas) {
        QImage device(1, 1, QImage::Format_RGB32);
        device.setDotsPerMeterX(qRound(image.dotsPerMeterX() * ratio));
        device.setDotsPerMeterY(qRound(image.dotsPerMeterY() * ratio));
        atlas = std::make_unique<PlotGlyphAtlas>(PlotNameFont(pointSize), device);
    }
    return *atlas;
}

namespace {

// `view` (logical pixels) in the pixels of `image`.
PlotViewport DevicePixelViewport(const PlotViewport& view, const QImage& image) {
    const qreal ratio = image.devicePixelRatio();
    if (ratio == 1) {
        return view;
    }
    PlotViewport device = view;
    device.scale = view.scale * ratio;
    device.pixelCentreX = qRound(view.pixelCentreX * ratio);
    device.pixelCentreY = qRound(view.pixelCentreY * ratio);
    device.width = image.width();
    device.height = image.height();
    return device;
}

} // namespace

void PlotPointsRenderer::CollectVisible(const XyzNameIndex& index, const PlotViewport& view,
                                        const PlotSettings& settings, const std::vector<std::string>& namedFirst,
                                        XyzImagePoints& drawn) {
    drawn.Clear();
    pixels_.clear();
    names_.clear();
    colourIndex_.clear();
    rows_.clear();
    firstSlots_.assign(namedFirst.size(), -1);
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
        const std::string& name = index.NameAt(e);
        for (size_t k = 0; k < namedFirst.size(); ++k) {
            if (name == namedFirst[k]) {
                firstSlots_[k] = static_cast<int>(pixels_.size());
            }
        }
        drawn.names.push_back(name);
        drawn.x.push_back(x);
        drawn.y.push_back(y);
        pixels_.push_back(view.ToPixel(x, y));
        names_.push_back(&name);
        colourIndex_.push_back(static_cast<unsigned char>(settings.NameColourIndex(name)));
        rows_.push_back(row);
    }
}

void PlotPointsRenderer::PlaceNames(PlotGlyphAtlas& atlas, int d) {
    const int n = static_cast<int>(pixels_.size());
    boxes_.resize(n);
    shapedIndex_.assign(n, -1);
    shaped_.clear();
    // Names side by side on a line would read as one: each box keeps a quarter of a line free after its name.
    const int gap = atlas.LineHeight() / 4;
    QRect bounds;
    int lastRow = -1;
    for (int i = 0; i < n; ++i) {
        double advance = 0;
        if (PlotGlyphAtlas::IsAscii(*names_[i])) {
            advance = atlas.Advance(*names_[i]);
        } else {
            shapedIndex_[i] = static_cast<int>(shaped_.size());
            shaped_.push_back(atlas.Shape(*names_[i]));
            advance = PlotGlyphAtlas::Advance(shaped_.back());
        }
        const QPoint topLeft = PointNameTopLeft(pixels_[i], d);
        boxes_[i] = QRect(topLeft.x(), topLeft.y(), static_cast<int>(std::ceil(advance)) + gap, atlas.LineHeight());
        bounds |= boxes_[i];
        lastRow = std::max(lastRow, rows_[i]);
    }
    grid_.Reset(bounds);
    named_.assign(n, 0);
    for (int i : firstSlots_) {
        if (i >= 0 && !named_[i]) {
            named_[i] = grid_.Claim(boxes_[i]);
        }
    }
    // The others in list order: a counting sort by row, since the points come in name order.
    rowStarts_.assign(static_cast<size_t>(lastRow) + 2, 0);
    for (int i = 0; i < n; ++i) {
        ++rowStarts_[rows_[i] + 1];
    }
    for (size_t r = 1; r < rowStarts_.size(); ++r) {
        rowStarts_[r] += rowStarts_[r - 1];
    }
    byRow_.resize(n);
    for (int i = 0; i < n; ++i) {
        byRow_[rowStarts_[rows_[i]]++] = i;
    }
    for (int i : byRow_) {
        if (!named_[i]) {
            named_[i] = grid_.Claim(boxes_[i]);
        }
    }
    namedInOrder_.clear();
    for (int i = 0; i < n; ++i) {
        if (named_[i]) {
            namedInOrder_.push_back(i);
        }
    }
}

void PlotPointsRenderer::BlitCircle(const PlotBand& band, const Circle& circle, PlotPixel p, quint32 colour) {
    if (p.y + circle.reach < band.rowBegin || p.y - circle.reach >= band.rowEnd) {
        return;
    }
    if (p.x >= circle.reach && p.x < band.width - circle.reach && p.y - circle.reach >= band.rowBegin &&
        p.y + circle.reach < band.rowEnd) {
        quint32* origin = band.bits + static_cast<qsizetype>(p.y) * band.stride + p.x;
        for (qsizetype offset : circle.offsets) {
            origin[offset] = colour;
        }
        return;
    }
    for (const QPoint& s : circle.shape) {
        const int px = p.x + s.x();
        const int py = p.y + s.y();
        if (px >= 0 && px < band.width && py >= band.rowBegin && py < band.rowEnd) {
            band.bits[static_cast<qsizetype>(py) * band.stride + px] = colour;
        }
    }
}

void PlotPointsRenderer::Prefetch(const PlotBand& band, int top, int bottom, int left) {
    // Two cache lines of each row from `left`.
    const int x = std::clamp(left, 0, band.width - 1);
    for (int y = std::max(band.rowBegin, top); y <= std::min(band.rowEnd - 1, bottom); ++y) {
        const quint32* line = band.bits + y * band.stride + x;
        __builtin_prefetch(line, 1);
        __builtin_prefetch(line + 16, 1);
    }
}

void PlotPointsRenderer::DrawBand(const PlotBand& band, const Job& job) const {
    const int n = static_cast<int>(pixels_.size());
    const int r = job.d / 2;
    for (int i = 0; i < n; ++i) {
        if (i + kLookAhead < n) {
            const PlotPixel ahead = pixels_[i + kLookAhead];
            Prefetch(band, ahead.y - r, ahead.y + r, ahead.x - r);
        }
        BlitCircle(band, *job.circle, pixels_[i], job.circlePixel);
    }
    if (!job.atlas) {
        return;
    }
    const int count = static_cast<int>(namedInOrder_.size());
    for (int k = 0; k < count; ++k) {
        if (k + kLookAhead < count) {
            const QRect& ahead = boxes_[namedInOrder_[k + kLookAhead]];
            Prefetch(band, ahead.top(), ahead.bottom(), ahead.left());
        }
        const int i = namedInOrder_[k];
        const QPoint topLeft = PointNameTopLeft(pixels_[i], job.d);
        const int baseline = topLeft.y() + job.atlas->Ascent();
        const quint32 colour = job.nameColours[colourIndex_[i]];
        if (shapedIndex_[i] < 0) {
            job.atlas->Draw(band, *names_[i], topLeft.x(), baseline, colour);
        } else {
            job.atlas->Draw(band, shaped_[shapedIndex_[i]], topLeft.x(), baseline, colour);
        }
    }
}

void PlotPointsRenderer::Render(QImage& image, const XyzNameIndex& index, const PlotViewport& view,
                                const PlotSettings& settings, const Options& options, XyzImagePoints& drawn) {
    // The image may have more pixels than the plot has logical ones (a screen at 200 %): points and
    // names are drawn in its own pixels, at its resolution, never enlarged afterwards.
    const PlotViewport device = DevicePixelViewport(view, image);
    Job job;
    job.d = qRound(options.circle * image.devicePixelRatio());
    job.circle = &CircleFor(job.d, image.bytesPerLine() / 4);
    job.circlePixel = ColourFromBgr(settings.circleColour).rgb();
    job.nameColours[0] = ColourFromBgr(settings.nameColour).rgb();
    for (int i = 0; i < 3; ++i) {
        job.nameColours[i + 1] = ColourFromBgr(settings.initialColours[i]).rgb();
    }
    PlotGlyphAtlas* atlas = options.names ? &AtlasFor(options.fontSize, image) : nullptr;
    if (atlas) {
        atlas->Bind(image);
    }
    job.atlas = atlas;
    CollectVisible(index, device, settings, options.namedFirst, drawn);
    if (atlas) {
        PlaceNames(*atlas, job.d);
    } else {
        named_.assign(pixels_.size(), 0);
        namedInOrder_.clear();
    }

    const int hardware = static_cast<int>(std::thread::hardware_concurrency());
    const int byPoints = static_cast<int>(pixels_.size()) / kPointsPerThread;
    const int bands = std::clamp(std::min(hardware, byPoints), 1, kMaxBands);
    std::vector<PlotBand> parts;
    for (int b = 0; b < bands; ++b) {
        parts.push_back({reinterpret_cast<quint32*>(image.bits()), image.bytesPerLine() / 4, image.width(),
                         image.height() * b / bands, image.height() * (b + 1) / bands});
    }
    std::vector<std::thread> helpers;
    for (int b = 1; b < bands; ++b) {
        helpers.emplace_back([this, &parts, &job, b] { DrawBand(parts[b], job); });
    }
    DrawBand(parts[0], job);
    for (std::thread& helper : helpers) {
        helper.join();
    }
}

} // namespace vemo
