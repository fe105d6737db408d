#pragma once

#include "core/edit/EntryRules.h"
#include "core/store/XyzList.h"

#include <QAbstractTableModel>

namespace vemo {

// The coordinate list as a table: model row r is list row r + 1 and model column c is list column
// c + 1.  The list's header row is the horizontal header; its number column "№", which always holds
// the row's own index, is the vertical header, so the cells never change when rows move.  The model keeps no copy of
// the cells: it reads the list on demand and follows its change notifications, so 99,998 rows cost nothing extra and an
// insertion near the top moves no more than the list itself moves.
class XyzTableModel : public QAbstractTableModel, private XyzListObserver {
    Q_OBJECT
public:
    explicit XyzTableModel(XyzList& list, QObject* parent = nullptr);
    ~XyzTableModel() override;

    XyzList& list() const { return list_; }

    // Switched-off optional columns are drawn on light grey.
    void setColumnSwitches(const ColumnSwitches& switches);
    const ColumnSwitches& columnSwitches() const { return switches_; }

    static int listRowOf(const QModelIndex& index) { return index.row() + 1; }
    static int listColumnOf(const QModelIndex& index) { return index.column() + 1; }
    QModelIndex cellIndex(int listRow, int listCol) const { return index(listRow - 1, listCol - 1); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Text that has no CP932 form (an emoji) is refused: the data holds CP932 only.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // The list's columns 1 .. 6 (点名 .. 備考).
    static constexpr int kColumns = kXyzColumnCount - 1;
    // Inserts empty point rows / removes point rows through the list (which renumbers "№").
    bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

private:
    void CellsChanged(int firstRow, int lastRow, int firstCol, int lastCol) override;
    void RowsAboutToBeInserted(int first, int last) override;
    void RowsInserted(int first, int last) override;
    void RowsAboutToBeRemoved(int first, int last) override;
    void RowsRemoved(int first, int last) override;
    void AboutToReset() override;
    void Reset() override;

    XyzList& list_;
    ColumnSwitches switches_;
};

} // namespace vemo
