#include "ui/traverse/ZubEditorPanel.h"

#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesTrvsWindow.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsTable.h"
#include "core/zub/ZubFile.h"
#include "core/zub/ZubStationCheck.h"
#include "core/zub/ZubTransfer.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/tree/FileDialog.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace vemo {
namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Rows are tinted by record, so that the stations (D) and the direct observations (F with "r") stand
// out from the reverse ones.
QColor RecordTint(const ZubRow& row) {
    const std::string& letter = row[0];
    if (letter == "A" || letter == "Z") {
        return {255, 235, 255};
    }
    if (letter == "B") {
        return {235, 255, 235};
    }
    if (letter == "C") {
        return {235, 235, 255};
    }
    if (letter == "D") {
        return {255, 235, 235};
    }
    if (letter == "E") {
        return {235, 255, 255};
    }
    if (letter == "F") {
        return IsDirectObservation(row) ? QColor(255, 255, 200) : QColor(255, 255, 235);
    }
    return Qt::white;
}

// A line whose stored check character does not match it (a field book corrected by hand): a strong
// tint over the whole row, so that it is found when scrolling a long book.
const QColor kCheckWrongTint(255, 190, 190);
constexpr int kCheckWrongRole = Qt::UserRole + 1;

// A reading behind a figure over the limit of the class: strong enough to find in a long book, apart
// from the tint of a wrong check character.
const QColor kOverLimitTint(255, 160, 60);

// "倍角差 50″ (制限 30″)", "セット間の較差 28.0 mm (制限 20 mm)".
QString OverLimitTip(const ZubCellOverLimit& over) {
    const QString figure = QString::fromUtf8(over.figure);
    if (over.millimetres) {
        return QString::fromUtf8("%1 %2 mm (制限 %3 mm)")
            .arg(figure)
            .arg(over.value, 0, 'f', 1)
            .arg(over.limit, 0, 'f', 0);
    }
    return QString::fromUtf8("%1 %2″ (制限 %3″)").arg(figure).arg(over.value, 0, 'f', 0).arg(over.limit, 0, 'f', 0);
}

FileDialog::Request ZubRequest(const QString& folder) {
    return {U("ZUB Format File"), U("ZUB files (*.ZUB)|*.ZUB"), U("ZUB"), folder};
}

} // namespace

ZubEditorPanel::ZubEditorPanel(QWidget* parent) : QWidget(parent) {
    setProperty("helpContext", 31); // F1: its page of the help book
    grid_ = new QTableWidget(this);
    grid_->verticalHeader()->hide();
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    status_ = new QLabel(this);
    status_->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_, 1);
    layout->addWidget(status_);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int col) { CellSelected(row, col); });
    connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item != nullptr && item->row() == grid_->currentRow()) {
            CellSelected(item->row(), grid_->currentColumn());
        }
        MarkOverLimit();
        emit edited();
    });
    Clear();
}

void ZubEditorPanel::Clear() {
    Show({ZubRow{}}, {});
    savedRows_ = {ZubRow{}};
    autoRows_ = savedRows_;
}

namespace {

// The records of the grid, or nothing when a cell holds text that CP932 cannot carry.
std::optional<std::vector<ZubRow>> TryRows(const ZubEditorPanel& panel) {
    try {
        return panel.Rows();
    } catch (const Error&) {
        return std::nullopt;
    }
}

bool AllEmpty(const std::vector<ZubRow>& rows) {
    return std::ranges::all_of(rows, [](const ZubRow& row) {
        return std::ranges::all_of(row, [](const std::string& cell) { return TrimView(cell).empty(); });
    });
}

} // namespace

bool ZubEditorPanel::Modified() const {
    const auto rows = TryRows(*this);
    return !rows || *rows != savedRows_;
}

QString ZubEditorPanel::Caption() const {
    return path_.empty() ? U("ZUB Editor") : U("ZUB Editor - ") + PathText(path_);
}

QString ZubEditorPanel::Status() const {
    return status_->text();
}

void ZubEditorPanel::Show(const std::vector<ZubRow>& rows, const std::vector<bool>& checkWrong) {
    QSignalBlocker block(grid_);
    grid_->clear();
    marked_.clear();
    grid_->setColumnCount(kZubCells);
    grid_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        ShowRow(r, rows[r], r < static_cast<int>(checkWrong.size()) && checkWrong[r]);
    }
    block.unblock();
    MarkOverLimit();
    grid_->setCurrentCell(0, 0);
    CellSelected(0, 0);
}

void ZubEditorPanel::ShowRow(int row, const ZubRow& cells, bool checkWrong) {
    const QColor tint = checkWrong ? kCheckWrongTint : RecordTint(cells);
    for (int col = 0; col < kZubCells; ++col) {
        auto* item = new QTableWidgetItem(FromCp932(cells[col]));
        item->setBackground(tint);
        item->setData(kCheckWrongRole, checkWrong);
        grid_->setItem(row, col, item);
    }
}

bool ZubEditorPanel::CheckWrong(int row) const {
    const QTableWidgetItem* item = grid_->item(row, 0);
    return item != nullptr && item->data(kCheckWrongRole).toBool();
}

void ZubEditorPanel::SetLimits(const std::optional<ObservationLimits>& limits) {
    limits_ = limits;
    MarkOverLimit();
}

// Only the cells marked last time go back to the tint of their record: a long book is re-marked on
// every edit.
void ZubEditorPanel::UnmarkOverLimit() {
    QSignalBlocker block(grid_);
    for (const auto& [row, col] : marked_) {
        if (QTableWidgetItem* item = grid_->item(row, col)) {
            item->setBackground(CheckWrong(row) ? kCheckWrongTint : RecordTint(GridRow(row)));
            item->setToolTip(QString());
        }
    }
    marked_.clear();
}

// The record as typed, a cell CP932 cannot carry read as empty.
ZubRow ZubEditorPanel::GridRow(int row) const {
    ZubRow cells;
    for (int c = 0; c < kZubCells; ++c) {
        const QTableWidgetItem* item = grid_->item(row, c);
        cells[c] = item != nullptr ? ToCp932(item->text()).value_or(std::string()) : std::string();
    }
    return cells;
}

void ZubEditorPanel::MarkOverLimit() {
    const std::optional<std::vector<ZubRow>> rows = TryRows(*this);
    if (!rows) {
        return; // a cell CP932 cannot carry: the marks wait for the next edit
    }
    UnmarkOverLimit();
    if (!limits_) {
        return;
    }
    QSignalBlocker block(grid_);
    for (const ZubCellOverLimit& over : ZubCellsOverLimit(ReduceZubStations(*rows), *limits_)) {
        QTableWidgetItem* item = grid_->item(over.cell.zubRow - 1, over.cell.column);
        if (item == nullptr) {
            continue;
        }
        item->setBackground(kOverLimitTint);
        const QString tip = OverLimitTip(over);
        item->setToolTip(item->toolTip().isEmpty() ? tip : item->toolTip() + u'\n' + tip);
        marked_.emplace_back(item->row(), item->column());
    }
}

std::vector<ZubRow> ZubEditorPanel::Rows() const {
    std::vector<ZubRow> rows(grid_->rowCount());
    for (int r = 0; r < grid_->rowCount(); ++r) {
        for (int col = 0; col < kZubCells; ++col) {
            const QTableWidgetItem* item = grid_->item(r, col);
            rows[r][col] = item != nullptr ? ToCp932OrThrow(item->text()) : std::string();
        }
    }
    return rows;
}

// The header row follows the record under the cursor, and the status text explains the codes of the
// cell's field.
void ZubEditorPanel::CellSelected(int row, int col) {
    if (row < 0 || col < 0 || row >= grid_->rowCount()) {
        return;
    }
    const ZubRow cells = GridRow(row);
    const auto headers = ZubHeaderTexts(cells[0]);
    QStringList labels;
    for (const std::string& text : headers) {
        labels << FromCp932(text);
    }
    grid_->setHorizontalHeaderLabels(labels);
    const std::string fieldStatus = ZubStatusText(cells, col);
    status_->setText(FromCp932(CheckWrong(row) ? msg::CheckWrongRowStatus(fieldStatus) : fieldStatus));
    emit statusTextChanged(status_->text());
}

void ZubEditorPanel::LoadFile(const std::string& path) {
    ZubBook book;
    {
        BusyCursor busy;
        book = LoadZubBook(path); // throws before anything is shown
    }
    path_ = path;
    ShowBook(book);
    savedRows_ = Rows();
    autoRows_ = savedRows_;
    emit captionChanged(Caption());
    TellAbout(book);
}

void ZubEditorPanel::Reload(const std::string& exeDir) {
    const std::string path = TempZubPath(exeDir);
    if (!QFileInfo::exists(PathText(path))) {
        return;
    }
    const ZubBook book = LoadZubBook(path);
    path_.clear();
    ShowBook(book);
    emit captionChanged(U("ZUB Editor - ") + PathText(path));
    TellAbout(book);
}

void ZubEditorPanel::ShowBook(const ZubBook& book) {
    Show(book.rows, book.checkWrong);
}

// What the surveyor should know about the book before working on it: none of it keeps it from
// being shown, edited, saved or transferred.
void ZubEditorPanel::TellAbout(const ZubBook& book) {
    std::vector<std::string> notes;
    if (const auto wrong = std::ranges::count(book.checkWrong, true); wrong > 0) {
        notes.push_back(msg::CheckWrongRows(wrong));
    }
    if (!book.endRecord) {
        notes.push_back(msg::NoEndRecord());
    }
    if (book.directObservations > kZubMaxDirectObservations) {
        notes.push_back(msg::TooManyDirectObservations(book.directObservations, kZubMaxDirectObservations));
    }
    if (!notes.empty()) {
        std::string text = notes.front();
        for (std::size_t i = 1; i < notes.size(); ++i) {
            text += "\n" + notes[i];
        }
        MessageBox::ShowCp932(this, text, MessageBox::Kind::Warning);
    }
}

void ZubEditorPanel::Open(const QString& folder) {
    const QString path = FileDialog::getOpenFileName(this, ZubRequest(folder));
    if (!path.isEmpty()) {
        LoadFile(NativePath(path).string());
    }
}

void ZubEditorPanel::Save(const QString& folder, bool backup, bool askName) {
    if (grid_->rowCount() < 1) {
        return;
    }
    if (!askName && !path_.empty()) {
        SaveFile(path_, backup);
        return;
    }
    FileDialog::Request request = ZubRequest(path_.empty() ? folder : PathText(path_));
    const QString path = FileDialog::getSaveFileName(this, request);
    if (!path.isEmpty()) {
        SaveFile(NativePath(path).string(), backup);
    }
}

void ZubEditorPanel::SaveFile(const std::string& path, bool backup) {
    const std::vector<ZubRow> rows = Rows();
    SaveZubFile(path, rows, backup);
    path_ = path;
    savedRows_ = rows;
    autoRows_ = rows;
    emit captionChanged(Caption());
}

void ZubEditorPanel::AutoSave(const std::string& exeDir, bool forced) {
    const std::vector<ZubRow> rows = Rows();
    if (rows.empty() || AllEmpty(rows) || (!forced && rows == autoRows_)) {
        return;
    }
    SaveZubFile(AutoZubPath(exeDir), rows, false);
    autoRows_ = rows;
}

// The records below move, and with them the readings the figures come from: the marks are taken off
// before and put on again after.
void ZubEditorPanel::InsertRow() {
    UnmarkOverLimit();
    const int row = std::max(grid_->currentRow(), 0);
    grid_->insertRow(row);
    ShowRow(row, ZubRow{}, false);
    MarkOverLimit();
    grid_->setCurrentCell(row, 0);
}

void ZubEditorPanel::DeleteRow() {
    const int row = grid_->currentRow();
    if (row < 0) {
        return;
    }
    UnmarkOverLimit();
    if (grid_->rowCount() == 1) {
        ShowRow(0, ZubRow{}, false);
    } else {
        grid_->removeRow(row);
    }
    MarkOverLimit();
}

void ZubEditorPanel::Transfer(const TrvsOptions& options, const TrvsKnownPoints& known, TrvsHeader& header,
                              TrvsTable& table, bool directOnly) {
    const std::vector<std::string> notes = TransferZubToTraverse(
        Rows(), options, known, TodayText(), header, table, directOnly ? ZubReduction::DirectOnly : ZubReduction::Auto);
    if (!notes.empty()) {
        MessageBox::ShowCp932(this, msg::TransferNotes(notes), MessageBox::Kind::Warning);
    }
}

} // namespace vemo
