// The link files other programs read while this one is in the background: the coordinate list (or the
// selection) as "Xyz.txt", read back when the surveyor returns, and the parcels as "Vemo_Blk.Txt".
#include "ui/tree/FileCommands.h"

#include "core/files/DataPaths.h"
#include "core/files/FileIo.h"
#include "core/files/LinkFileState.h"
#include "core/files/ParcelLink.h"
#include "core/files/XyzFile.h"
#include "core/parcels/SelectionList.h"
#include "core/settings/Settings.h"
#include "core/store/Store.h"
#include "ui/common/BusyCursor.h"
#include "ui/tree/FileCommandHost.h"

#include <algorithm>

namespace vemo {
namespace fs = std::filesystem;

namespace {

// XyzOutType: 0 never, 1 while the coordinate list is shown, 2 always.
bool CoordinateLinkWanted(int xyzOutType, bool listShown) {
    return xyzOutType == 2 || (xyzOutType == 1 && listShown);
}

} // namespace

void FileCommands::applicationActivated() {
    run([this] {
        // Only a list this program wrote when it was left is read back: after a failed write the file
        // holds older rows, and reading them would undo the surveyor's latest edits.
        const bool linkWritten = link_.Written();
        link_.Forget();
        if (!linkWritten || !host_.dataCommandsEnabled() || host_.isSelectionPanelShown() ||
            !CoordinateLinkWanted(settings_.Data.XyzOutType, host_.isAreaShown(FileArea::XyzList))) {
            return;
        }
        bool missing = false;
        std::optional<std::string> bytes = link_.ChangedBytes(tmpDir() / kXyzLinkFileName, missing);
        if (missing) {
            message(QStringLiteral("File Open Error !!"));
            return;
        }
        if (bytes) {
            reloadLinkedList(*bytes);
        }
    });
}

// Another program changed "Xyz.txt": its rows become the list, followed by the rows that were being
// typed (the file could not carry them); the cursor stays on its row and column, or follows its typed
// row.
void FileCommands::reloadLinkedList(const std::string& bytes) {
    std::vector<XyzRow> rows = ParseXyzText(bytes);
    const std::pair<int, int> cursor = host_.gridCursor();
    int cursorRow = cursor.first;
    const std::vector<int> typing = RowsBeingTyped(store_.xyz);
    for (size_t i = 0; i < typing.size(); ++i) {
        if (typing[i] == cursor.first) {
            cursorRow = static_cast<int>(rows.size() + i) + 1;
        }
        rows.push_back(store_.xyz.Row(typing[i]));
    }
    const bool wasEmpty = store_.xyz.RowCount() <= 2;
    {
        BusyCursor busy;
        LoadXyzRows(store_.xyz, std::move(rows), XyzReadMode::Replace);
    }
    // The plot redraws itself for the reloaded list; a list that was empty is fitted as well.
    if (wasEmpty) {
        host_.showAllPoints();
    }
    if (host_.isAreaShown(FileArea::XyzList)) {
        host_.focusGrid();
        host_.setGridCursor(std::min(cursorRow, store_.xyz.RowCount() - 1), cursor.second);
    }
}

// Leaving the program writes the link files without a word; a failure is said once in the status bar
// and the next leave tries again.
void FileCommands::applicationDeactivated() {
    link_.Forget();
    runInBackground(BackgroundWrite::Link, QStringLiteral("Xyz.txt を出力できません: "), [this] {
        const fs::path link = tmpDir() / kXyzLinkFileName;
        if (host_.isSelectionPanelShown()) {
            // The selected points with their whole rows, in selection order; no file for fewer than two.
            std::vector<XyzRow> rows = SelectionLinkRows(store_.xyz, host_.selectionNames());
            if (!rows.empty()) {
                WriteFileAtomic(link, FormatXyzText(rows), false);
            }
        } else if (host_.dataCommandsEnabled() &&
                   CoordinateLinkWanted(settings_.Data.XyzOutType, host_.isAreaShown(FileArea::XyzList))) {
            link_.Write(link, FormatXyzText(store_.xyz));
        }
        if (host_.isAreaShown(FileArea::BlockEdit) || store_.blocks.Count() > 0) {
            const std::vector<int> positions =
                LinkParcelPositions(settings_.Data.BlkOutType, store_.blocks.Count(), host_.selectedParcels());
            WriteParcelLinkFile(tmpDir() / kParcelLinkFileName, store_.blocks, positions, store_.xyz, store_.Index());
        }
    });
}

} // namespace vemo
