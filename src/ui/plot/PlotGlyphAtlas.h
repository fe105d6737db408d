#pragma once

#include <QFont>
#include <QImage>
#include <QRawFont>

#include <array>
#include <string>
#include <vector>

namespace vemo {

// Point names drawn straight into the pixels of an RGB32 image, for the plot's overview of up to
// 99,998 names.  Each glyph is rasterised once per quarter-pixel phase by the text renderer itself
// (so shapes and antialiasing are its own), kept as a list of covered pixels with their coverage, and
// then blended with the renderer's own arithmetic wherever the name falls.  The result is the same
// pixels a text call at the same place would give, at a fraction of the cost per name.
class PlotGlyphAtlas {
public:
    // `font` as used on `device` (its resolution decides the pixel size).
    PlotGlyphAtlas(const QFont& font, const QImage& device);

    int Ascent() const { return ascent_; }
    // Rows a line of text covers, top to bottom.
    int LineHeight() const { return lineHeight_; }
    // Draws a CP932 name with its baseline starting at (left, baseline).  `colour` is 0xAARRGGBB with
    // alpha 0xFF.  Pixels outside the image are skipped.
    void Draw(QImage& image, const std::string& cp932, int left, int baseline, quint32 colour);

private:
    struct Pixel {
        int dx;
        int dy;
        quint32 coverage;
    };
    // The covered pixels of one glyph at one phase, also as offsets into an image of `stride_`.
    struct Pattern {
        std::vector<Pixel> pixels;
        std::vector<qsizetype> offsets;
        int minDx = 0, maxDx = -1, minDy = 0, maxDy = -1;
    };
    struct Target {
        quint32* bits;
        qsizetype stride;
        int width;
        int height;
    };

    // The renderer positions glyphs to a quarter of a pixel.
    static constexpr int kPhases = 4;

    const Pattern& PatternFor(quint32 glyph, int phase);
    Pattern Rasterise(quint32 glyph, int phase) const;
    void DrawGlyph(const Target& target, quint32 glyph, double x, int baseline, quint32 colour);

    QRawFont raw_;
    int ascent_ = 0;
    int lineHeight_ = 0;
    int probeSide_ = 0;
    std::array<quint32, 128> asciiGlyph_{};
    std::array<double, 128> asciiAdvance_{};
    qsizetype stride_ = 0;
    std::vector<int> slots_; // glyph * kPhases + phase -> 1 + position in patterns_, 0 when none yet
    std::vector<Pattern> patterns_;
};

} // namespace vemo
