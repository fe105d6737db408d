#pragma once

#include "ui/plot/PlotGlyphAtlas.h"
#include "ui/plot/PlotLabelGrid.h"
#include "ui/plot/PlotViewport.h"

#include <QImage>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vemo {

struct PlotSettings;
struct XyzImagePoints;
class XyzNameIndex;

// Paint step 3, the hot part of every repaint: the points of the name index that fall inside the
// view, in index order, as circles, and over all circles the names that can be read, in the same order.
//
// Every point is drawn.  A name is drawn only where its box (from the top-left corner of the name, as
// wide as its advance and a quarter of a line more, a line high) overlaps no name drawn already: in
// the overview of a full site tens of thousands of names would only pile up into a blot.  Names go
// over the circles, so that the circles of a crowd do not cross out the names that have room.  Names are placed in a
// fixed order, the points of `namedFirst` first, then the rest in list order, so that a pan keeps the names it keeps in
// view where they were; a name hidden in the overview appears as the user zooms in.  A grid of occupied cells
// (PlotLabelGrid) decides each name in a time that does not grow with the names placed before.
//
// A surveyor zooms and pans sites of up to 99,998 points all day, so this does not go through one
// ellipse call and one text call per point: every circle is copied from the cached pixels of the same
// ellipse, and names are blended from cached glyph pixels (PlotGlyphAtlas).  The picture is pixel for
// pixel the one the plain calls would give, circles first, then the names drawn.  Large views are drawn
// by one thread per core, each owning a horizontal band of the image and going through all points in
// order, so the stacking stays that of the plain calls.
class PlotPointsRenderer {
public:
    struct Options {
        int circle = 6;    // diameter in pixels
        int fontSize = 5;  // NameSize, points
        bool names = true; // names drawn at all (ImgPNameDisp, detail view, Shift not held)
        // Points whose names are placed before all others (the marked point, the list's current
        // point), CP932 names; names not in view are passed over.
        std::vector<std::string> namedFirst;
    };

    // Draws onto `image` (Format_RGB32) and puts each drawn point, in drawing order, into `drawn`
    // (which is cleared first).  `view` and the options are in logical pixels and points; an image
    // with a device pixel ratio above 1 is drawn in its own finer pixels.
    void Render(QImage& image, const XyzNameIndex& index, const PlotViewport& view, const PlotSettings& settings,
                const Options& options, XyzImagePoints& drawn);
    // For each point the last Render drew, in drawing order: 1 when its name was drawn, else 0.
    const std::vector<unsigned char>& NamesDrawn() const { return named_; }

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
    // into the vectors below.
    void CollectVisible(const XyzNameIndex& index, const PlotViewport& view, const PlotSettings& settings,
                        const std::vector<std::string>& namedFirst, XyzImagePoints& drawn);
    // Decides which names are drawn (named_); names that are not ASCII are shaped here, on the
    // calling thread.
    void PlaceNames(PlotGlyphAtlas& atlas, int d);
    void DrawBand(const PlotBand& band, const Job& job) const;
    static void BlitCircle(const PlotBand& band, const Circle& circle, PlotPixel p, quint32 colour);
    static void Prefetch(const PlotBand& band, int top, int bottom, int left);

    std::map<int, Circle> circles_;
    std::map<std::pair<int, int>, std::unique_ptr<PlotGlyphAtlas>> atlases_;
    // Per drawn point (kept between paints to save the allocations).
    std::vector<PlotPixel> pixels_;
    std::vector<const std::string*> names_;
    std::vector<unsigned char> colourIndex_;
    std::vector<int> rows_;       // list row
    std::vector<int> firstSlots_; // positions of the points of Options::namedFirst, in its order
    std::vector<QRect> boxes_;    // name boxes
    std::vector<unsigned char> named_;
    std::vector<int> namedInOrder_; // the points whose names are drawn, in drawing order
    std::vector<int> shapedIndex_;  // position in shaped_, or -1 for an ASCII name
    std::vector<PlotGlyphAtlas::Shaped> shaped_;
    std::vector<int> rowStarts_; // counting sort of the points by list row
    std::vector<int> byRow_;
    PlotLabelGrid grid_;
};

} // namespace vemo
