#pragma once

#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"

#include <string>
#include <vector>

namespace vemo::test {

// A traverse window's worth of data: coordinate list, header, table, options and computation state.
struct TrvsFixture {
    Store store;
    TrvsHeader header;
    TrvsTable table;
    TrvsOptions options;
    TrvsState state;
    TrvsKnownPoints known{store};

    TrvsFixture() { header.Reset(options, "26/12/09"); }

    TrvsInput Input() const { return {header, table, options, known}; }

    // Points of the coordinate list: name, X, Y, Z.
    void AddPoint(const std::string& name, const std::string& x, const std::string& y, const std::string& z = "0.000") {
        XyzRow row;
        row[kColName] = name;
        row[kColX] = x;
        row[kColY] = y;
        row[kColZ] = z;
        if (store.xyz.RowCount() == 2 && store.xyz.Cell(1, kColName).empty()) {
            store.xyz.SetRow(1, row);
        } else {
            store.xyz.AppendRows({row});
        }
    }

    void Start(int type, const std::string& no, const std::string& x, const std::string& y, const std::string& back,
               const std::string& angle, bool incoming) {
        header.TrvsType = type;
        header.T0No = no;
        header.T0X = x;
        header.T0Y = y;
        header.T1No = back;
        header.T1Angle = angle;
        header.startIncoming = incoming;
    }

    // Observation rows, one call per row after the first fills row 1.
    void Row(const std::string& tm, const std::string& target, const std::string& h, const std::string& v,
             const std::string& s, const std::string& inst = "", const std::string& back = "",
             const std::string& ih = "", const std::string& th = "") {
        TrvsRow cells;
        cells[kTrvColNo] = std::to_string(rows.size() + 1);
        cells[kTrvColTm] = tm;
        cells[kTrvColInst] = inst;
        cells[kTrvColBack] = back;
        cells[kTrvColTarget] = target;
        cells[kTrvColHAngle] = h;
        cells[kTrvColVAngle] = v;
        cells[kTrvColSlope] = s;
        cells[kTrvColInstH] = ih;
        cells[kTrvColTargetH] = th;
        if (rows.empty()) {
            cells[kTrvColInstH] = ih.empty() ? "0.000" : ih;
            cells[kTrvColTargetH] = th.empty() ? "0.000" : th;
        }
        rows.push_back(cells);
        const bool zCalc = table.ZCalc();
        table.SetRows(rows, "K");
        table.SetZCalc(zCalc);
    }

    std::vector<TrvsRow> rows;
};

// CP932 lines back to UTF-8 for readable comparisons.
inline std::vector<std::string> Utf8Lines(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        out.push_back(Cp932ToUtf8(line));
    }
    return out;
}

} // namespace vemo::test
