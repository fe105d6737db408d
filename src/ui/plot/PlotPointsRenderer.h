#pragma once

#include "ui/plot/PlotViewport.h"

#include <QFont>
#include <QImage>
#include <QRawFont>

#include <array>
#include <map>
#include <vector>

namespace vemo {

struct PlotSettings;
struct XyzImagePoints;
class XyzNameIndex;

// Paint step 3, the hot part of every repaint: the points of the name index that fall inside the
// view, in index order, as circles with their names.  A surveyor zooms and pans sites of up to 99,998
// points all day, so this does not go through one ellipse and one text call per point: every circle
// is copied from a cached pixel pattern of the same ellipse, and the names of one colour become a
// single glyph run with glyph indexes and advances cached per character.  Circles and names land on
// exactly the pixels the plain calls would give; only the stacking differs where they overlap (all
// circles first, then the names colour by colour).
class PlotPointsRenderer {
public:
    struct Options {
        int circle = 6;    // diameter in pixels
        int fontSize = 5;  // NameSize, points
        bool names = true; // names drawn at all (ImgPNameDisp, detail view, Shift not held)
    };

    // Draws onto `image` (Format_RGB32 or ARGB32_Premultiplied) and appends each drawn point, in
    // drawing order, to `drawn` (which is cleared first).
    void Render(QImage& image, const XyzNameIndex& index, const PlotViewport& view, const PlotSettings& settings,
                const Options& options, XyzImagePoints& drawn);

private:
    struct FontCache {
        QFont font;
        QRawFont raw;
        int ascent = 0;
        std::array<quint32, 128> asciiGlyph{};
        std::array<qreal, 128> asciiAdvance{};
    };
    struct GlyphBatch {
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };

    const std::vector<int>& CircleOffsets(int diameter, int stride);
    FontCache& Font(int pointSize, const QImage& image);
    void AppendName(const FontCache& font, const std::string& name, QPointF baseline, GlyphBatch& batch);

    // Offsets (dy * stride + dx) of the pixels a circle of the given diameter sets around its point.
    std::map<std::pair<int, int>, std::vector<int>> circleOffsets_;
    std::map<std::pair<int, int>, std::vector<QPoint>> circleShapes_;
    std::map<int, FontCache> fonts_;
};

} // namespace vemo
