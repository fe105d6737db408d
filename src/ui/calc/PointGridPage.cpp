#include "ui/calc/PointGridPage.h"

#include "core/text/MessagesNotices.h"

#include "core/calc/CalcEntry.h"
#include "core/store/Store.h"
#include "ui/calc/CalcFields.h"
#include "ui/calc/CalcGroups.h"
#include "ui/calc/GridResultCells.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/GridFont.h"
#include "ui/common/MessageBox.h"
#include "ui/common/NameCellDelegate.h"
#include "ui/common/StatusNotice.h"
#include "ui/common/SystemBeep.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vemo {

namespace {

constexpr int kNameColumn = 1;

} // namespace

PointGridPage::PointGridPage(Kind kind, const CalcDefinition& definition, CalcHost& host, QWidget* parent)
    : CalcPage(host, parent), kind_(kind), definition_(definition) {
    grid_ = new QTableWidget(1, 5, this);
    grid_->setFont(GridFont());
    grid_->verticalHeader()->hide();
    // Rows of 15/6 of the width of a "0", as compact as the coordinate list.
    grid_->verticalHeader()->setDefaultSectionSize(DigitWidth(grid_->font()) * 15 / 6);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    ConfirmNamesOnEnter(grid_, kNameColumn, [this](int row, const QString& text) { enterName(row + 1, text); });
    const int digit = DigitWidth(grid_->font());
    const std::vector<int> widths = kind == Kind::Inverse ? std::vector{4, 10, 8, 10, 10} : std::vector{5, 10, 9, 9, 9};
    for (int column = 0; column < 5; ++column) {
        grid_->setColumnWidth(column, widths[column] * digit + 8);
    }
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (column != kNameColumn && row >= 0) {
            grid_->setCurrentCell(row, kNameColumn);
            return;
        }
        onCursorMoved(row);
    });

    area_ = new QLabel(this);
    tsubo_ = new QLabel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (kind == Kind::Inverse) {
        layout->addWidget(buildTypeRow());
    }
    layout->addWidget(grid_, 1);
    if (kind == Kind::Inverse) {
        layout->addWidget(area_);
        layout->addWidget(tsubo_);
    } else {
        area_->hide();
        tsubo_->hide();
    }
    layout->addWidget(buildCommands());
    buildContextMenu();
    clear();
    if (kind == Kind::Inverse && host_.radialInverse) {
        setRadial(true);
    }
}

QWidget* PointGridPage::buildTypeRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    open_ = new QRadioButton(QStringLiteral("開放型(&O)"), row);
    radialButton_ = new QRadioButton(QStringLiteral("放射型(&R)"), row);
    auto* group = new QButtonGroup(row);
    group->addButton(open_);
    group->addButton(radialButton_);
    open_->setChecked(true);
    // Enabled by the idle rules while the parcel editor can give or take a parcel.
    insertParcel_ = CalcButton(QStringLiteral("<<画地挿入"), row);
    registerParcel_ = CalcButton(QStringLiteral("画地登録>>"), row);
    insertParcel_->setEnabled(false);
    registerParcel_->setEnabled(false);
    for (QWidget* widget : {static_cast<QWidget*>(open_), static_cast<QWidget*>(radialButton_),
                            static_cast<QWidget*>(insertParcel_), static_cast<QWidget*>(registerParcel_)}) {
        layout->addWidget(widget);
    }
    connect(insertParcel_, &QPushButton::clicked, this, &PointGridPage::insertParcel);
    connect(registerParcel_, &QPushButton::clicked, this, &PointGridPage::registerParcel);
    connect(radialButton_, &QRadioButton::toggled, this, [this](bool on) {
        radial_ = on;
        clear();
    });
    return row;
}

QWidget* PointGridPage::buildCommands() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* copy = CalcButton(QStringLiteral("コピー(&C)"), row);
    auto* print = CalcButton(QStringLiteral("印刷(&P)"), row);
    auto* clearButton = CalcButton(QStringLiteral("クリア(&L)"), row);
    auto* close = CalcButton(QStringLiteral("閉じる(&X)"), row);
    for (QPushButton* button : {copy, print, clearButton, close}) {
        layout->addWidget(button);
    }
    outputButtons_ = {copy, print, clearButton};
    connect(copy, &QPushButton::clicked, this, &PointGridPage::copyToClipboard);
    connect(print, &QPushButton::clicked, this, &PointGridPage::print);
    connect(clearButton, &QPushButton::clicked, this, [this] {
        clear();
        focusFirstInput();
    });
    connect(close, &QPushButton::clicked, this, &CalcPage::closeRequested);
    return row;
}

QString PointGridPage::caption() const {
    return QString::fromUtf8(definition_.caption.data(), static_cast<qsizetype>(definition_.caption.size()));
}

GridMode PointGridPage::mode() const {
    if (kind_ == Kind::Perpendicular) {
        return GridMode::Perpendicular;
    }
    return radial_ ? GridMode::InverseRadial : GridMode::InverseOpen;
}

void PointGridPage::setRadial(bool radial) {
    if (radialButton_) {
        (radial ? radialButton_ : open_)->setChecked(true);
    }
}

void PointGridPage::clear() {
    const auto headings = GridHeadings(mode());
    QStringList labels;
    for (const std::string& heading : headings) {
        labels << FromCp932(heading);
    }
    grid_->setHorizontalHeaderLabels(labels);
    grid_->setRowCount(0);
    grid_->setRowCount(1);
    relabel();
    const AreaLines bare = InverseAreaLines({});
    area_->setText(FromCp932(bare.area));
    tsubo_->setText(FromCp932(bare.tsubo));
    grid_->setCurrentCell(0, kNameColumn);
    if (host_.highlightPoint) {
        host_.highlightPoint({});
    }
    setOverlay({});
}

void PointGridPage::focusFirstInput() {
    grid_->setFocus();
    grid_->setCurrentCell(grid_->rowCount() - 1, kNameColumn);
}

// A name clicked in the coordinate list or on the plot changes the grid where the surveyor may not be
// looking: the status line says so.
bool PointGridPage::takePointName(const std::string& cp932) {
    const int row = grid_->currentRow() < 0 ? grid_->rowCount() : grid_->currentRow() + 1;
    if (enterName(row, FromCp932(cp932))) {
        ShowStatusNotice(this, FromCp932(msg::PointAddedToGrid(cp932, ToCp932OrThrow(gridName()))));
    }
    return true;
}

QString PointGridPage::gridName() const {
    return kind_ == Kind::Inverse ? QStringLiteral("逆座標") : QStringLiteral("垂線長");
}

QString PointGridPage::nameAt(int row) const {
    const QTableWidgetItem* item = grid_->item(row - 1, kNameColumn);
    return item ? item->text() : QString();
}

void PointGridPage::setCell(int row, int column, const QString& text) {
    QTableWidgetItem* item = grid_->item(row - 1, column);
    if (!item) {
        item = new QTableWidgetItem;
        if (column != kNameColumn) {
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        }
        if (column == 0) {
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        grid_->setItem(row - 1, column, item);
    }
    item->setText(text);
}

void PointGridPage::ensureRows(int count) {
    if (grid_->rowCount() < count) {
        grid_->setRowCount(count);
    }
}

std::vector<std::string> PointGridPage::names() const {
    std::vector<std::string> names;
    for (int row = 1; row <= grid_->rowCount(); ++row) {
        names.push_back(ToCp932(nameAt(row).trimmed()).value_or(std::string()));
    }
    return WithoutEntryRows(std::move(names));
}

bool PointGridPage::enterName(int row, const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty() || !host_.store) {
        return false;
    }
    const Store& store = *host_.store;
    if (text.startsWith('+') && row == grid_->rowCount() && row >= 2) {
        serialEntry(row, text.mid(1));
        return true;
    }
    const std::string name = ToCp932(text).value_or(std::string());
    std::vector<std::string> rows = names();
    rows.resize(std::max<size_t>(rows.size(), row), std::string());
    const bool radialRule = mode() == GridMode::InverseRadial;
    const std::string refusal = GridNameRefusal(rows, row, name, radialRule, store.Index(), ToCp932OrThrow(gridName()));
    if (!refusal.empty()) {
        MessageBox::ShowCp932(this, refusal);
        grid_->setFocus();
        grid_->setCurrentCell(row - 1, kNameColumn);
        return false;
    }
    ensureRows(row);
    setCell(row, kNameColumn, text);
    ensureRows(row + 1);
    relabel();
    grid_->setCurrentCell(row, kNameColumn);
    recompute();
    return true;
}

void PointGridPage::serialEntry(int row, const QString& target) {
    const auto series = SerialEntryNames(ToCp932(nameAt(row - 1)).value_or(std::string()),
                                         ToCp932(target).value_or(std::string()), host_.store->Index());
    if (series.empty()) {
        setCell(row, kNameColumn, QString());
        return;
    }
    for (const std::string& name : series) {
        setCell(row, kNameColumn, FromCp932(name));
        ++row;
        ensureRows(row);
    }
    relabel();
    grid_->setCurrentCell(row - 1, kNameColumn);
    recompute();
}

void PointGridPage::relabel() {
    for (int row = 1; row <= grid_->rowCount(); ++row) {
        setCell(row, 0, FromCp932(GridRowLabel(mode(), row)));
    }
    // Nothing to copy, print or clear before the first name.
    for (QPushButton* button : outputButtons_) {
        button->setEnabled(grid_->rowCount() >= 2);
    }
}

void PointGridPage::recompute() {
    if (!host_.store) {
        return;
    }
    PointGridResult result;
    try {
        CalcArguments arguments;
        arguments.Set("", NamesText(names()));
        if (mode() == GridMode::InverseRadial) {
            arguments.Set("radial", {});
        }
        CheckArguments(definition_, arguments, true);
        CalcOutcome outcome = definition_.run(arguments, *host_.store);
        result = {std::move(outcome.gridRows), std::move(outcome.area), std::move(outcome.overlay)};
    } catch (const std::exception&) {
        // Nothing to show: the cells are emptied.
    }
    ShowGridResultCells(*grid_, result);
    area_->setText(FromCp932(result.area.area));
    tsubo_->setText(FromCp932(result.area.tsubo));
    setOverlay(result.overlay);
}

void PointGridPage::onCursorMoved(int row) {
    if (host_.highlightPoint && row >= 0) {
        host_.highlightPoint(ToCp932(nameAt(row + 1).trimmed()).value_or(std::string()));
    }
}

std::vector<GridRowText> PointGridPage::rowsText() const {
    return PointGridText(mode(), names(), [this] {
        PointGridResult cells;
        for (int row = 1; row <= grid_->rowCount(); ++row) {
            auto text = [&](int column) {
                const QTableWidgetItem* item = grid_->item(row - 1, column);
                return item ? ToCp932(item->text()).value_or(std::string()) : std::string();
            };
            cells.rows.push_back({text(2), text(3), text(4)});
        }
        return cells;
    }());
}

} // namespace vemo
