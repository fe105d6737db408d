#pragma once

#include "core/store/BlockList.h"
#include "core/store/UndoHistory.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// The folders and file stems that say where the data came from.  Folders have no trailing separator.
struct CurrentNames {
    std::string ExeDir;    // program folder: settings file and auto-save files
    std::string DatDir;    // data folder root
    std::string TmpDir;    // folder of the link files
    std::string CaseName;  // site folder under DatDir; empty when none
    std::string XyzName;   // stem of the coordinate file; empty for new, unsaved coordinates
    std::string BlkName;   // stem of the parcel file; empty when none
    std::string ParamFile; // file named on the command line, emptied once opened
};

// UpdateCaption: "Case - Xyz - Blk [Vemo]", "Case - Xyz [Vemo]", "Case [Vemo]" or "[Vemo]".
std::string CaptionText(const CurrentNames& names);

// The points the plot drew last (names, X, Y), filled by each paint and searched by picking.
struct XyzImagePoints {
    std::vector<std::string> names;
    std::vector<double> x;
    std::vector<double> y;
    void Clear() {
        names.clear();
        x.clear();
        y.clear();
    }
};

// The one working set of the program, owned by the main window and used directly by every tool.
struct Store {
    XyzList xyz;        // XyzList
    BlockList blocks;   // BlockList
    XyzNameIndex index; // XyzNameIndex
    CurrentNames names;
    XyzImagePoints imagePoints;
    UndoHistory history{xyz, blocks}; // after the lists: it detaches from them when the store goes

    void RebuildNameIndex() { index.Rebuild(xyz); }
    std::optional<PointXY> FindPointXY(std::string_view name) const { return index.Find(name); }
};

// FindPointRow: linear search of the list itself (it sees unsaved edits).  mode 0: rows 1 .. end
// downward; mode 1: from the row below currentRow downward; mode 2: from the row above currentRow
// upward to row 1.  Pattern "A1" exact, "A1*" prefix, "*A1*" anywhere (byte-wise), "*A1", "*" and
// "" nothing.  Returns the row, 0 when none matches (or for an unknown mode).
int FindPointRow(const XyzList& list, int mode, std::string_view pattern, int currentRow);

} // namespace vemo
