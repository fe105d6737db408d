#pragma once

#include <QFont>
#include <QImage>
#include <QRawFont>

#include <array>
#include <string>
#include <vector>

namespace vemo {

// A horizontal band of an RGB32 image that one drawing thread owns: rows rowBegin .. rowEnd - 1.
struct PlotBand {
    quint32* bits = nullptr;
    qsizetype stride = 0; // pixels per row
    int width = 0;
    int rowBegin = 0;
    int rowEnd = 0;
};

// Point names drawn straight into the pixels of an RGB32 image, for the plot's overview of up to
// 99,998 names.  Each glyph is rasterised once per quarter-pixel phase by the text renderer itself
// (so shapes and antialiasing are its own), kept as a list of covered pixels with their coverage, and
// then blended with the renderer's own arithmetic wherever the name falls.  The result is the same
// pixels a text call at the same place would give, at a fraction of the cost per name.
//
// Everything that touches the font (Bind, Shape) runs on one thread; Draw only reads the prepared
// patterns, so several threads may draw disjoint bands of one image at once.
class PlotGlyphAtlas {
public:
    // Glyphs and advances of a name that is not plain ASCII.
    struct Shaped {
        std::vector<quint32> glyphs;
        std::vector<double> advances;
    };

    // `font` as used on `device` (its resolution decides the pixel size).
    PlotGlyphAtlas(const QFont& font, const QImage& device);

    int Ascent() const { return ascent_; }
    // Rows a line of text covers, top to bottom.
    int LineHeight() const { return lineHeight_; }

    // Prepares drawing into images of this one's width.
    void Bind(const QImage& image);
    static bool IsAscii(const std::string& cp932);
    // Glyphs of a CP932 name with other than ASCII characters, their patterns prepared.
    Shaped Shape(const std::string& cp932);
    // How far a name advances the pen: the width of its box on the plot.
    double Advance(const std::string& ascii) const;
    static double Advance(const Shaped& shaped);

    // Draws a name with its baseline starting at (left, baseline), clipped to the band.  `colour` is
    // 0xFFRRGGBB.  The ASCII form takes the name itself, the other a Shape result.
    void Draw(const PlotBand& band, const std::string& ascii, int left, int baseline, quint32 colour) const;
    void Draw(const PlotBand& band, const Shaped& shaped, int left, int baseline, quint32 colour) const;

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

    // The renderer positions glyphs to a quarter of a pixel.
    static constexpr int kPhases = 4;

    void Prepare(quint32 glyph);
    Pattern Rasterise(quint32 glyph, int phase) const;
    void SetOffsets(Pattern& pattern) const;
    void DrawGlyph(const PlotBand& band, quint32 glyph, double x, int baseline, quint32 colour) const;

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
