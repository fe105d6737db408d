// The point grid and the parcel editor: a parcel's vertices taken into the grid, the grid's points
// registered as a parcel.
#include "ui/calc/PointGridPage.h"

#include "core/calc/CalcEntry.h"
#include "core/store/Store.h"
#include "ui/calc/CalcGroups.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"

#include <QPushButton>
#include <QTableWidget>

namespace vemo {

void PointGridPage::updateEnabling() {
    if (!insertParcel_ || !host_.store) {
        return;
    }
    const bool editorShown = host_.parcelEditorShown && host_.parcelEditorShown();
    const bool parcelOpen = editorShown && host_.store->blocks.Count() > 0 && host_.openParcelNames &&
                            WithoutEntryRows(host_.openParcelNames()).size() >= 2;
    insertParcel_->setEnabled(parcelOpen);
    // A parcel needs three corners; a radial listing is no boundary.
    registerParcel_->setEnabled(editorShown && !radial_ && names().size() >= 3);
}

void PointGridPage::insertParcel() {
    const auto parcel = WithoutEntryRows(host_.openParcelNames ? host_.openParcelNames() : std::vector<std::string>{});
    const auto current = names();
    if (parcel.size() < 2 || (!current.empty() && current.back() == parcel.front())) {
        return;
    }
    int row = static_cast<int>(current.size()) + 1; // the entry row
    for (const std::string& name : parcel) {
        ensureRows(row);
        setCell(row, 1, FromCp932(name));
        ++row;
    }
    ensureRows(row);
    relabel();
    grid_->setCurrentCell(row - 1, 1);
    recompute();
}

void PointGridPage::registerParcel() {
    if (!host_.store || names().size() < 3) {
        return;
    }
    const bool done = RunCommand(
        [this] {
            std::vector<std::string> rows;
            for (int row = 1; row <= grid_->rowCount(); ++row) {
                rows.push_back(ToCp932OrThrow(nameAt(row).trimmed()));
            }
            Store& store = *host_.store;
            store.blocks.Add(GridParcel(rows, store.Index(), store.blocks.Count()));
        },
        this, QStringLiteral("画地登録"));
    if (!done) {
        return;
    }
    if (host_.clearParcelEditor) {
        host_.clearParcelEditor();
    }
    clear();
    focusFirstInput();
}

} // namespace vemo
