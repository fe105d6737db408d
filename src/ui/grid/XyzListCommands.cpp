// The commands of the coordinate list that work on the list as a whole: the cleanup and the editor.
#include "core/edit/Cleanup.h"
#include "core/files/DataPaths.h"
#include "core/files/XyzFile.h"
#include "core/settings/ProgramFolder.h"
#include "core/store/Store.h"
#include "core/text/Error.h"
#include "core/text/MessagesNotices.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/StatusNotice.h"
#include "ui/grid/XyzCleanDialog.h"
#include "ui/grid/XyzListPanel.h"
#include "ui/grid/XyzStrGrid.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

#include <filesystem>

namespace vemo {
namespace {

std::function<bool(const QString&)>& DocumentOpener() {
    static std::function<bool(const QString&)> opener = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
    return opener;
}

} // namespace

void XyzListPanel::setDocumentOpener(std::function<bool(const QString& path)> opener) {
    DocumentOpener() = std::move(opener);
}

void XyzListPanel::clean() {
    grid_->commitEditor();
    if (cleanDialog_->exec() == QDialog::Accepted) {
        RunCommand([this] { runCleanup(cleanDialog_->request()); }, this);
    }
    grid_->setFocus();
}

void XyzListPanel::runCleanup(const CleanupRequest& request) {
    grid_->commitEditor();
    XyzList& list = store_.xyz;
    const bool increment = grid_->incrementNames();
    if (request.page == CleanupRequest::Page::Duplicates) {
        if (!request.duplicates.key.Any()) {
            return;
        }
        const int col = grid_->currentCell().col;
        grid_->setCurrentCell({1, col});
        DuplicateOptions options = request.duplicates;
        options.increment = increment;
        CleanupPlan plan;
        {
            BusyCursor busy;
            cleanDialog_->setCounter(QString::number(list.RowCount() - 3));
            plan = PlanDuplicateCleanup(list, options);
            ApplyCleanupPlan(list, plan);
            cleanDialog_->setCounter({});
        }
        grid_->setCurrentCell({1, col}); // a rebuilt list has lost the cursor
        MessageBox::ShowCp932(this, CleanupMessage(options.action, plan.count));
    } else {
        const int fromRow = request.fromCursorRow ? grid_->currentCell().row : 1;
        BusyCursor busy;
        RenumberPointNames(list, fromRow, request.firstName, increment);
    }
    rebuildIndex();
}

void XyzListPanel::rebuildIndex() {
    // The cleanup rewrote names and rows: a cell that is not a number is reported now, after it.
    RunCommand(
        [this] {
            BusyCursor busy;
            store_.RebuildNameIndex();
        },
        this);
    emit nameIndexRebuilt();
}

// ListEdit: the whole list goes to the link file, which the desktop opens in its editor.  Nothing is
// read back here: the link file is reloaded when the program is activated again.
void XyzListPanel::editInEditor() {
    grid_->commitEditor();
    std::filesystem::path path = std::filesystem::path(PathFromCp932(store_.names.TmpDir)) / kXyzLinkFileName;
    if (!RunCommand([&] { WriteXyzFile(path, store_.xyz); }, this)) {
        return;
    }
    // The desktop may have no program for text files: the surveyor is told where the list went either
    // way, so that it can be opened by hand.
    const QString written = PathText(path);
    if (DocumentOpener()(written)) {
        ShowStatusNotice(this, FileWrittenNotice(msg::XyzLinkFileKind(), written));
    } else {
        MessageBox::Show(this, FromCp932(msg::EditorNotStarted("%1")).arg(written), MessageBox::Kind::Warning);
    }
}

} // namespace vemo
