#pragma once

#include "ui/plot/PlotGlyphAtlas.h"
#include "ui/plot/PlotViewport.h"

#include <QImage>

#include <map>
#include <memory>
#include <vector>

namespace vemo {

struct PlotSettings;
struct XyzImagePoints;
class XyzNameIndex;

// Paint step 3, the hot part of every repaint: the points of the name index that fall inside the
// view, in index order, each as a circle followed by its name.  A surveyor zooms and pans sites of up
// to 99,998 points all day, so this does not go through one ellipse call and one text call per point:
// every circle is copied from the cached pixels of the same ellipse, and names are blended from cached
// glyph pixels (PlotGlyphAtlas).  The picture is pixel for pixel the one the plain calls would give.
// Large views are drawn by one thread per core, each owning a horizontal band of the image and going
// through all points in order, so the stacking stays that of the plain calls.
class PlotPointsRenderer {
public:
    struct Options {
        int circle = 6;    // diameter in pixels
        int fontSize = 5;  // NameSize, points
        bool names = true; // names drawn at all (ImgPNameDisp, detail view, Shift not held)
    };

    // Draws onto `image` (Format_RGB32) and puts each drawn point, in drawing order, into `drawn`
    // (which is cleared first).  `view` and the options are in logical pixels and points; an image
    // with a device pixel ratio above 1 is drawn in its own finer pixels.
    void Render(QImage& image, const XyzNameIndex& index, const PlotViewport& view, const PlotSettings& settings,
                const Options& options, XyzImagePoints& drawn);

private:
    struct Circle {
        std::vector<QPoint> shape;      // pixels around the point
        std::vector<qsizetype> offsets; // the same as offsets in an image of the cached stride
        qsizetype stride = 0;
        int reach = 0; // no pixel lies further than this from the point
    };
    // What every band needs to draw.
    struct Job {
        const Circle* circle = nullptr;
        quint32 circlePixel = 0;
        std::array<quint32, 4> nameColours{};
        const PlotGlyphAtlas* atlas = nullptr;
        int d = 0;
    };

    // How many points ahead the pixels are fetched into the cache.
    static constexpr int kLookAhead = 8;
    // Below this many points a second thread costs more than it saves.
    static constexpr int kPointsPerThread = 5000;
    static constexpr int kMaxBands = 4;

    const Circle& CircleFor(int diameter, qsizetype stride);
    PlotGlyphAtlas& AtlasFor(int pointSize, const QImage& image);
    // Puts the points inside the view, in index order, into `drawn` and what drawing needs of them
    // into the vectors below; names that are not ASCII are shaped here, on the calling thread.
    void CollectVisible(const XyzNameIndex& index, const PlotViewport& view, const PlotSettings& settings,
                        PlotGlyphAtlas* atlas, XyzImagePoints& drawn);
    void DrawBand(const PlotBand& band, const Job& job) const;
    static void BlitCircle(const PlotBand& band, const Circle& circle, PlotPixel p, quint32 colour);
    static void Prefetch(const PlotBand& band, PlotPixel p, int d, int lineHeight);

    std::map<int, Circle> circles_;
    std::map<std::pair<int, int>, std::unique_ptr<PlotGlyphAtlas>> atlases_;
    // Per drawn point (kept between paints to save the allocations).
    std::vector<PlotPixel> pixels_;
    std::vector<const std::string*> names_;
    std::vector<unsigned char> colourIndex_;
    std::vector<int> shapedIndex_; // position in shaped_, or -1 for an ASCII name
    std::vector<PlotGlyphAtlas::Shaped> shaped_;
};

} // namespace vemo
