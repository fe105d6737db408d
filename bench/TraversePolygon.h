#pragma once
// The traverse the benchmarks run: a closed traverse round a circle from (50000, -20000), angles to whole
// seconds and distances to millimetres as a field book holds them.

#include "core/geometry/Angles.h"
#include "core/geometry/Inverse.h"
#include "core/store/Store.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsInput.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsTable.h"

#include <cmath>
#include <string>
#include <vector>

namespace vemo::bench {

struct PolygonShape {
    int stations = kTrvsMaxRows;
    bool radialHalf = false;     // every second row a radial sight (K)
    bool distanceNoise = false;  // distances off by -1, 0 or +1 mm in turn, for a misclosure to distribute
    int blunderRow = -1;         // a row whose angle is typed wrong
    double blunderDegrees = 0.0; // by this much
};

struct TraversePolygon {
    TrvsHeader header;
    TrvsTable table;
    TrvsOptions options;
    Store store;
    TrvsKnownPoints known{store};

    explicit TraversePolygon(const PolygonShape& shape) {
        const int n = shape.stations;
        std::vector<double> x(n), y(n);
        for (int k = 0; k < n; ++k) {
            const double a = 2 * M_PI * k / n;
            x[k] = 50000 + 3000 * std::cos(a);
            y[k] = -20000 - 3000 * std::sin(a); // anticlockwise on the plane: interior angles
        }
        auto dir = [&](int from, int to) { return *InversePoints(x[from], y[from], x[to], y[to]).direction; };
        header.TrvsType = kTrvsClosed;
        header.T0No = "P0";
        header.T0X = Sprintf("%11.3f", x[0]);
        header.T0Y = Sprintf("%11.3f", y[0]);
        header.T1No = "P" + std::to_string(n - 1);
        header.T1Angle = Sprintf("%11.4f", DegToDms(dir(0, n - 1)));
        header.startIncoming = false;
        std::vector<TrvsRow> rows;
        for (int k = 0; k < n; ++k) {
            const int back = (k + n - 1) % n, fore = (k + 1) % n;
            TrvsRow row;
            row[kTrvColNo] = std::to_string(k + 1);
            row[kTrvColTm] = (shape.radialHalf && k % 2 == 1) ? "K" : "T";
            row[kTrvColTarget] = "P" + std::to_string(fore);
            const double angle =
                IncludedAngle(dir(back, k), dir(k, fore), 0) + (k == shape.blunderRow ? shape.blunderDegrees : 0.0);
            row[kTrvColHAngle] = Sprintf("%.4f", DegToDms(angle));
            row[kTrvColVAngle] = "90.0000";
            const double d = std::hypot(x[fore] - x[k], y[fore] - y[k]);
            row[kTrvColSlope] = Sprintf("%.3f", d + (shape.distanceNoise ? ((k % 3) - 1) * 0.001 : 0.0));
            rows.push_back(row);
        }
        rows[0][kTrvColInstH] = rows[0][kTrvColTargetH] = "0.000";
        table.SetRows(rows, "T");
    }
    TrvsInput Input() const { return {header, table, options, known}; }
};

} // namespace vemo::bench
