#pragma once

#include "ui/plot/PlotPointsRenderer.h"
#include "ui/plot/PlotSettings.h"
#include "ui/plot/PlotViewport.h"
#include "ui/plot/XyzImagePoints.h"

#include <string>
#include <vector>

class QImage;

namespace vemo {

class Store;

// What one repaint of the plot's base picture depends on.
struct PlotSceneState {
    PlotViewport view;
    int nameSize = 5;
    bool pointNames = true;   // ImgPNameDisp
    bool hideNames = false;   // the Shift key is held while the plot repaints
    bool parcels = true;      // ImgBlkDisp
    bool parcelNames = true;  // ImgBlkNameDisp
    bool editorShown = false; // the parcel editor is shown: parcels always drawn, in full colour
    // Points whose names go before all others where names crowd (CP932): the marked point and the
    // coordinate list's current point.
    std::vector<std::string> namedFirst;
};

// The base picture of the plot (paint steps 1, 2, 3 and 5): background, points with names, registered
// parcels with their names.  Keeps the points it drew for picking.  Everything the tools draw on top
// (highlights, the ring being edited, calculation lines, marks) is painted over it.
class PlotScene {
public:
    void Render(QImage& image, const Store& store, const PlotSettings& settings, const PlotSceneState& state);
    // The points the last Render drew, in drawing order (none before the first).
    const XyzImagePoints& DrawnPoints() const { return drawn_; }
    // For each of DrawnPoints(): 1 when its name was drawn (there was room for it), else 0.
    const std::vector<unsigned char>& NamesDrawn() const;

private:
    void RenderParcels(QImage& image, const Store& store, const PlotSettings& settings, const PlotSceneState& state);

    PlotPointsRenderer points_;
    XyzImagePoints drawn_;
    bool pointsDrawn_ = false;
};

} // namespace vemo
