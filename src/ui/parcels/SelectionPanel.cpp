#include "ui/parcels/SelectionPanel.h"

#include "core/parcels/ParcelRing.h"
#include "core/parcels/SequenceEntry.h"
#include "core/print/CoordinateListPrint.h"
#include "core/store/Store.h"
#include "core/text/MessagesParcels.h"
#include "ui/common/ApplicationTitle.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/Hint.h"
#include "ui/common/MessageBox.h"
#include "ui/common/NameCellDelegate.h"
#include "ui/common/OwnKeyActions.h"
#include "ui/print/ReportPrinter.h"

#include <QAction>
#include <QGridLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vemo {

SelectionPanel::SelectionPanel(Store& store, QWidget* parent) : QWidget(parent), store_(store) {
    list_ = new QTableWidget(1, 2, this);
    list_->setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("点名")});
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setColumnWidth(0, list_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 5);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setToolTip(QStringLiteral("「点名」完全一致　「点名*」先頭一致　「+点名」前点からの連番入力"));
    list_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    ConfirmNamesOnEnter(list_, 1,
                        [this](int row, const QString& text) { RunCommand([&] { confirmCell(row, text); }, this); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(list_, 1);
    layout->addWidget(buildButtons());
    installRowActions();
    showNames(0);
}

void SelectionPanel::installRowActions() {
    list_->setContextMenuPolicy(Qt::ActionsContextMenu);
    QAction* insert = AddOwnKeyAction(list_, QStringLiteral("挿入"), QKeySequence(Qt::CTRL | Qt::Key_Insert));
    connect(insert, &QAction::triggered, this, [this] { RunCommand([this] { insertEmptyRow(); }, this); });
    QAction* remove = AddOwnKeyAction(list_, QStringLiteral("削除"), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    connect(remove, &QAction::triggered, this, [this] { RunCommand([this] { deleteCursorRow(); }, this); });
}

QWidget* SelectionPanel::buildButtons() {
    auto* box = new QWidget(this);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    struct Command {
        QString caption;
        QString hint; // "short|long": the tool tip and the status line
        std::function<void()> run;
    };
    const Command commands[] = {
        {QStringLiteral("測点ｲﾒｰｼﾞ挿入"),
         QStringLiteral("表示座標追加|座標イメージに展開されている範囲の座標を選択座標に追加します"),
         [this] { insertImagePoints(); }},
        {QStringLiteral("選択画地挿入"),
         QStringLiteral("画地座標追加|画地編集ボックスが開かれているときに選択画地の構成点座標を選択座標に追加します"),
         [this] { insertParcelPoints(); }},
        {QStringLiteral("整列"), QStringLiteral("並換|選択座標を並び換えます"), [this] { sortNames(); }},
        {QStringLiteral("クリア"), QStringLiteral("クリア|選択座標をクリアします"), [this] { clearNames(); }},
        {QStringLiteral("印刷"), QStringLiteral("印刷|選択されている座標リストを印刷します"), [this] { printNames(); }},
        {QStringLiteral("SIMA"), QStringLiteral("Save SIMA|SIMAフォーマットで保存します"),
         [this] { emit saveSimaRequested(names()); }},
        {QStringLiteral("日調連"), QStringLiteral("Save 日調連|日調連フォーマットで座標を保存します"),
         [this] { emit saveNichorenRequested(names()); }},
        {QStringLiteral("座標転送(ZUB)"), QStringLiteral("ZUB転送|選択されている座標をZUBフォーマットで転送します"),
         [this] { emit sendZubRequested(names()); }},
        {QStringLiteral("閉じる"), QStringLiteral("閉じる|座標選択パネルを閉じます"),
         [this] { emit closeRequested(); }},
    };
    for (const Command& command : commands) {
        auto* button = new QPushButton(command.caption, box);
        SetHint(button, command.hint);
        connect(button, &QPushButton::clicked, this, [this, run = command.run] { RunCommand(run, this); });
        int index = static_cast<int>(buttons_.size());
        layout->addWidget(button, index / 2, index % 2);
        buttons_.push_back(button);
    }
    button(QStringLiteral("座標転送(ZUB)"))->setEnabled(!names().empty());
    return box;
}

QPushButton* SelectionPanel::button(const QString& caption) const {
    for (QPushButton* b : buttons_) {
        if (b->text() == caption) {
            return b;
        }
    }
    return nullptr;
}

std::vector<std::string> SelectionPanel::rows() const {
    std::vector<std::string> shown = selection_.Names();
    shown.emplace_back();
    return shown;
}

// The list shows the selection and the empty entry row below it, numbered 1, 2, 3, …
void SelectionPanel::showNames(int currentRow, int insertedRow) {
    const std::vector<std::string>& selected = selection_.Names();
    insertedRow_ = insertedRow;
    const int count = static_cast<int>(selected.size()) + (insertedRow_ >= 0 ? 2 : 1);
    list_->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        auto* number = new QTableWidgetItem(QString::number(row + 1));
        number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        list_->setItem(row, 0, number);
        const size_t index = static_cast<size_t>(selectionIndex(row));
        const bool named = row != insertedRow_ && index < selected.size();
        list_->setItem(row, 1, new QTableWidgetItem(named ? FromCp932(selected[index]) : QString()));
    }
    list_->setCurrentCell(std::clamp(currentRow, 0, count - 1), 1);
    if (QPushButton* send = button(QStringLiteral("座標転送(ZUB)"))) {
        send->setEnabled(!selected.empty()); // nothing to send without a name
    }
    emit selectionChanged();
}

void SelectionPanel::insertEmptyRow() {
    const int row = selectionIndex(list_->currentRow());
    // The entry row is empty already; another empty row above it would hold nothing.
    if (row >= 0 && row < static_cast<int>(selection_.Names().size())) {
        showNames(row, row);
    }
    list_->setFocus();
}

void SelectionPanel::deleteCursorRow() {
    const int row = list_->currentRow();
    int inserted = -1;
    if (row != insertedRow_) {
        selection_.Remove(static_cast<size_t>(selectionIndex(row)));
        // An empty row inserted elsewhere stays where it stands, waiting for its name.
        inserted = insertedRow_ > row ? insertedRow_ - 1 : insertedRow_;
    }
    showNames(row, inserted);
    list_->setFocus();
}

void SelectionPanel::afterAdding() {
    showNames(static_cast<int>(selection_.Names().size()));
    list_->setFocus();
}

void SelectionPanel::confirmCell(int row, const QString& typed) {
    if (row < 0 || typed.isEmpty()) {
        return;
    }
    std::string text = ToCp932OrThrow(typed);
    if (row == insertedRow_) {
        confirmInsertedRow(row, text, typed);
        return;
    }
    row = selectionIndex(row);
    int entryRow = static_cast<int>(selection_.Names().size());
    if (text.starts_with('+') && row > 0) {
        if (row != entryRow) {
            return; // left as it stood: a run is entered only at the end of the list
        }
        if (auto run = SequenceNames(selection_.Names()[row - 1], text.substr(1), store_.Index())) {
            selection_.AddAll(*run);
        }
        afterAdding();
        return;
    }
    if (text.ends_with('*')) {
        selection_.AddPrefix(store_.xyz, std::string_view(text).substr(0, text.size() - 1));
        afterAdding();
        return;
    }
    if (selection_.Contains(text)) {
        if (row >= entryRow || selection_.Names()[row] != text) {
            MessageBox::ShowCp932(this, msg::NumberTwice());
        }
        return;
    }
    if (!isKnownPoint(text, typed)) {
        return;
    }
    if (row < entryRow) {
        selection_.Replace(static_cast<size_t>(row), text);
        showNames(row + 1);
        return;
    }
    selection_.Add(text);
    afterAdding();
}

bool SelectionPanel::isKnownPoint(const std::string& text, const QString& typed) {
    if (store_.FindPointXY(text)) {
        return true;
    }
    // As typed, in place of "%1" (its CP932 form may stand for another character).
    MessageBox::Show(this, FromCp932(msg::NumberNotFound("%1")).arg(typed));
    return false;
}

// A name typed into a row made by 挿入 joins the selection at that place.  Runs ("+") and prefixes
// ("*") are entered at the end of the list only; they are left as typed.
void SelectionPanel::confirmInsertedRow(int row, const std::string& text, const QString& typed) {
    if (text.starts_with('+') || text.ends_with('*')) {
        return;
    }
    if (selection_.Contains(text)) {
        MessageBox::ShowCp932(this, msg::NumberTwice());
        return;
    }
    if (isKnownPoint(text, typed)) {
        selection_.Insert(static_cast<size_t>(row), text);
        showNames(row + 1);
    }
}

void SelectionPanel::togglePoint(const std::string& name) {
    selection_.Toggle(name);
    showNames(static_cast<int>(selection_.Names().size()));
}

void SelectionPanel::insertImagePoints() {
    if (imagePoints_) {
        selection_.AddAll(imagePoints_());
    }
    afterAdding();
}

void SelectionPanel::insertParcelPoints() {
    std::vector<int> positions = parcels_ ? parcels_() : std::vector<int>{};
    for (int position : positions) {
        if (position >= 0 && position < store_.blocks.Count()) {
            selection_.AddAll(RingNames(store_.blocks.At(position).NoList));
        }
    }
    afterAdding();
}

void SelectionPanel::sortNames() {
    selection_.Sort();
    showNames(list_->currentRow());
}

void SelectionPanel::clearNames() {
    selection_.Clear();
    showNames(0);
    list_->setFocus();
}

void SelectionPanel::printNames() {
    CoordinateListPrint report = CoordinateListPrint::Selection(store_.xyz, rows());
    PreviewReport(
        this, ApplicationTitle(),
        [&](QPrinter& printer, const PrintProgress& progress) {
            ReportPrinter::printPages(printer, report, progress, store_.names.Source);
        },
        QStringLiteral("選択座標リスト"));
}

} // namespace vemo
