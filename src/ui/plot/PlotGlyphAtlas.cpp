#include "ui/plot/PlotGlyphAtlas.h"

#include "ui/plot/PlotCanvas.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vemo {

namespace {

// x * a / 255 on all four bytes at once, rounded as the raster engine rounds.
inline quint32 ByteMul(quint32 x, quint32 a) {
    quint32 t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = x + ((x >> 8) & 0xff00ff) + 0x800080;
    x &= 0xff00ff00;
    return x | t;
}

// An opaque colour over the destination at a coverage of 1..255, as the raster engine blends glyphs.
inline quint32 BlendCoverage(quint32 dst, quint32 src, quint32 coverage) {
    if (coverage == 255) {
        return src;
    }
    const quint32 s = ByteMul(src, coverage);
    return s + ByteMul(dst, 255 - coverage);
}

} // namespace

PlotGlyphAtlas::PlotGlyphAtlas(const QFont& font, const QImage& device) {
    raw_ = QRawFont::fromFont(QFont(font, &device));
    const QFontMetrics metrics(font, &device);
    ascent_ = metrics.ascent();
    lineHeight_ = metrics.height();
    probeSide_ = static_cast<int>(std::ceil(raw_.pixelSize())) * 4 + 16;
    for (int c = 0; c < 128; ++c) {
        const auto glyphs = raw_.glyphIndexesForString(QString(QChar(c)));
        asciiGlyph_[c] = glyphs.value(0);
        asciiAdvance_[c] = raw_.advancesForGlyphIndexes(glyphs).value(0).x();
    }
    for (int c = 0; c < 128; ++c) {
        Prepare(asciiGlyph_[c]);
    }
}

bool PlotGlyphAtlas::IsAscii(const std::string& cp932) {
    for (unsigned char c : cp932) {
        if (c >= 0x80) {
            return false;
        }
    }
    return true;
}

PlotGlyphAtlas::Pattern PlotGlyphAtlas::Rasterise(quint32 glyph, int phase) const {
    // White on black gives the coverage itself in every channel.
    QImage probe(probeSide_, probeSide_, QImage::Format_RGB32);
    probe.fill(Qt::black);
    const int originX = probeSide_ / 4;
    const int originY = probeSide_ * 3 / 4;
    {
        QPainter painter(&probe);
        painter.setPen(Qt::white);
        QGlyphRun run;
        run.setRawFont(raw_);
        run.setGlyphIndexes({glyph});
        run.setPositions({QPointF(originX + static_cast<double>(phase) / kPhases, originY)});
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    Pattern pattern;
    for (int y = 0; y < probeSide_; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
        for (int x = 0; x < probeSide_; ++x) {
            if (const int coverage = qRed(line[x])) {
                const Pixel p{x - originX, y - originY, static_cast<quint32>(coverage)};
                if (pattern.pixels.empty()) {
                    pattern.minDx = pattern.maxDx = p.dx;
                    pattern.minDy = pattern.maxDy = p.dy;
                }
                pattern.minDx = std::min(pattern.minDx, p.dx);
                pattern.maxDx = std::max(pattern.maxDx, p.dx);
                pattern.minDy = std::min(pattern.minDy, p.dy);
                pattern.maxDy = std::max(pattern.maxDy, p.dy);
                pattern.pixels.push_back(p);
            }
        }
    }
    return pattern;
}

void PlotGlyphAtlas::SetOffsets(Pattern& pattern) const {
    pattern.offsets.clear();
    for (const Pixel& p : pattern.pixels) {
        pattern.offsets.push_back(p.dy * stride_ + p.dx);
    }
}

void PlotGlyphAtlas::Prepare(quint32 glyph) {
    const size_t first = static_cast<size_t>(glyph) * kPhases;
    if (first + kPhases > slots_.size()) {
        slots_.resize(first + kPhases, 0);
    }
    for (int phase = 0; phase < kPhases; ++phase) {
        if (slots_[first + phase] == 0) {
            Pattern pattern = Rasterise(glyph, phase);
            SetOffsets(pattern);
            patterns_.push_back(std::move(pattern));
            slots_[first + phase] = static_cast<int>(patterns_.size());
        }
    }
}

void PlotGlyphAtlas::Bind(const QImage& image) {
    const qsizetype stride = image.bytesPerLine() / 4;
    if (stride != stride_) {
        stride_ = stride;
        for (Pattern& pattern : patterns_) {
            SetOffsets(pattern);
        }
    }
}

PlotGlyphAtlas::Shaped PlotGlyphAtlas::Shape(const std::string& cp932) {
    const QList<quint32> glyphs = raw_.glyphIndexesForString(PlotText(cp932));
    const QList<QPointF> advances = raw_.advancesForGlyphIndexes(glyphs);
    Shaped shaped;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        Prepare(glyphs[i]);
        shaped.glyphs.push_back(glyphs[i]);
        shaped.advances.push_back(advances.value(i).x());
    }
    return shaped;
}

double PlotGlyphAtlas::Advance(const std::string& ascii) const {
    double x = 0;
    for (unsigned char c : ascii) {
        x += asciiAdvance_[c & 0x7F];
    }
    return x;
}

double PlotGlyphAtlas::Advance(const Shaped& shaped) {
    double x = 0;
    for (double advance : shaped.advances) {
        x += advance;
    }
    return x;
}

void PlotGlyphAtlas::DrawGlyph(const PlotBand& band, quint32 glyph, double x, int baseline, quint32 colour) const {
    // Positions go through 1/64-pixel fixed point; the whole pixel is the floor, the phase the quarter.
    const long fixed = std::lround(x * 64);
    const int left = static_cast<int>(fixed >> 6);
    const int phase = static_cast<int>((fixed & 63) >> 4);
    const Pattern& pattern = patterns_[slots_[static_cast<size_t>(glyph) * kPhases + phase] - 1];
    if (baseline + pattern.maxDy < band.rowBegin || baseline + pattern.minDy >= band.rowEnd) {
        return;
    }
    const size_t count = pattern.pixels.size();
    if (left + pattern.minDx >= 0 && left + pattern.maxDx < band.width && baseline + pattern.minDy >= band.rowBegin &&
        baseline + pattern.maxDy < band.rowEnd) {
        quint32* origin = band.bits + baseline * band.stride + left;
        for (size_t i = 0; i < count; ++i) {
            quint32& dst = origin[pattern.offsets[i]];
            dst = BlendCoverage(dst, colour, pattern.pixels[i].coverage);
        }
        return;
    }
    for (const Pixel& p : pattern.pixels) {
        const int px = left + p.dx;
        const int py = baseline + p.dy;
        if (px >= 0 && px < band.width && py >= band.rowBegin && py < band.rowEnd) {
            quint32& dst = band.bits[py * band.stride + px];
            dst = BlendCoverage(dst, colour, p.coverage);
        }
    }
}

void PlotGlyphAtlas::Draw(const PlotBand& band, const std::string& ascii, int left, int baseline,
                          quint32 colour) const {
    double x = left;
    for (unsigned char c : ascii) {
        DrawGlyph(band, asciiGlyph_[c & 0x7F], x, baseline, colour);
        x += asciiAdvance_[c & 0x7F];
    }
}

void PlotGlyphAtlas::Draw(const PlotBand& band, const Shaped& shaped, int left, int baseline, quint32 colour) const {
    double x = left;
    for (size_t i = 0; i < shaped.glyphs.size(); ++i) {
        DrawGlyph(band, shaped.glyphs[i], x, baseline, colour);
        x += shaped.advances[i];
    }
}

} // namespace vemo
