#include "ui/traverse/TrvsWindow.h"

#include "core/files/DataPaths.h"
#include "core/settings/ProgramFolder.h"

#include "core/io/SafeReplace.h"
#include "core/print/ReportLine.h"
#include "core/settings/Settings.h"
#include "core/text/Error.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/ComputeRawTraverse.h"
#include "core/traverse/RegisterTraverse.h"
#include "core/traverse/TrvsFile.h"
#include "core/traverse/TrvsListing.h"
#include "core/traverse/TrvsPrecision.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Workspace.h"
#include "ui/print/ReportPrinter.h"
#include "ui/traverse/PrecisionBox.h"
#include "ui/traverse/TrvsGrid.h"
#include "ui/traverse/TrvsHeaderPanel.h"
#include "ui/traverse/TrvsPlot.h"
#include "ui/traverse/ZubEditorPanel.h"
#include "ui/tree/FileDialog.h"

#include <QPlainTextEdit>
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

void TrvsWindow::RunGuarded(const std::function<void()>& command) {
    RunCommand(command, this);
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
    const QString path = FileDialog::GetOpenFileName(this, TrvRequest(SiteFolder()));
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
    if (mode_ != Mode::Traverse) {
        ShowTraverse();
    }
    TraverseLoaded();
    SetCaption(U("トラバース計算 - ") + PathText(path));
}

void TrvsWindow::TraverseLoaded() {
    SetZCalc(table_.ZCalc());
    ApplyType(header_.TrvsType);
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
        FileDialog::Request request = TrvRequest(SiteFolder());
        const QString chosen = FileDialog::GetSaveFileName(this, request);
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
    SetCaption(U("トラバース計算 - ") + PathText(path));
}

void TrvsWindow::AutoSave() {
    RunGuarded([this] {
        if (mode_ == Mode::ZubEditor) {
            zub_->AutoSave(workspace_.programFolder());
        } else {
            SaveAutoTrv(workspace_.programFolder(), header_, table_);
        }
    });
}

// Every computation first writes "Auto.Trv": what was typed up to a computation survives a crash.
void TrvsWindow::SaveAutoTrvQuietly() {
    if (table_.RowCount() >= 2) {
        SaveAutoTrv(workspace_.programFolder(), header_, table_);
    }
}

void TrvsWindow::Recompute() {
    RunGuarded([this] {
        ComputeRawTraverse(state_, Input());
        plot_->Fit();
    });
}

void TrvsWindow::ShowPrecision() {
    SaveAutoTrvQuietly();
    const std::optional<TrvsPrecision> precision = AdjustTraverse(state_, Input());
    if (!precision) {
        return;
    }
    PrecisionBox box(PrecisionDialogLines(header_.TrvsType, *precision), this);
    box.exec();
}

void TrvsWindow::RegisterPoints() {
    SaveAutoTrvQuietly();
    BusyCursor busy;
    // A traverse computed again after a correction may replace the points it registered before.
    const auto askReplace = [this](const std::vector<std::string>& held) {
        return MessageBox::Ask(this, FromCp932(ReplacePointsQuestion(held)), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
    };
    const std::optional<int> count = RegisterTraverse(state_, Input(), workspace_.store().xyz, askReplace);
    if (!count) {
        return;
    }
    // The store announced the new rows: the name index is rebuilt at the next lookup and the plots
    // redraw on the workspace's notification.
    plot_->update();
    MessageBox::ShowCp932(this, RegistrationMessage(*count), MessageBox::Kind::Information);
}

void TrvsWindow::AppendListing(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        listing_->appendPlainText(FromCp932(line));
    }
}

void TrvsWindow::AppendInputListing() {
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
    SaveAutoTrvQuietly();
    std::vector<std::string> lines;
    if (header_.TrvsType == kTrvsClosed || header_.TrvsType == kTrvsConnected) {
        AdjustTraverse(state_, Input(), &lines);
    } else {
        ComputeRawTraverse(state_, Input(), &lines);
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
    const QString path = FileDialog::GetSaveFileName(
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
}

void TrvsWindow::InsertRow() {
    if (!grid_->hasFocus()) {
        return;
    }
    table_.InsertRow(grid_->CurrentRow(), LegLetter(header_.TrvsType));
    grid_->Refill();
}

void TrvsWindow::DeleteRow() {
    if (!grid_->hasFocus()) {
        return;
    }
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
