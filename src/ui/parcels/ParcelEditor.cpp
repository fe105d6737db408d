#include "ui/parcels/ParcelEditor.h"

#include "core/parcels/ParcelEdit.h"
#include "core/parcels/ParcelRing.h"
#include "core/parcels/SequenceEntry.h"
#include "core/store/Store.h"
#include "core/text/Messages.h"
#include "core/text/MessagesNotices.h"
#include "core/text/MessagesParcels.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/NameCellDelegate.h"
#include "ui/common/OwnKeyActions.h"
#include "ui/grid/GridRowOps.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vemo {

namespace {

void AddShortcut(QWidget* owner, const QKeySequence& keys, const std::function<void()>& command) {
    auto* shortcut = new QShortcut(keys, owner);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(shortcut, &QShortcut::activated, owner, [owner, command] { RunCommand(command, owner); });
}

} // namespace

ParcelEditor::ParcelEditor(Store& store, QWidget* parent) : QWidget(parent), store_(store) {
    name_ = new QLineEdit(this);
    missing_ = new QLabel(this);
    missing_->setWordWrap(true);
    missing_->setStyleSheet(QStringLiteral("color: #c00000;"));
    missing_->hide();
    grid_ = new QTableWidget(1, 1, this);
    grid_->setHorizontalHeaderLabels({QStringLiteral("点名")});
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setToolTip(QStringLiteral("「点名」完全一致　「+点名」前点からの連番入力"));
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    ConfirmNamesOnEnter(grid_, 0,
                        [this](int row, const QString& text) { RunCommand([&] { confirmCell(row, text); }, this); });
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row) {
        QTableWidgetItem* item = row >= 0 ? grid_->item(row, 0) : nullptr;
        emit currentPointChanged(item ? item->text() : QString());
    });
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setToolTip(QStringLiteral("登録済画地リスト"));
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { loadParcel(list_->row(item)); });
    list_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(buildToolRow());
    layout->addWidget(name_);
    layout->addWidget(missing_);
    layout->addWidget(grid_, 3);
    layout->addWidget(list_, 2);
    installKeys();
    store_.blocks.AddObserver(this);
    refreshList();
}

ParcelEditor::~ParcelEditor() {
    store_.blocks.RemoveObserver(this);
}

QWidget* ParcelEditor::buildToolRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::vector<std::pair<QString, std::function<void()>>> commands = {
        {QStringLiteral("新規"), [this] { clearParcel(); }},
        {QStringLiteral("追加"), [this] { addParcel(); }},
        {QStringLiteral("変更"), [this] { changeParcel(); }},
        {QStringLiteral("削除"), [this] { deleteParcel(); }},
    };
    for (const auto& [caption, command] : commands) {
        auto* button = new QToolButton(row);
        button->setText(caption);
        connect(button, &QToolButton::clicked, this, [this, command] { RunCommand(command, this); });
        layout->addWidget(button);
        buttons_.push_back(button);
    }
    layout->addStretch();
    return row;
}

void ParcelEditor::installKeys() {
    for (QWidget* w : {static_cast<QWidget*>(name_), static_cast<QWidget*>(grid_)}) {
        AddShortcut(w, QKeySequence(Qt::CTRL | Qt::Key_Return), [this] { commitEditAndAdd(); });
        AddShortcut(w, QKeySequence(Qt::CTRL | Qt::Key_Enter), [this] { commitEditAndAdd(); });
        AddShortcut(w, QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { clearParcel(); });
    }
    installRowActions();
    AddShortcut(list_, QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { name_->setFocus(); });
    QAction* remove = AddOwnKeyAction(list_, QStringLiteral("画地削除"), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    connect(remove, &QAction::triggered, this, [this] { RunCommand([this] { deleteParcel(); }, this); });
    connect(name_, &QLineEdit::returnPressed, this, [this] {
        if (!name_->text().isEmpty()) {
            grid_->setFocus();
        }
    });
}

// "挿入" and "削除" of the point-name grid: one action each carries the key and the context menu entry,
// so the menu shows the key that runs it.  Either changes the ring, so the dotted outline is redrawn.
void ParcelEditor::installRowActions() {
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    const struct {
        QString caption;
        QKeySequence keys;
        bool (*operation)(QAbstractItemView&, int);
    } rowCommands[] = {
        {QStringLiteral("挿入"), QKeySequence(Qt::CTRL | Qt::Key_Insert), &GridInsertRow},
        {QStringLiteral("削除"), QKeySequence(Qt::CTRL | Qt::Key_Delete), &GridDeleteRow},
    };
    for (const auto& command : rowCommands) {
        QAction* action = AddOwnKeyAction(grid_, command.caption, command.keys);
        connect(action, &QAction::triggered, this, [this, operation = command.operation] {
            RunCommand([&] { operation(*grid_, -1); }, this);
            emit ringChanged();
        });
    }
}

QToolButton* ParcelEditor::button(const QString& caption) const {
    for (QToolButton* b : buttons_) {
        if (b->text() == caption) {
            return b;
        }
    }
    return nullptr;
}

std::vector<std::string> ParcelEditor::rows() const {
    std::vector<std::string> names;
    for (int row = 0; row < grid_->rowCount(); ++row) {
        QTableWidgetItem* item = grid_->item(row, 0);
        names.push_back(item ? ToCp932(item->text()).value_or(std::string()) : std::string());
    }
    return names;
}

std::vector<int> ParcelEditor::selectedPositions() const {
    std::vector<int> positions;
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->isSelected()) {
            positions.push_back(row);
        }
    }
    return positions;
}

void ParcelEditor::refreshList() {
    QSignalBlocker block(list_);
    int current = list_->currentRow();
    list_->clear();
    for (const Block& parcel : store_.blocks.All()) {
        list_->addItem(FromCp932(parcel.BlockName));
    }
    if (current >= 0 && current < list_->count()) {
        list_->setCurrentRow(current, QItemSelectionModel::NoUpdate);
    }
    // 変更 and 削除 work on a registered parcel: without one they have nothing to act on.
    button(QStringLiteral("変更"))->setEnabled(list_->count() > 0);
    button(QStringLiteral("削除"))->setEnabled(list_->count() > 0);
}

// When the parcel list gains the focus, its current parcel is shown as the chosen one (drawn with its
// name), unless the current row is merely the unselected first row the list starts on.
bool ParcelEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::FocusIn) {
        int row = list_->currentRow();
        if (row >= 0 && row < store_.blocks.Count() && (row > 0 || list_->item(row)->isSelected()) && row != chosen_) {
            chosen_ = row;
            emit chosenParcelChanged(row);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ParcelEditor::BlocksReset() {
    refreshList();
    chosen_ = -1;
    clearParcel();
}

void ParcelEditor::setRows(const std::vector<std::string>& names) {
    grid_->setRowCount(0);
    grid_->setRowCount(static_cast<int>(std::max<size_t>(names.size(), 1)));
    for (size_t row = 0; row < names.size(); ++row) {
        setCell(static_cast<int>(row), names[row]);
    }
    emit ringChanged();
}

void ParcelEditor::setCell(int row, const std::string& name) {
    grid_->setItem(row, 0, new QTableWidgetItem(FromCp932(name)));
}

void ParcelEditor::moveToRow(int row) {
    if (row >= grid_->rowCount()) {
        grid_->setRowCount(row + 1);
    }
    grid_->setCurrentCell(row, 0);
}

bool ParcelEditor::confirmCell(int row, const QString& typed) {
    if (row < 0 || typed.isEmpty()) {
        return true; // the cell keeps its text
    }
    std::string text = ToCp932OrThrow(typed);
    bool lastRow = row == grid_->rowCount() - 1;
    if (text.starts_with('+') && row > 0) {
        if (lastRow) {
            enterSequence(row, text.substr(1));
            return true;
        }
        // A run is entered only at the end of the ring; anywhere else "+T8" would be stored as a vertex
        // name that no point can have.
        MessageBox::ShowCp932(this, msg::RunOnlyOnLastRow());
        return false;
    }
    std::vector<std::string> names = rows();
    if (row > 0 && names[row - 1] == text) {
        MessageBox::ShowCp932(this, msg::SameAsPreviousPointIn(text, msg::ParcelEditorGrid()));
        return false;
    }
    if (!store_.FindPointXY(text)) {
        MessageBox::ShowCp932(this, msg::NumberNotFound(text));
        return false;
    }
    setCell(row, text);
    moveToRow(row + 1);
    emit ringChanged();
    return true;
}

// Ctrl+Enter while a name is still being typed: the name is confirmed as Enter would confirm it (the
// closing name is usually the last thing typed), then the parcel is registered; a refused name stops it.
void ParcelEditor::commitEditAndAdd() {
    auto* cellEditor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (cellEditor != nullptr && cellEditor->parentWidget() == grid_->viewport()) {
        QString text = cellEditor->text();
        int row = grid_->currentRow();
        // The cell gets back its text until the name is confirmed below.
        emit grid_->itemDelegateForColumn(0)->closeEditor(cellEditor, QAbstractItemDelegate::RevertModelCache);
        if (!confirmCell(row, text)) {
            return;
        }
    }
    addParcel();
}

void ParcelEditor::enterSequence(int row, const std::string& target) {
    auto names = SequenceNames(rows()[row - 1], target, store_.Index());
    if (!names) {
        setCell(row, "");
        return;
    }
    for (const std::string& name : *names) {
        setCell(row, name);
        moveToRow(++row);
    }
    emit ringChanged();
}

bool ParcelEditor::checkRing(bool quietWhenNotFormed) {
    switch (CheckEditorRows(rows())) {
    case RingCheck::Ok:
        return true;
    case RingCheck::NotFormed:
        if (!quietWhenNotFormed) {
            MessageBox::ShowCp932(this, msg::ParcelNotFormed());
            grid_->setFocus();
        }
        return false;
    case RingCheck::NotClosed:
        MessageBox::ShowCp932(this, msg::ParcelNotClosed(rows().front()));
        grid_->setFocus();
        return false;
    }
    return false;
}

void ParcelEditor::clearParcel() {
    name_->setFocus(); // an open cell editor loses the focus and gives its cell back its text
    name_->clear();
    showMissingPoints({});
    setRows({});
    grid_->setCurrentCell(0, 0);
    name_->setFocus();
}

void ParcelEditor::addParcel() {
    if (name_->text().isEmpty() || !checkRing(false)) {
        return;
    }
    store_.blocks.Add(ParcelFromEditor(ToCp932OrThrow(name_->text()), rows(), store_.Index()));
    clearParcel();
}

void ParcelEditor::changeParcel() {
    int position = list_->currentRow();
    if (position < 0 || position >= store_.blocks.Count() || name_->text().isEmpty() || !checkRing(true)) {
        return;
    }
    store_.blocks.Replace(position, ParcelFromEditor(ToCp932OrThrow(name_->text()), rows(), store_.Index()));
    list_->setCurrentRow(position);
    list_->setFocus();
    chosen_ = position;
    emit chosenParcelChanged(position);
}

void ParcelEditor::deleteParcel() {
    int position = list_->currentRow();
    if (store_.blocks.Count() == 0 || position < 0) {
        return;
    }
    if (MessageBox::Ask(this, FromCp932(msg::DeleteParcelQuestion(store_.blocks.At(position).BlockName))) !=
        QMessageBox::Ok) {
        return;
    }
    chosen_ = -1;
    emit chosenParcelChanged(-1);
    store_.blocks.Remove(position);
    if (store_.blocks.Count() == 0) {
        clearParcel();
        return;
    }
    int next = std::min(position, store_.blocks.Count() - 1);
    list_->setCurrentRow(next, QItemSelectionModel::ClearAndSelect);
    loadParcel(next);
}

void ParcelEditor::loadParcel(int position) {
    if (position < 0 || position >= store_.blocks.Count()) {
        return;
    }
    const Block& parcel = store_.blocks.At(position);
    setRows(EditorRowsOf(parcel));
    showMissingPoints(MissingRingNames(ParcelRingPoints(parcel.NoList, store_.IndexForDrawing())));
    name_->setText(FromCp932(parcel.BlockName));
    grid_->setCurrentCell(0, 0);
    if (list_->currentRow() != position) {
        list_->setCurrentRow(position, QItemSelectionModel::ClearAndSelect);
    }
    chosen_ = position;
    emit chosenParcelChanged(position);
}

// A loaded parcel whose vertices are not all in the coordinate list: its area counts them where the point
// before stands, so the surveyor is told which they are as soon as the parcel is opened.
void ParcelEditor::showMissingPoints(const std::vector<std::string>& names) {
    missing_->setText(names.empty() ? QString() : QStringLiteral("※ ") + FromCp932(msg::MissingParcelPoints(names)));
    missing_->setVisible(!names.empty());
}

void ParcelEditor::takePointName(const std::string& name) {
    int row = grid_->currentRow() < 0 ? grid_->rowCount() - 1 : grid_->currentRow();
    RunCommand([&] { confirmCell(row, FromCp932(name)); }, this);
}

} // namespace vemo
