#pragma once

#include "ui/plot/PlotSettings.h"
#include "ui/plot/PlotViewport.h"

#include <QFont>
#include <QPolygon>
#include <QRect>

#include <string>
#include <vector>

class QPainter;
class QPaintDevice;

namespace vemo {

class XyzNameIndex;
struct PlanePoint;

enum class PlotPenMode { Copy, NotXor };
enum class PlotLineStyle { Solid, Dotted };

// The name sizes of the settings (SFSize 5 in the overview, BFSize 10 in detail by default) are
// relative sizes: the overview's default is drawn as large as the coordinate list's 10-point text, so
// that names read as well as the list on any screen; the points follow the screen's logical DPI.
inline constexpr double kPlotNameScale = 2.0;
// The fixed-pitch font of point names at a name size of the settings.
QFont PlotNameFont(int nameSize);
// Point and parcel names are CP932 in the store; the plot shows them as Unicode.
QString PlotText(const std::string& cp932);

// Where a point of pixel p is drawn with circle diameter d: the circle's bounding box starts at
// (px - d div 2, py - d div 2) with side d; the name's top-left corner is (box left + d, box top - d).
QRect PointCircleBox(PlotPixel p, int d);
QPoint PointNameTopLeft(PlotPixel p, int d);
// Draws the circle of a point (cosmetic 1-pixel pen, no fill, no antialiasing) in the pen colour.
void DrawPointCircle(QPainter& painter, PlotPixel p, int d);

// DrawOutline's strokes: each name is looked up in the index; an empty name or a vertex whose pixel
// coordinates are not strictly between -32768 and 32767 ends the current stroke, a name the index does
// not know is skipped (the outline runs from the vertex before it to the vertex after it).
std::vector<QPolygon> OutlineStrokes(const std::vector<std::string>& names, const XyzNameIndex& index,
                                     const PlotViewport& view);

// DrawLineThrough's pixels: the crossings of the line through `through` in `direction` (degrees
// clockwise from north) with the edges of the view frame, whose corners are pushed out by 0.5 m so
// that no edge runs exactly along a grid axis.  Crossings are floored to pixels; one that lands on
// pixel (0, 0) is dropped.  The line is drawn from the first crossing through the others.
QPolygon LineThroughPixels(const PlanePoint& through, double direction, const PlotViewport& view);

// The drawing operations the paint procedure and the tools use, on one painter in the current view.
// Colours are in the settings file's form (blue * 65536 + green * 256 + red).
class PlotCanvas {
public:
    PlotCanvas(QPainter& painter, const PlotViewport& view, const PlotSettings& settings, const XyzNameIndex& index,
               int nameSize, bool namesInOverview);

    const PlotViewport& View() const { return view_; }
    const PlotSettings& Settings() const { return settings_; }
    int NameSize() const { return nameSize_; }
    // Circle diameter: SCirSize in the overview (NameSize is SFSize), BCirSize in detail.
    int CircleSize() const;
    // Names of points are shown in detail, and in the overview while ImgPNameDisp is on.
    bool NamesShown() const;

    // Circle and (when names are shown) name in XyzLstDbClkColor.  False when the name is unknown.
    bool HighlightPoint(const std::string& name);
    // Circle in Cir0Color and name in its own colour, as the paint procedure draws it.
    bool DrawPointNormally(const std::string& name);
    // Circle and name in one colour.
    bool MarkPoint(const std::string& name, int colour);
    void DrawOutline(const std::vector<std::string>& names, int colour, PlotPenMode mode, PlotLineStyle style);
    // Text (CP932) centred on a world point at font size trunc(1.2 x NameSize): left edge px - h n / 4,
    // top py - h / 2, with h the font height in pixels and n the text length in bytes.
    void DrawParcelLabel(const std::string& text, int colour, double x, double y);
    bool DrawLineThrough(const std::string& name, double direction, int colour);
    void DrawCircle(double x, double y, double radius, int colour);
    // Closed triangle with its tip at the point: sides of 17 pixels at direction + 160 and + 200.
    void DrawArrowHead(double x, double y, double direction, int colour);
    void DrawSegment(double x1, double y1, double x2, double y2, int colour,
                     PlotLineStyle style = PlotLineStyle::Solid);

private:
    bool DrawPoint(const std::string& name, int circleColour, int textColour, bool withName);
    void SetPen(int colour, PlotPenMode mode, PlotLineStyle style);

    QPainter& painter_;
    PlotViewport view_; // a copy: callers often pass a view built on the spot
    const PlotSettings& settings_;
    const XyzNameIndex& index_;
    int nameSize_;
    bool namesInOverview_;
};

} // namespace vemo
