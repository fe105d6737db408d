// The main window's life: the settings read at construction, the clean-exit marker, idle processing,
// activation, the caption and what the close writes.
#include "ui/main/MainWindow.h"

#include "core/settings/ProgramFolder.h"
#include "core/text/Cp932.h"
#include "ui/common/ApplicationTitle.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/LockKeys.h"
#include "ui/common/MessageBox.h"
#include "ui/main/AreaSlot.h"
#include "ui/main/AutoSaveTimer.h"
#include "ui/main/CommandSet.h"
#include "ui/main/KeyRules.h"
#include "ui/main/StatusPanels.h"
#include "ui/main/ToolRegistry.h"

#include <QCloseEvent>
#include <QStatusTipEvent>

namespace vemo {
namespace {

constexpr std::array<Cmd, 5> kProgramCommands = {Cmd::Program1, Cmd::Program2, Cmd::Program3, Cmd::Program4,
                                                 Cmd::Program5};

} // namespace

void MainWindow::applySettings() {
    applyChangedSettings();
    const Settings& values = settings();
    widths_[static_cast<int>(Area::DataTree)] = values.Exit.DatTreeWidth;
    widths_[static_cast<int>(Area::BlockEdit)] = values.Exit.BlockEditWidth;
    // The list is as wide as its columns need; only with ChWidth may the surveyor drag it wider or
    // narrower, and then the width of the last run comes back.
    const bool freeListWidth = values.XyzList.ChWidth;
    widths_[static_cast<int>(Area::XyzList)] =
        freeListWidth && values.XyzList.Width > 0 ? values.XyzList.Width : defaultXyzListWidth();
    if (!freeListWidth) {
        area(Area::XyzList)->setFixedWidth(defaultXyzListWidth());
    }
    commands_->setChecked(Cmd::ImgBlkDisp, values.XyzImage.BlkDisp);
    commands_->setChecked(Cmd::ImgBlkNameDisp, values.XyzImage.BlkNameDisp);
    commands_->setChecked(Cmd::ImgPNameDisp, values.XyzImage.NoStr);
    // A window size or interval in the file that is not a number: say so and go on with the default.
    for (const std::string& message : workspace_.startMessages()) {
        MessageBox::ShowCp932(this, message, MessageBox::Kind::Warning);
    }
}

void MainWindow::applyChangedSettings() {
    applyAutoSaveSettings();
    applyProgramCommands();
    keyRules_->setUpperChr(settings().Key.UpperChr);
}

void MainWindow::applyAutoSaveSettings() {
    autoSave_->configure(settings().Data.AutoSave, settings().Data.AutoSaveInterval);
}

// An external program without a title is not registered: "未登録", disabled, no hint.
void MainWindow::applyProgramCommands() {
    for (size_t n = 0; n < kProgramCommands.size(); ++n) {
        const std::string& title = settings().Programs.Title[n];
        const Cmd id = kProgramCommands[n];
        commands_->setCaption(id, title.empty() ? QStringLiteral("未登録") : FromCp932(title));
        commands_->setHint(id, title.empty() ? QString() : FromCp932(settings().Programs.Hint[n]));
        commands_->setEnabled(id, !title.empty());
    }
}

// Normal = false goes to the file at once: a run that ends without closing this window leaves it so,
// and the next start restores the auto-save files.
void MainWindow::markRunStarted() {
    RunCommand([this] { MarkRunStarted(settingsPath()); }, this);
}

void MainWindow::writeWindowState() {
    tools_->runClose(this);
    WindowState state;
    state.selectedDat = selectedTreeNode_;
    state.datTreeWidth = areaWidth(Area::DataTree);
    state.blockEditWidth = areaWidth(Area::BlockEdit);
    state.blockNoWidth = settings().Exit.BlockNoWidth;
    state.blkDisp = commands_->isChecked(Cmd::ImgBlkDisp);
    state.blkNameDisp = commands_->isChecked(Cmd::ImgBlkNameDisp);
    state.xyzListWidth = areaWidth(Area::XyzList);
    RunCommand([this, &state] { SaveWindowState(settingsPath(), state); }, this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    writeWindowState();
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) {
        return;
    }
    shownOnce_ = true;
    applySplitterSizes();
    area(Area::DataTree)->focusContent();
    emit firstShown(!normalAtStart());
}

// The long part of a hint goes to status panel 2 instead of replacing the panels.
bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        status_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::runIdle() {
    status_->setLocks(lockKeys_->capsLock(), lockKeys_->numLock());
    refreshSavedMark();
    tools_->runIdle(this);
}

void MainWindow::updateCaption() {
    setCaptionText(FromCp932(CaptionText(store().names)));
}

void MainWindow::setCaptionText(const QString& caption) {
    captionBase_ = caption;
    unsavedShown_ = unsaved_ && unsaved_();
    const QString shown = unsavedShown_ ? QStringLiteral("*") + caption : caption;
    setWindowTitle(shown);
    SetApplicationTitle(shown);
    status_->setUnsaved(unsavedShown_);
}

void MainWindow::refreshSavedMark() {
    if ((unsaved_ && unsaved_()) != unsavedShown_) {
        setCaptionText(captionBase_);
    }
}

void MainWindow::onApplicationState(Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) {
        if (!activatedOnce_) {
            activatedOnce_ = true;
            return;
        }
        emit applicationActivated();
    } else if (state == Qt::ApplicationInactive) {
        emit applicationDeactivated();
    }
}

} // namespace vemo
