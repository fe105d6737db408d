#pragma once

#include "core/network/AdjustNetwork.h"
#include "core/network/Network.h"

#include <QRectF>

class QPainter;

namespace vemo {

// The plot of an adjusted network for its 平均計算書: the sight lines of the observations, the known
// points as triangles and the new points as circles with their names, and each new point's error
// ellipse drawn to an exaggerated scale (a round factor, stated in the corner: the largest half axis at
// most half the usual spacing of the new points) so that the shapes can be compared at a glance.  North is up.
void PaintNetworkPlot(QPainter& painter, const QRectF& area, const Network& network,
                      const NetworkAdjustment& adjustment);

} // namespace vemo
