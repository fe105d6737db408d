#include "ui/tree/LinkFileCommands.h"

#include "core/files/DataPaths.h"
#include "core/files/FileIo.h"
#include "core/files/LinkFileState.h"
#include "core/files/ParcelLink.h"
#include "core/files/XyzFile.h"
#include "core/parcels/SelectionList.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/Settings.h"
#include "core/store/Store.h"
#include "core/text/MessagesFiles.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Workspace.h"
#include "ui/tree/FileCommandHost.h"

#include <algorithm>

namespace vemo {
namespace fs = std::filesystem;

namespace {

// XyzOutType: 0 never, 1 while the coordinate list is shown, 2 always.
bool CoordinateLinkWanted(int xyzOutType, bool listShown) {
    return xyzOutType == 2 || (xyzOutType == 1 && listShown);
}

fs::path LinkFolder(const Store& store) {
    return fs::path(PathFromCp932(store.names.TmpDir));
}

} // namespace

LinkFileCommands::LinkFileCommands(Workspace& workspace, FileCommandHost& host, QWidget* window)
    : workspace_(workspace), host_(host), window_(window), writeStatus_(host) {}

void LinkFileCommands::applicationActivated() {
    RunCommand(
        [this] {
            // Only a list this program wrote when it was left is read back: after a failed write the file
            // holds older rows, and reading them would undo the surveyor's latest edits.
            const bool linkWritten = link_.Written();
            link_.Forget();
            if (!linkWritten || !host_.dataCommandsEnabled() || host_.isSelectionPanelShown() ||
                !CoordinateLinkWanted(workspace_.settings().Data.XyzOutType, host_.isAreaShown(FileArea::XyzList))) {
                return;
            }
            bool missing = false;
            std::optional<std::string> bytes =
                link_.ChangedBytes(LinkFolder(workspace_.store()) / kXyzLinkFileName, missing);
            if (missing) {
                MessageBox::Show(window_, FromCp932(msg::FileOpenError()));
                return;
            }
            if (bytes) {
                reloadLinkedList(*bytes);
            }
        },
        window_);
}

// Another program changed "Xyz.txt": its rows become the list, followed by the rows that were being
// typed (the file could not carry them); the cursor stays on its row and column, or follows its typed
// row.
void LinkFileCommands::reloadLinkedList(const std::string& bytes) {
    Store& store = workspace_.store();
    std::vector<XyzRow> rows = ParseXyzText(bytes);
    const std::pair<int, int> cursor = host_.gridCursor();
    int cursorRow = cursor.first;
    const std::vector<int> typing = RowsBeingTyped(store.xyz);
    for (size_t i = 0; i < typing.size(); ++i) {
        if (typing[i] == cursor.first) {
            cursorRow = static_cast<int>(rows.size() + i) + 1;
        }
        rows.push_back(store.xyz.Row(typing[i]));
    }
    const bool wasEmpty = store.xyz.RowCount() <= 2;
    {
        BusyCursor busy;
        LoadXyzRows(store.xyz, std::move(rows), XyzReadMode::Replace);
    }
    // The plot redraws itself for the reloaded list; a list that was empty is fitted as well.
    if (wasEmpty) {
        host_.showAllPoints();
    }
    if (host_.isAreaShown(FileArea::XyzList)) {
        host_.focusGrid();
        host_.setGridCursor(std::min(cursorRow, store.xyz.RowCount() - 1), cursor.second);
    }
}

// Leaving the program writes the link files without a word; a failure is said once in the status bar
// and the next leave tries again.
void LinkFileCommands::applicationDeactivated() {
    link_.Forget();
    writeStatus_.run(FromCp932(msg::LinkFileFailed()), [this] {
        const Store& store = workspace_.store();
        const Settings& settings = workspace_.settings();
        const fs::path link = LinkFolder(store) / kXyzLinkFileName;
        if (host_.isSelectionPanelShown()) {
            // The selected points with their whole rows, in selection order; no file for fewer than two.
            std::vector<XyzRow> rows = SelectionLinkRows(store.xyz, host_.selectionNames());
            if (!rows.empty()) {
                WriteFileAtomic(link, FormatXyzText(rows), false);
            }
        } else if (host_.dataCommandsEnabled() &&
                   CoordinateLinkWanted(settings.Data.XyzOutType, host_.isAreaShown(FileArea::XyzList))) {
            link_.Write(link, FormatXyzText(store.xyz));
        }
        if (host_.isAreaShown(FileArea::BlockEdit) || store.blocks.Count() > 0) {
            const std::vector<int> positions =
                LinkParcelPositions(settings.Data.BlkOutType, store.blocks.Count(), host_.selectedParcels());
            WriteParcelLinkFile(LinkFolder(store) / kParcelLinkFileName, store.blocks, positions, store.xyz,
                                store.Index());
        }
    });
}

} // namespace vemo
