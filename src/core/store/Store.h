#pragma once

#include "core/store/BlockList.h"
#include "core/store/UndoHistory.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"

#include <memory>
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
    // The source the data's terms of use require to be named, "出典：…" (core/files/DataSource.h): kept
    // in the data set's profile and printed on its reports; empty when the data name none.
    std::string Source;
};

// UpdateCaption: "Case - Xyz - Blk [Vemo]", "Case - Xyz [Vemo]", "Case [Vemo]" or "[Vemo]".
std::string CaptionText(const CurrentNames& names);

// The one working set of the program, owned by the workspace and used directly by every tool.
//
// The name index follows the coordinate list by itself: every change of the rows or of a name, X or Y
// cell marks it stale, and the next lookup rebuilds it, so no lookup sees a list that is gone.  A
// rebuild that meets a complete row whose X or Y is not a number throws the conversion message and
// keeps the index of the last good rebuild; the same message comes again at every lookup until the
// list changes.
class Store {
public:
    Store();
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    XyzList xyz;                      // XyzList
    BlockList blocks;                 // BlockList
    CurrentNames names;               // the folders and file stems the data came from
    UndoHistory history{xyz, blocks}; // after the lists: it detaches from them when the store goes

    // The index of the list as it stands (rebuilt first when the list changed since the last rebuild).
    const XyzNameIndex& Index() const;
    // The index for drawing, which must not stop on a bad cell: the current one when the list converts,
    // else the one of the last good rebuild.
    const XyzNameIndex& IndexForDrawing() const noexcept;
    // RebuildNameIndex: brings the index up to date now, for the places that want a bad cell reported
    // at a known moment (and with the busy cursor) rather than at the next lookup.
    void RebuildNameIndex() const { Index(); }
    bool IndexIsStale() const { return stale_; }

    std::optional<PointXY> FindPointXY(std::string_view name) const { return Index().Find(name); }

private:
    class ListWatch;
    void MarkIndexStale();

    mutable XyzNameIndex index_;
    mutable bool stale_ = true;
    mutable std::string failure_; // the conversion message of the last failed rebuild, until a change
    std::unique_ptr<ListWatch> watch_;
};

// FindPointRow: linear search of the list itself (it sees unsaved edits).  mode 0: rows 1 .. end
// downward; mode 1: from the row below currentRow downward; mode 2: from the row above currentRow
// upward to row 1.  Pattern "A1" exact, "A1*" prefix, "*A1*" anywhere (byte-wise), "*A1", "*" and
// "" nothing.  Returns the row, 0 when none matches (or for an unknown mode).
int FindPointRow(const XyzList& list, int mode, std::string_view pattern, int currentRow);
// The first row whose name is exactly `name` (asterisks included), 0 when none.
int FindNameRow(const XyzList& list, std::string_view name);

} // namespace vemo
