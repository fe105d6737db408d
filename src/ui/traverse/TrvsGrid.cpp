#include "ui/traverse/TrvsGrid.h"

#include "core/text/Cp932.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsEntry.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsTable.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/SystemBeep.h"
#include "ui/traverse/TrvsInputRules.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace vemo {
namespace {

const QColor kDisabledColour(235, 235, 235);
const QColor kLegTColour(230, 255, 230);
const QColor kLegOColour(255, 230, 230);
const QColor kOwnStationColour(255, 255, 220);

// Cells are edited in a plain line edit that takes only what the column can hold.
// Ctrl+Insert and Ctrl+Delete are the row commands of the window; a line edit would take them as
// copy and delete-word, so that inserting or deleting a row did nothing while a cell was edited.
class RowKeysPassThrough : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() == Qt::ControlModifier &&
                (key->key() == Qt::Key_Insert || key->key() == Qt::Key_Delete)) {
                return true; // not accepted: the window's shortcut runs
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

class TrvsCellDelegate : public QStyledItemDelegate {
public:
    TrvsCellDelegate(const bool& upperCase, QObject* parent) : QStyledItemDelegate(parent), upperCase_(upperCase) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        const int col = index.column();
        const auto kind = col >= kTrvColHAngle ? TrvsTypingValidator::Kind::Unsigned : TrvsTypingValidator::Kind::Name;
        editor->setValidator(new TrvsTypingValidator(kind, upperCase_, editor));
        editor->installEventFilter(new RowKeysPassThrough(editor));
        return editor;
    }

private:
    const bool& upperCase_;
};

// What each column means, shown on its header: one row is one sight, from the instrument point with
// the backsight at zero, turned clockwise to the target.
constexpr const char* kColumnHints[kTrvsCellCount] = {
    "行番号",
    "【タンニングモード】T:閉合，結合の進む測点　O:開放の進む測点　K:放射（進まない側点）　（切換:Insert）",
    "器械点：器械を据えた点。空欄なら 1 行目は基点データの器械点，以降は一つ前の測点（F5 で入力）",
    "後視点：器械点から水平角 0 として視準した点。器械点を入れたら必ず入れます",
    "測点：器械点から視準した点。この行で座標を求めます。例: 器械点 T1，後視点 A，測点 T2，水平角 "
    "90.3015 = T1 で A から右回りに 90°30′15″ の方向に T2",
    "水平角：後視点から測点まで右回りの角（度.分秒，例 90.3015 = 90°30′15″）",
    "高度角：度.分秒，環境設定により天頂 0（水平の視準は 90.0000）または水平 0（F6 で入力）",
    "斜距離：器械点から測点までの斜距離 (m)",
    "器械高 (m)：空欄なら上の行の値",
    "視準高 (m)：空欄なら上の行の値",
};

} // namespace

TrvsGrid::TrvsGrid(TrvsTable& table, TrvsHeader& header, QWidget* parent)
    : QTableWidget(parent), table_(table), header_(header) {
    setItemDelegate(new TrvsCellDelegate(upperCase_, this));
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    horizontalHeader()->setDefaultSectionSize(fontMetrics().horizontalAdvance(QStringLiteral("0000.0000")) + 12);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setToolTip(QString::fromUtf8("【タンニングモード】T:閉合，結合　O:開放　K:放射　（切換:Insert）"));
    connect(this, &QTableWidget::itemChanged, this, &TrvsGrid::OnItemChanged);
}

void TrvsGrid::SetContext(const TrvsKnownPoints* known, const TrvsOptions* options, bool upperCase) {
    known_ = known;
    options_ = options;
    upperCase_ = upperCase;
}

void TrvsGrid::Refill() {
    filling_ = true;
    const int rows = table_.ObservationRows();
    setColumnCount(table_.ColCount());
    setRowCount(rows);
    QStringList headers;
    for (int col = 0; col < table_.ColCount(); ++col) {
        headers << FromCp932(table_.Cell(0, col));
    }
    setHorizontalHeaderLabels(headers);
    for (int col = 0; col < table_.ColCount(); ++col) {
        horizontalHeaderItem(col)->setToolTip(QString::fromUtf8(kColumnHints[col]));
    }
    setColumnWidth(kTrvColNo, fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    setColumnWidth(kTrvColTm, fontMetrics().horizontalAdvance(QStringLiteral("TM")) + 12);
    for (int r = 1; r <= rows; ++r) {
        ShowCell(r, -1);
    }
    filling_ = false;
}

void TrvsGrid::ShowCell(int row, int onlyCol) {
    const bool wasFilling = filling_;
    filling_ = true;
    for (int col = 0; col < table_.ColCount(); ++col) {
        if (onlyCol >= 0 && col != onlyCol) {
            continue;
        }
        QTableWidgetItem* cell = item(row - 1, col);
        if (cell == nullptr) {
            cell = new QTableWidgetItem;
            setItem(row - 1, col, cell);
        }
        cell->setText(FromCp932(table_.Cell(row, col)));
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (col >= kTrvColInst && ColumnEnabled(col)) {
            flags |= Qt::ItemIsEditable;
        }
        cell->setFlags(flags);
    }
    TintRow(row);
    filling_ = wasFilling;
}

// Rows are tinted by what they are, so that a leg typed as a side shot stands out: legs of closed and
// connected traverses green, of open ones red, rows with their own station yellow; side shots white.
void TrvsGrid::TintRow(int row) {
    const std::string& tm = table_.Cell(row, kTrvColTm);
    QColor colour = Qt::white;
    if (tm == "T") {
        colour = kLegTColour;
    } else if (tm == "O") {
        colour = kLegOColour;
    } else if (!table_.Cell(row, kTrvColInst).empty() && !table_.Cell(row, kTrvColBack).empty()) {
        colour = kOwnStationColour;
    }
    const bool wasFilling = filling_;
    filling_ = true;
    for (int col = 0; col < columnCount(); ++col) {
        if (QTableWidgetItem* cell = item(row - 1, col)) {
            cell->setBackground(ColumnEnabled(col) ? colour : kDisabledColour);
        }
    }
    filling_ = wasFilling;
}

bool TrvsGrid::ColumnEnabled(int col) const {
    if (col == kTrvColInst || col == kTrvColBack) {
        return stationInput_;
    }
    if (col == kTrvColVAngle) {
        return verticalInput_;
    }
    return true;
}

void TrvsGrid::SetStationInput(bool on) {
    stationInput_ = on;
    Refill();
}

void TrvsGrid::SetVerticalInput(bool on) {
    verticalInput_ = on;
    Refill();
}

void TrvsGrid::SetCursor(int row, int col) {
    moving_ = true;
    setCurrentCell(row - 1, SkipDisabled(col, +1));
    moving_ = false;
}

int TrvsGrid::SkipDisabled(int col, int step) const {
    if (col <= kTrvColTm) {
        col = kTrvColInst;
    }
    while (col >= 0 && col < columnCount() && !ColumnEnabled(col)) {
        col += step;
    }
    return std::clamp(col, int(kTrvColInst), columnCount() - 1);
}

// Selecting a cell of a switched-off column moves on to the next one the surveyor can type into.
void TrvsGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableWidget::currentChanged(current, previous);
    if (moving_ || !current.isValid()) {
        return;
    }
    const int step = previous.isValid() && current.column() < previous.column() ? -1 : +1;
    const int col = SkipDisabled(current.column(), step);
    if (col != current.column() && ColumnEnabled(col)) {
        moving_ = true;
        setCurrentCell(current.row(), col);
        moving_ = false;
    }
}

void TrvsGrid::OnItemChanged(QTableWidgetItem* cell) {
    if (filling_ || cell == nullptr) {
        return;
    }
    const int row = cell->row() + 1;
    const int col = cell->column();
    const auto text = ToCp932(cell->text());
    if (!text) {
        SystemBeep::Beep();
        ShowCell(row, col);
        return;
    }
    table_.SetCell(row, col, *text);
    if (col == kTrvColTm || col == kTrvColInst || col == kTrvColBack) {
        TintRow(row);
    }
    emit edited();
}

void TrvsGrid::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        // While a cell is edited the editor's own Enter commits it first and then leaves the cell
        // (closeEditor); leaving here would move on before the typed text is in the table.
        if (state() != QAbstractItemView::EditingState) {
            LeaveCell();
        }
        return;
    case Qt::Key_Backtab:
        SetCursor(CurrentRow(), SkipDisabled(CurrentCol() - 1, -1));
        return;
    default:
        QTableWidget::keyPressEvent(event);
    }
}

// Enter in a cell being edited ends the edit and leaves the cell as Enter outside an edit does.
void TrvsGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (hint == QAbstractItemDelegate::SubmitModelCache || hint == QAbstractItemDelegate::EditNextItem) {
        LeaveCell();
    } else if (hint == QAbstractItemDelegate::EditPreviousItem) {
        SetCursor(CurrentRow(), SkipDisabled(CurrentCol() - 1, -1));
    }
}

bool TrvsGrid::HasFocusWithin() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == this || isAncestorOf(focus));
}

void TrvsGrid::CommitEdit() {
    QWidget* editor = QApplication::focusWidget();
    if (state() == QAbstractItemView::EditingState && editor != nullptr && editor != this && isAncestorOf(editor)) {
        commitData(editor);
        QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TrvsGrid::LeaveCell() {
    const int row = CurrentRow();
    const int col = CurrentCol();
    if (row < 1 || col < 0) {
        return;
    }
    if (CheckCell(row, col)) {
        MoveNext(row, col);
    }
}

bool TrvsGrid::CheckCell(int row, int col) {
    if (col == kTrvColInst || col == kTrvColBack) {
        return CheckStationCell(row, col);
    }
    if (col >= kTrvColHAngle) {
        return CheckObservationCell(row, col);
    }
    return true;
}

// An instrument or backsight point must be a point the computation can find: the start point, a
// target of an earlier row or a point of the coordinate list.  A backsight belongs to every instrument.
bool TrvsGrid::CheckStationCell(int row, int col) {
    const std::string name = table_.Cell(row, col);
    if (!name.empty() && known_ != nullptr && !IsUsableStationName(table_, row, name, header_, *known_)) {
        SystemBeep::Beep();
        table_.SetCell(row, col, "");
        ShowCell(row, col);
        return false;
    }
    if (col == kTrvColBack && name.empty() && !table_.Cell(row, kTrvColInst).empty()) {
        SystemBeep::Beep();
        return false;
    }
    return true;
}

bool TrvsGrid::CheckObservationCell(int row, int col) {
    std::string text = table_.Cell(row, col);
    if (col <= kTrvColSlope && text.empty()) {
        SystemBeep::Beep();
        return row == 1; // the first row may be left while it is still incomplete
    }
    if (text.empty()) {
        return true;
    }
    const std::optional<double> value = TryStrToFloat(text);
    if (!value) {
        SystemBeep::Beep();
        return false;
    }
    if (col == kTrvColHAngle || col == kTrvColVAngle) {
        text = FormatFixed(*value, 4);
        table_.SetCell(row, col, text);
        ShowCell(row, col);
        if (!IsValidAngle(text)) {
            SystemBeep::Beep();
            return false;
        }
        if (col == kTrvColHAngle && table_.Cell(row, kTrvColVAngle).empty() && options_ != nullptr) {
            table_.SetCell(row, kTrvColVAngle, options_->DefaultVerAngle());
            ShowCell(row, kTrvColVAngle);
        }
        return true;
    }
    table_.SetCell(row, col, Format3(*value));
    ShowCell(row, col);
    if (col == kTrvColSlope) {
        if (row + 1 < table_.RowCount()) {
            ProposeNextTarget(table_, row);
            ShowCell(row + 1, kTrvColTarget);
        }
        emit slopeDistanceLeft();
    }
    return true;
}

void TrvsGrid::MoveNext(int row, int col) {
    int next = col + 1;
    while (next < columnCount() && !ColumnEnabled(next)) {
        ++next;
    }
    if (next < columnCount()) {
        SetCursor(row, next);
        return;
    }
    if (row + 1 < table_.RowCount()) {
        SetCursor(row + 1, kTrvColInst);
        return;
    }
    if (AppendNextRow(table_, header_.TrvsType)) {
        setRowCount(table_.ObservationRows());
        ShowCell(row + 1, -1);
        SetCursor(row + 1, kTrvColInst);
        emit rowsChanged();
    }
}

} // namespace vemo
