#pragma once

#include "core/store/XyzNameIndex.h"

#include <optional>

namespace vemo {

// A pixel of the plot.  Pixel coordinates are the real values truncated toward zero; far outside the
// plot they are clamped to +-1e9 so that they always fit an int.
struct PlotPixel {
    int x = 0;
    int y = 0;
    friend bool operator==(const PlotPixel&, const PlotPixel&) = default;
};

// A world point in surveying axes: x north, y east (metres).
struct PlotWorld {
    double x = 0;
    double y = 0;
};

// The part of the plane shown: X from bottom to top, Y from left to right, both ends included.
struct PlotWindow {
    double bottom = 0; // smallest X shown
    double top = 0;    // largest X shown
    double left = 0;   // smallest Y shown
    double right = 0;  // largest Y shown
};

// A view as PrevView and RememberedView keep it.  A scale of 0 means there is none.
struct PlotViewRecord {
    double scale = 0;
    double centreX = 0;
    double centreY = 0;
    int nameSize = 0; // not used by RememberedView
};

// The map between metres and pixels.  X (north) grows upwards, Y (east) to the right; the world
// point (centreX, centreY) sits on the pixel centre, at `scale` pixels per metre.
struct PlotViewport {
    double centreX = 0;   // ViewCentreX
    double centreY = 0;   // ViewCentreY
    int pixelCentreX = 0; // PixelCentreX: half the width, truncated
    int pixelCentreY = 0; // PixelCentreY: half the height, truncated
    double scale = 1.0;   // ViewScale, pixels per metre
    int width = 0;        // plot size in pixels
    int height = 0;

    // Real pixel coordinates, already truncated toward zero (not clamped), for range tests.
    double PixelXOf(double worldY) const;
    double PixelYOf(double worldX) const;
    PlotPixel ToPixel(double worldX, double worldY) const;
    // Undefined while scale is 0: callers test that first.
    PlotWorld ToWorld(double px, double py) const;

    PlotWindow Visible() const;
    bool IsVisible(double worldX, double worldY) const;

    // The pixel centre becomes half the plot size.
    void CentrePixels() {
        pixelCentreX = width / 2;
        pixelCentreY = height / 2;
    }
    PlotViewRecord Record(int nameSize) const { return {scale, centreX, centreY, nameSize}; }
    friend bool operator==(const PlotViewport&, const PlotViewport&) = default;
};

// A whole extent fits with 15 % to spare.
inline constexpr double kFitMargin = 0.85;
// Below this (metres) an extent counts as empty: all points coincide.
inline constexpr double kEmptyExtent = 0.001;

// Both extents below kEmptyExtent: nothing to fit and nothing to draw.
bool ExtentsEmpty(const XyzExtents& extents);

// Scale that shows a north-south size dx and an east-west size dy on a plot of width x height with 15 %
// to spare.  The width decides when height / width is at least dx / dy (`tieGoesToWidth`, as FitAll
// does) or strictly above it (the rectangle zoom).  A zero dy
// (points on one north-south line) always lets the height decide.
double FitScale(double dx, double dy, int width, int height, bool tieGoesToWidth);

// FitAll steps 1-3: the view that shows all indexed points (centre the middle of the extents, pixel
// centre half the plot size), or nothing when all points coincide.
std::optional<PlotViewport> FitViewport(const XyzExtents& extents, int width, int height);

} // namespace vemo
