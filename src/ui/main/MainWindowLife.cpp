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

#include <QCloseEvent>
#include <QStatusTipEvent>

namespace vemo {
namespace {

constexpr std::array<Cmd, 5> kProgramCommands = {Cmd::Program1, Cmd::Program2, Cmd::Program3, Cmd::Program4,
                                                 Cmd::Program5};

} // namespace

void MainWindow::readSettings() {
    iniPath_ = SettingsFilePath(programFolder_);
    LoadedSettings loaded = LoadSettings(iniPath_, programFolder_);
    settings_ = std::move(loaded.values);
    startMessages_ = std::move(loaded.messages);
    normalAtStart_ = settings_.Exit.Normal;

    // Folders of the store are CP932 like all core text.
    store_.names.ExeDir = PathToCp932(programFolder_);
    store_.names.DatDir = settings_.Dir.DatDir;
    store_.names.TmpDir = settings_.Dir.TmpDir;
}

void MainWindow::applySettings() {
    applyAutoSaveSettings();
    applyProgramCommands();
    widths_[static_cast<int>(Area::DataTree)] = settings_.Exit.DatTreeWidth;
    widths_[static_cast<int>(Area::BlockEdit)] = settings_.Exit.BlockEditWidth;
    // The list is as wide as its columns need; only with ChWidth may the surveyor drag it wider or
    // narrower, and then the width of the last run comes back.
    const bool freeListWidth = settings_.XyzList.ChWidth;
    widths_[static_cast<int>(Area::XyzList)] =
        freeListWidth && settings_.XyzList.Width > 0 ? settings_.XyzList.Width : defaultXyzListWidth();
    if (!freeListWidth) {
        area(Area::XyzList)->setFixedWidth(defaultXyzListWidth());
    }
    commands_->setChecked(Cmd::ImgBlkDisp, settings_.XyzImage.BlkDisp);
    commands_->setChecked(Cmd::ImgBlkNameDisp, settings_.XyzImage.BlkNameDisp);
    commands_->setChecked(Cmd::ImgPNameDisp, settings_.XyzImage.NoStr);
    keyRules_->setUpperChr(settings_.Key.UpperChr);
    // A window size or interval in the file that is not a number: say so and go on with the default.
    for (const std::string& message : startMessages_) {
        MessageBox::ShowCp932(this, message, MessageBox::Kind::Warning);
    }
}

void MainWindow::applyAutoSaveSettings() {
    autoSave_->configure(settings_.Data.AutoSave, settings_.Data.AutoSaveInterval);
}

// An external program without a title is not registered: "未登録", disabled, no hint.
void MainWindow::applyProgramCommands() {
    for (size_t n = 0; n < kProgramCommands.size(); ++n) {
        const std::string& title = settings_.Programs.Title[n];
        const Cmd id = kProgramCommands[n];
        commands_->setCaption(id, title.empty() ? QStringLiteral("未登録") : FromCp932(title));
        commands_->setHint(id, title.empty() ? QString() : FromCp932(settings_.Programs.Hint[n]));
        commands_->setEnabled(id, !title.empty());
    }
}

// Normal = false goes to the file at once: a run that ends without closing this window leaves it so,
// and the next start restores the auto-save files.
void MainWindow::markRunStarted() {
    RunCommand([this] { MarkRunStarted(iniPath_); }, this);
}

void MainWindow::writeWindowState() {
    for (const auto& handler : closeHandlers_) {
        RunCommand(handler, this);
    }
    WindowState state;
    state.selectedDat = selectedTreeNode_;
    state.datTreeWidth = areaWidth(Area::DataTree);
    state.blockEditWidth = areaWidth(Area::BlockEdit);
    state.blockNoWidth = settings_.Exit.BlockNoWidth;
    state.blkDisp = commands_->isChecked(Cmd::ImgBlkDisp);
    state.blkNameDisp = commands_->isChecked(Cmd::ImgBlkNameDisp);
    state.xyzListWidth = areaWidth(Area::XyzList);
    RunCommand([this, &state] { SaveWindowState(iniPath_, state); }, this);
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
    emit firstShown(!normalAtStart_);
}

// The long part of a hint goes to status panel 2 instead of replacing the panels.
bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        status_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::addIdleHandler(std::function<void()> handler) {
    idleHandlers_.push_back(std::move(handler));
}

void MainWindow::addCloseHandler(std::function<void()> handler) {
    closeHandlers_.push_back(std::move(handler));
}

void MainWindow::runIdle() {
    status_->setLocks(lockKeys_->capsLock(), lockKeys_->numLock());
    for (size_t i = 0; i < idleHandlers_.size();) {
        if (RunCommand(idleHandlers_[i], this)) {
            ++i;
        } else {
            // A failing rule would show its message at every idle pass: it is shown once and dropped.
            idleHandlers_.erase(idleHandlers_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

void MainWindow::updateCaption() {
    const QString caption = FromCp932(CaptionText(store_.names));
    setWindowTitle(caption);
    SetApplicationTitle(caption);
}

void MainWindow::onApplicationState(Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) {
        if (activationTag_ == 99) {
            activationTag_ = 0;
            return;
        }
        emit applicationActivated();
    } else if (state == Qt::ApplicationInactive) {
        emit applicationDeactivated();
    }
}

} // namespace vemo
