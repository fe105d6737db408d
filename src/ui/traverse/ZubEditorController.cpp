#include "ui/traverse/ZubEditorController.h"

#include "core/settings/Settings.h"
#include "core/text/MessagesTrvsWindow.h"
#include "ui/common/Workspace.h"
#include "ui/traverse/ZubEditorPanel.h"

namespace vemo {

ZubEditorController::ZubEditorController(Workspace& workspace, ZubEditorPanel& panel,
                                         std::function<QString()> siteFolder)
    : workspace_(workspace), panel_(panel), siteFolder_(std::move(siteFolder)) {}

void ZubEditorController::SetReceiver(std::function<bool(const std::string&)> receive) {
    receive_ = std::move(receive);
}

void ZubEditorController::Receive() {
    if (receive_ && receive_(workspace_.programFolder())) {
        panel_.Reload(workspace_.programFolder());
    }
}

void ZubEditorController::Reload() {
    panel_.Reload(workspace_.programFolder());
}

void ZubEditorController::Open() {
    panel_.Open(siteFolder_());
}

void ZubEditorController::Save(bool askName) {
    panel_.Save(siteFolder_(), workspace_.settings().Data.Backup, askName);
}

bool ZubEditorController::Modified() const {
    return panel_.Modified();
}

std::string ZubEditorController::UnsavedQuestion() const {
    return msg::ZubBookUnsaved();
}

void ZubEditorController::AutoSave(bool forced) {
    panel_.AutoSave(workspace_.programFolder(), forced);
}

void ZubEditorController::Clear() {
    panel_.Clear();
}

} // namespace vemo
