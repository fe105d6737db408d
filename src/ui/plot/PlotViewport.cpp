#include "ui/plot/PlotViewport.h"

#include <algorithm>
#include <cmath>

namespace vemo {

namespace {

// Pixel coordinates of far-away points only matter for range tests, so clamping them keeps the int
// conversion defined without changing any visible result.
constexpr double kPixelClamp = 1e9;

int ClampToInt(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    return static_cast<int>(std::clamp(v, -kPixelClamp, kPixelClamp));
}

} // namespace

double PlotViewport::PixelXOf(double worldY) const {
    return std::trunc((worldY - centreY) * scale + pixelCentreX);
}

double PlotViewport::PixelYOf(double worldX) const {
    return std::trunc((centreX - worldX) * scale + pixelCentreY);
}

PlotPixel PlotViewport::ToPixel(double worldX, double worldY) const {
    return {ClampToInt(PixelXOf(worldY)), ClampToInt(PixelYOf(worldX))};
}

PlotWorld PlotViewport::ToWorld(double px, double py) const {
    return {centreX - (py - pixelCentreY) / scale, centreY - (pixelCentreX - px) / scale};
}

PlotWindow PlotViewport::Visible() const {
    PlotWindow w;
    w.bottom = centreX - (height - pixelCentreY) / scale;
    w.top = centreX + pixelCentreY / scale;
    w.left = centreY - pixelCentreX / scale;
    w.right = centreY + (width - pixelCentreX) / scale;
    return w;
}

bool PlotViewport::IsVisible(double worldX, double worldY) const {
    const PlotWindow w = Visible();
    return worldX >= w.bottom && worldX <= w.top && worldY >= w.left && worldY <= w.right;
}

bool ExtentsEmpty(const XyzExtents& e) {
    return e.maxX - e.minX < kEmptyExtent && e.maxY - e.minY < kEmptyExtent;
}

double FitScale(double dx, double dy, int width, int height, bool tieGoesToWidth) {
    if (dy == 0) {
        return height * kFitMargin / dx;
    }
    const double plotRatio = static_cast<double>(height) / width;
    const double dataRatio = dx / dy;
    const bool widthDecides = tieGoesToWidth ? plotRatio >= dataRatio : plotRatio > dataRatio;
    return widthDecides ? width * kFitMargin / dy : height * kFitMargin / dx;
}

std::optional<PlotViewport> FitViewport(const XyzExtents& e, int width, int height) {
    if (ExtentsEmpty(e) || width <= 0 || height <= 0) {
        return std::nullopt;
    }
    PlotViewport v;
    v.width = width;
    v.height = height;
    v.CentrePixels();
    v.centreX = (e.minX + e.maxX) / 2;
    v.centreY = (e.minY + e.maxY) / 2;
    v.scale = FitScale(e.maxX - e.minX, e.maxY - e.minY, width, height, true);
    return v;
}

} // namespace vemo
