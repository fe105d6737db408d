#include "ui/grid/XyzTableModel.h"

#include "ui/common/Cp932Text.h"

#include <QBrush>
#include <QColor>

namespace vemo {
namespace {

// Light grey behind a column that takes no input.
const QColor kSwitchedOffColor(235, 235, 235);

Qt::Alignment ColumnAlignment(int col) {
    switch (col) {
    case kColX:
    case kColY:
    case kColZ:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

XyzTableModel::XyzTableModel(XyzList& list, QObject* parent) : QAbstractTableModel(parent), list_(list) {
    list_.AddObserver(this);
}

XyzTableModel::~XyzTableModel() {
    list_.RemoveObserver(this);
}

void XyzTableModel::setColumnSwitches(const ColumnSwitches& switches) {
    switches_ = switches;
    emit dataChanged(cellIndex(1, kColZ), cellIndex(list_.RowCount() - 1, kColBiko), {Qt::BackgroundRole});
}

int XyzTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.PointRowCount();
}

int XyzTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant XyzTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const int col = listColumnOf(index);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return FromCp932(list_.Cell(listRowOf(index), col));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ColumnAlignment(col));
    case Qt::BackgroundRole:
        if (!switches_.IsOn(col)) {
            return QBrush(kSwitchedOffColor);
        }
        return {};
    default:
        return {};
    }
}

QVariant XyzTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section >= 0 && section < kColumns) {
        if (role == Qt::DisplayRole) {
            return FromCp932(list_.Cell(0, section + 1));
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        }
        return {};
    }
    if (orientation == Qt::Vertical && section >= 0 && section < rowCount()) {
        if (role == Qt::DisplayRole) {
            return FromCp932(list_.Cell(section + 1, kColNo));
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        }
    }
    return {};
}

Qt::ItemFlags XyzTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool XyzTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return false;
    }
    std::optional<std::string> text = ToCp932(value.toString());
    if (!text) {
        return false;
    }
    if (*text != list_.Cell(listRowOf(index), listColumnOf(index))) {
        list_.SetCell(listRowOf(index), listColumnOf(index), std::move(*text)); // dataChanged comes from the list
    }
    return true;
}

bool XyzTableModel::insertRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || row > rowCount() || count <= 0) {
        return false;
    }
    list_.InsertEmptyRows(row + 1, count);
    return true;
}

bool XyzTableModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount()) {
        return false;
    }
    list_.RemoveRows(row + 1, count);
    return true;
}

void XyzTableModel::CellsChanged(int firstRow, int lastRow, int firstCol, int lastCol) {
    if (firstCol == kColNo) {
        // The numbers after an insertion or removal: the vertical header shows them.
        emit headerDataChanged(Qt::Vertical, firstRow - 1, lastRow - 1);
        if (lastCol == kColNo) {
            return;
        }
        firstCol = kColName;
    }
    emit dataChanged(cellIndex(firstRow, firstCol), cellIndex(lastRow, lastCol), {Qt::DisplayRole, Qt::EditRole});
}

void XyzTableModel::RowsAboutToBeInserted(int first, int last) {
    beginInsertRows({}, first - 1, last - 1);
}

void XyzTableModel::RowsInserted(int, int) {
    endInsertRows();
}

void XyzTableModel::RowsAboutToBeRemoved(int first, int last) {
    beginRemoveRows({}, first - 1, last - 1);
}

void XyzTableModel::RowsRemoved(int, int) {
    endRemoveRows();
}

void XyzTableModel::AboutToReset() {
    beginResetModel();
}

void XyzTableModel::Reset() {
    endResetModel();
}

} // namespace vemo
