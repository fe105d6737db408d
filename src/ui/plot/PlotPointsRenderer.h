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
class PlotPointsRenderer {
public:
    struct Options {
        int circle = 6;    // diameter in pixels
        int fontSize = 5;  // NameSize, points
        bool names = true; // names drawn at all (ImgPNameDisp, detail view, Shift not held)
    };

    // Draws onto `image` (Format_RGB32) and puts each drawn point, in drawing order, into `drawn`
    // (which is cleared first).
    void Render(QImage& image, const XyzNameIndex& index, const PlotViewport& view, const PlotSettings& settings,
                const Options& options, XyzImagePoints& drawn);

private:
    struct Circle {
        std::vector<QPoint> shape;      // pixels around the point
        std::vector<qsizetype> offsets; // the same as offsets in an image of the cached stride
        qsizetype stride = 0;
        int reach = 0; // no pixel lies further than this from the point
    };

    // How many points ahead the pixels are fetched into the cache.
    static constexpr int kLookAhead = 8;

    const Circle& CircleFor(int diameter, qsizetype stride);
    // Puts the points inside the view, in index order, into `drawn` and their pixels into pixels_.
    void CollectVisible(const XyzNameIndex& index, const PlotViewport& view, XyzImagePoints& drawn);
    static void BlitCircle(QImage& image, const Circle& circle, PlotPixel p, quint32 colour);
    static void Prefetch(const QImage& image, PlotPixel p, int d, int lineHeight);
    PlotGlyphAtlas& AtlasFor(int pointSize, const QImage& image);

    std::map<int, Circle> circles_;
    std::vector<PlotPixel> pixels_; // kept between paints to save the allocation
    std::vector<int> entries_;
    std::map<std::pair<int, int>, std::unique_ptr<PlotGlyphAtlas>> atlases_;
};

} // namespace vemo
