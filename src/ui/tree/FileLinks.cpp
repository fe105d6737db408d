// The link files other programs read while this one is in the background: the coordinate list (or the
// selection) as "Xyz.txt", read back when the surveyor returns, and the parcels as "Vemo_Blk.Txt".
#include "ui/tree/FileCommands.h"

#include "core/files/DataPaths.h"
#include "core/files/FileIo.h"
#include "core/files/ParcelLink.h"
#include "core/files/XyzFile.h"
#include "core/parcels/SelectionList.h"
#include "core/settings/Settings.h"
#include "core/store/Store.h"
#include "ui/common/BusyCursor.h"
#include "ui/tree/FileCommandHost.h"

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
        const bool linkWritten = linkWritten_;
        linkWritten_ = false;
        if (!linkWritten || !host_.dataCommandsEnabled() || host_.isSelectionPanelShown() ||
            !CoordinateLinkWanted(settings_.Data.XyzOutType, host_.isAreaShown(FileArea::XyzList))) {
            return;
        }
        const bool wasEmpty = store_.xyz.RowCount() <= 2;
        bool read = false;
        {
            BusyCursor busy;
            read = ReadXyzFile(tmpDir() / kXyzLinkFileName, store_.xyz, XyzReadMode::Replace);
        }
        if (!read) {
            message(QStringLiteral("File Open Error !!"));
            return;
        }
        // The plot redraws itself for the reloaded list; a list that was empty is fitted as well.
        if (wasEmpty) {
            host_.showAllPoints();
        }
        if (host_.isAreaShown(FileArea::XyzList)) {
            host_.focusGrid();
        }
    });
}

void FileCommands::applicationDeactivated() {
    linkWritten_ = false;
    run([this] {
        const fs::path link = tmpDir() / kXyzLinkFileName;
        if (host_.isSelectionPanelShown()) {
            // The selected points with their whole rows, in selection order; no file for fewer than two.
            std::vector<XyzRow> rows = SelectionLinkRows(store_.xyz, host_.selectionNames());
            if (!rows.empty()) {
                WriteFileAtomic(link, FormatXyzText(rows), false);
            }
        } else if (host_.dataCommandsEnabled() &&
                   CoordinateLinkWanted(settings_.Data.XyzOutType, host_.isAreaShown(FileArea::XyzList))) {
            WriteXyzFile(link, store_.xyz);
            linkWritten_ = true;
        }
        if (host_.isAreaShown(FileArea::BlockEdit) || store_.blocks.Count() > 0) {
            const std::vector<int> positions =
                LinkParcelPositions(settings_.Data.BlkOutType, store_.blocks.Count(), host_.selectedParcels());
            WriteParcelLinkFile(tmpDir() / kParcelLinkFileName, store_.blocks, positions, store_.xyz, store_.Index());
        }
    });
}

} // namespace vemo
