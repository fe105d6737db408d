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

bool IsAscii(const std::string& s) {
    for (unsigned char c : s) {
        if (c >= 0x80) {
            return false;
        }
    }
    return true;
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

const PlotGlyphAtlas::Pattern& PlotGlyphAtlas::PatternFor(quint32 glyph, int phase) {
    const size_t slot = static_cast<size_t>(glyph) * kPhases + phase;
    if (slot >= slots_.size()) {
        slots_.resize(slot + 1, 0);
    }
    if (slots_[slot] == 0) {
        Pattern pattern = Rasterise(glyph, phase);
        for (const Pixel& p : pattern.pixels) {
            pattern.offsets.push_back(p.dy * stride_ + p.dx);
        }
        patterns_.push_back(std::move(pattern));
        slots_[slot] = static_cast<int>(patterns_.size());
    }
    return patterns_[slots_[slot] - 1];
}

void PlotGlyphAtlas::DrawGlyph(const Target& target, quint32 glyph, double x, int baseline, quint32 colour) {
    // Positions go through 1/64-pixel fixed point; the whole pixel is the floor, the phase the quarter.
    const long fixed = std::lround(x * 64);
    const int left = static_cast<int>(fixed >> 6);
    const int phase = static_cast<int>((fixed & 63) >> 4);
    const Pattern& pattern = PatternFor(glyph, phase);
    const size_t count = pattern.pixels.size();
    if (left + pattern.minDx >= 0 && left + pattern.maxDx < target.width && baseline + pattern.minDy >= 0 &&
        baseline + pattern.maxDy < target.height) {
        quint32* origin = target.bits + baseline * target.stride + left;
        for (size_t i = 0; i < count; ++i) {
            quint32& dst = origin[pattern.offsets[i]];
            dst = BlendCoverage(dst, colour, pattern.pixels[i].coverage);
        }
        return;
    }
    for (const Pixel& p : pattern.pixels) {
        const int px = left + p.dx;
        const int py = baseline + p.dy;
        if (static_cast<unsigned>(px) < static_cast<unsigned>(target.width) &&
            static_cast<unsigned>(py) < static_cast<unsigned>(target.height)) {
            quint32& dst = target.bits[py * target.stride + px];
            dst = BlendCoverage(dst, colour, p.coverage);
        }
    }
}

void PlotGlyphAtlas::Draw(QImage& image, const std::string& cp932, int left, int baseline, quint32 colour) {
    const Target target{reinterpret_cast<quint32*>(image.bits()), image.bytesPerLine() / 4, image.width(),
                        image.height()};
    if (target.stride != stride_) {
        // Offsets are per image width: start again for an image of another width.
        stride_ = target.stride;
        slots_.clear();
        patterns_.clear();
    }
    double x = left;
    if (IsAscii(cp932)) {
        for (unsigned char c : cp932) {
            DrawGlyph(target, asciiGlyph_[c], x, baseline, colour);
            x += asciiAdvance_[c];
        }
        return;
    }
    const QList<quint32> glyphs = raw_.glyphIndexesForString(PlotText(cp932));
    const QList<QPointF> advances = raw_.advancesForGlyphIndexes(glyphs);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        DrawGlyph(target, glyphs[i], x, baseline, colour);
        x += advances.value(i).x();
    }
}

} // namespace vemo
