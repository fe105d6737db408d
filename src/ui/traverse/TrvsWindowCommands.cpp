#include "ui/traverse/TrvsWindow.h"

#include "core/files/DataPaths.h"
#include "core/settings/ProgramFolder.h"

#include "core/io/SafeReplace.h"
#include "core/print/ReportLine.h"
#include "core/settings/Settings.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesNotices.h"
#include "core/text/MessagesTraverse.h"
#include "core/text/MessagesTrvsWindow.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/ComputeRawTraverse.h"
#include "core/traverse/RegisterTraverse.h"
#include "core/traverse/TrvsBlunder.h"
#include "core/traverse/TrvsEntry.h"
#include "core/traverse/TrvsFile.h"
#include "core/traverse/TrvsListing.h"
#include "core/traverse/TrvsPrecision.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/StatusNotice.h"
#include "ui/common/Workspace.h"
#include "ui/print/ReportPrinter.h"
#include "ui/traverse/PrecisionBox.h"
#include "ui/traverse/TrvsGrid.h"
#include "ui/traverse/TrvsHeaderPanel.h"
#include "ui/traverse/TrvsPlot.h"
#include "ui/traverse/TrvsWindowMode.h"
#include "ui/tree/FileDialog.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>

namespace vemo {
namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

FileDialog::Request TrvRequest(const QString& folder) {
    return {U("Trv Format File"), U("Trv files (*.Trv)|*.Trv"), U("Trv"), folder};
}

} // namespace

void TrvsWindow::RunGuarded(const std::function<void()>& command, const QString& stepName) {
    RunCommand(command, this, stepName);
    UpdateModifiedMark();
}

std::string TrvsWindow::TraverseBytes() const {
    return EncodeTrvFile(header_, table_);
}

bool TrvsWindow::Modified() const {
    return ShownMode().Modified();
}

void TrvsWindow::MarkTraverseSaved() {
    savedTrvBytes_ = TraverseBytes();
    autoTrvBytes_ = savedTrvBytes_;
    UpdateModifiedMark();
}

bool TrvsWindow::ConfirmDrop() {
    // What is being typed counts: an open cell editor or header field gives its text up first.
    grid_->CommitEdit();
    if (QWidget* focus = QApplication::focusWidget(); focus != nullptr && headerPanel_->isAncestorOf(focus)) {
        focus->clearFocus();
    }
    UpdateModifiedMark();
    if (!Modified()) {
        return true;
    }
    const QString text = FromCp932(ShownMode().UnsavedQuestion());
    const auto answer =
        MessageBox::Ask(this, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Discard) {
        return true;
    }
    if (answer != QMessageBox::Save) {
        return false;
    }
    bool saved = false;
    RunCommand(
        [&] {
            ShownMode().Save();
            saved = !Modified(); // a cancelled save dialog keeps the window open
        },
        this);
    UpdateModifiedMark();
    return saved;
}

// The open site in the data folder in use (the second or third one when the surveyor switched), under
// the name it has on disk.
QString TrvsWindow::SiteFolder() const {
    const CurrentNames& names = workspace_.store().names;
    return PathText(vemo::SiteFolder(PathFromCp932(names.DatDir), names.CaseName));
}

TrvsInput TrvsWindow::Input() const {
    return TrvsInput{header_, table_, options_, known_};
}

void TrvsWindow::NewTraverse() {
    state_.NewTraverse();
    plot_->NewShowing();
    Reset();
}

void TrvsWindow::OpenTrv() {
    const QString path = FileDialog::getOpenFileName(this, TrvRequest(SiteFolder()));
    if (!path.isEmpty()) {
        OpenTrvFile(NativePath(path).string());
    }
}

// The file is read and checked completely before anything on screen changes: a damaged file leaves
// the traverse being worked on as it was.
void TrvsWindow::OpenTrvFile(const std::string& path) {
    TrvsHeader header = header_;
    TrvsTable table = table_;
    LoadTrvFile(path, options_, TodayText(), header, table);
    header_ = header;
    table_ = table;
    trvPath_ = path;
    LoadSurveyClass();
    if (mode_ != Mode::Traverse) {
        ShowTraverse();
    }
    TraverseLoaded();
    MarkTraverseSaved();
    SetCaption(U("トラバース計算 - ") + PathText(path));
}

// The rows are shown as they are held: their TM letters are the surveyor's (or the file's), not
// derived from the type.
void TrvsWindow::TraverseLoaded() {
    SetZCalc(table_.ZCalc());
    ShowType();
    grid_->setFocus();
    grid_->SetCursor(1, kTrvColTarget);
    plot_->NewShowing();
    Recompute();
}

void TrvsWindow::SaveTrv(bool askName) {
    if (table_.RowCount() < 2) {
        return;
    }
    std::string path = trvPath_;
    if (askName || path.empty()) {
        // The dialog proposes the current file (QFileDialog selects a file given as its folder).
        FileDialog::Request request = TrvRequest(trvPath_.empty() ? SiteFolder() : PathText(trvPath_));
        const QString chosen = FileDialog::getSaveFileName(this, request);
        if (chosen.isEmpty()) {
            return;
        }
        path = NativePath(chosen).string();
    }
    SaveTrvFile(path);
}

void TrvsWindow::SaveTrvFile(const std::string& path) {
    vemo::SaveTrvFile(path, header_, table_, workspace_.settings().Data.Backup);
    trvPath_ = path;
    KeepSurveyClass();
    MarkTraverseSaved();
    SetCaption(U("トラバース計算 - ") + PathText(path));
}

void TrvsWindow::AutoSave() {
    RunGuarded([this] { ShownMode().AutoSave(false); });
}

void TrvsWindow::ForceAutoSave() {
    ShownMode().AutoSave(true);
}

// Every computation first writes "Auto.Trv" when the traverse changed: what was typed up to a
// computation survives a crash.  The file last written (or loaded) is never replaced by the same
// content, nor by an empty table, so that opening and closing the window keeps the only copy.
void TrvsWindow::AutoSaveTraverse(bool forced) {
    const std::string bytes = TraverseBytes();
    if (table_.RowCount() < 2 || IsEmptyTraverse(header_, table_) || (!forced && bytes == autoTrvBytes_)) {
        return;
    }
    SaveAutoTrv(workspace_.programFolder(), header_, table_);
    autoTrvBytes_ = bytes;
}

void TrvsWindow::Recompute() {
    RunGuarded([this] {
        ComputeRawTraverse(state_, Input());
        plot_->Fit();
    });
}

// A misclosure beyond the plausibility limits is named before any adjusted value is shown.
void TrvsWindow::WarnOfBlunder(const TrvsPrecision& precision) {
    if (auto warning = TraverseBlunderWarning(precision, BlunderLimits())) {
        const std::string blunder = LocatedBlunder();
        MessageBox::ShowCp932(this, blunder.empty() ? *warning : *warning + "\n\n" + blunder,
                              MessageBox::Kind::Warning);
    }
}

// A start or end point computed from 0.000 / 0.000 because its name is nowhere: said before the
// results are shown.  True when the command goes on.
bool TrvsWindow::AcceptUnplacedEnds(bool ask) {
    const std::optional<std::string> message = UnplacedEndPointMessage(header_, known_);
    if (!message) {
        return true;
    }
    if (!ask) {
        MessageBox::ShowCp932(this, *message, MessageBox::Kind::Warning);
        return true;
    }
    return MessageBox::Ask(this, FromCp932(msg::RegisterAnyway(*message)), QMessageBox::Yes | QMessageBox::No,
                           QMessageBox::No) == QMessageBox::Yes;
}

TrvsBlunderLimits TrvsWindow::BlunderLimits() const {
    return {options_.BlunderAngle, options_.BlunderRatio};
}

void TrvsWindow::ShowPrecision() {
    AutoSaveTraverse(false);
    AcceptUnplacedEnds(false);
    const std::optional<TrvsPrecision> precision = AdjustTraverse(state_, Input());
    if (!precision) {
        return;
    }
    WarnOfBlunder(*precision);
    WriteComputationListing();
    std::vector<std::string> lines = PrecisionDialogLines(header_.TrvsType, *precision);
    for (std::string& line : JudgementListing()) {
        lines.push_back(std::move(line));
    }
    PrecisionBox box(lines, this);
    box.exec();
}

void TrvsWindow::RegisterPoints() {
    AutoSaveTraverse(false);
    if (!AcceptUnplacedEnds(true)) {
        return;
    }
    const std::optional<TrvsRegistration> plan = PlanTraverseRegistration(state_, Input());
    if (!plan) {
        return;
    }
    if (plan->precision) {
        if (auto warning = TraverseBlunderWarning(*plan->precision, BlunderLimits())) {
            const QString question = FromCp932(msg::RegisterAnyway(*warning));
            if (MessageBox::Ask(this, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) !=
                QMessageBox::Yes) {
                return;
            }
        }
    }
    if (!AcceptFailingClass()) {
        return;
    }
    // A traverse computed again after a correction may replace the points it registered before.
    const auto askReplace = [this](const std::vector<std::string>& held) {
        return MessageBox::Ask(this, FromCp932(msg::ReplacePointsQuestion(held)), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
    };
    BusyCursor busy;
    const std::vector<std::string> names = WrittenTraversePoints(plan->points, workspace_.store().xyz);
    WriteTraverseRegistration(plan->points, workspace_.store().xyz, askReplace);
    // The store announced the new rows: the name index is rebuilt at the next lookup and the plots
    // redraw on the workspace's notification.
    plot_->update();
    WriteComputationListing();
    const std::string registered = msg::PointsRegisteredNamed(names);
    status_->showMessage(FromCp932(registered));
    MessageBox::ShowCp932(this, registered, MessageBox::Kind::Information);
}

void TrvsWindow::WriteComputationListing() {
    std::vector<std::string> lines;
    try {
        vemo::AppendInputListing(lines, header_, table_);
        if (header_.TrvsType == kTrvsClosed || header_.TrvsType == kTrvsConnected) {
            AdjustTraverse(state_, Input(), &lines);
        } else {
            ComputeRawTraverse(state_, Input(), &lines);
        }
    } catch (const Error&) {
        return; // the computation itself went through: a listing it cannot write is left as it was
    }
    // What the surveyor typed into the listing or added with the menu stays: the listing goes below.
    if (!listing_->document()->isModified()) {
        listing_->clear();
    }
    AppendListing(lines);
    listing_->document()->setModified(false);
    SetListingShown(true);
    status_->showMessage(FromCp932(msg::ListingWritten()));
}

void TrvsWindow::AppendListing(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        listing_->appendPlainText(FromCp932(line));
    }
}

void TrvsWindow::AppendInputListing() {
    SetListingShown(true);
    std::vector<std::string> lines;
    try {
        vemo::AppendInputListing(lines, header_, table_);
    } catch (const Error&) {
        AppendListing(lines); // the lines before the bad cell stay, as the listing was written
        throw;
    }
    AppendListing(lines);
}

void TrvsWindow::AppendResultListing() {
    AutoSaveTraverse(false);
    SetListingShown(true);
    AcceptUnplacedEnds(false);
    std::vector<std::string> lines;
    try {
        if (header_.TrvsType == kTrvsClosed || header_.TrvsType == kTrvsConnected) {
            if (auto precision = AdjustTraverse(state_, Input(), &lines)) {
                WarnOfBlunder(*precision);
                for (std::string& line : JudgementListing()) {
                    lines.push_back(std::move(line));
                }
            }
        } else {
            ComputeRawTraverse(state_, Input(), &lines);
        }
    } catch (const Error&) {
        AppendListing(lines); // the lines before the bad cell stay, as the listing was written
        throw;
    }
    AppendListing(lines);
}

// The listing panel as report lines: what the surveyor sees (and may have edited) is what prints.
std::vector<std::string> TrvsWindow::ListingLines() const {
    std::vector<std::string> lines;
    for (QTextBlock block = listing_->document()->begin(); block.isValid(); block = block.next()) {
        lines.push_back(ToCp932OrThrow(block.text()));
    }
    return lines;
}

namespace {

std::function<void(QPrinter&, const PrintProgress&)> ListingPainter(const std::vector<std::string>& text) {
    std::vector<ReportLine> lines;
    for (const std::string& line : text) {
        lines.push_back({line});
    }
    return [lines](QPrinter& printer, const PrintProgress& progress) {
        ReportPrinter::printLines(printer, lines, progress);
    };
}

} // namespace

void TrvsWindow::PrintListing() {
    PreviewReport(this, U("トラバース計算"), ListingPainter(ListingLines()));
}

void TrvsWindow::PrintListingToPdf(const QString& path) {
    PrintReportToPdf(path, U("トラバース計算"), ListingPainter(ListingLines()));
}

void TrvsWindow::SaveListing() {
    const QString path = FileDialog::getSaveFileName(
        this, {U("トラバース計算リスト"), U("Text files (*.txt)|*.txt"), U("txt"), SiteFolder()});
    if (path.isEmpty()) {
        return;
    }
    std::string bytes;
    for (const std::string& line : ListingLines()) {
        bytes += line + "\r\n";
    }
    // Replaced whole: a full disk leaves the previous listing rather than half of the new one.
    ReplaceFile({NativePath(path), bytes, {}});
    ShowStatusNotice(this, FileWrittenNotice(msg::TraverseListingKind(), path));
}

void TrvsWindow::InsertRow() {
    if (!grid_->HasFocusWithin()) {
        return;
    }
    grid_->CommitEdit();
    table_.InsertRow(grid_->CurrentRow(), LegLetter(header_.TrvsType));
    grid_->Refill();
}

void TrvsWindow::DeleteRow() {
    if (!grid_->HasFocusWithin()) {
        return;
    }
    grid_->CommitEdit();
    const int row = grid_->CurrentRow();
    const int col = grid_->CurrentCol();
    table_.DeleteRow(row, LegLetter(header_.TrvsType));
    grid_->Refill();
    grid_->SetCursor(std::min(row, table_.ObservationRows()), col);
    Recompute();
}

void TrvsWindow::ToggleTm() {
    table_.ToggleTm(grid_->CurrentRow(), header_.TrvsType);
    grid_->Refill();
    plot_->update();
}

} // namespace vemo
