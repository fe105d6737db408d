#pragma once

#include <QStyledItemDelegate>

#include <functional>

class QTableWidget;

namespace vemo {

// Editing of a point-name cell: only Enter confirms what was typed (the owner decides whether the
// name is taken); Esc, the row keys and leaving the cell give the cell back its text as it was, so a
// name typed but not confirmed never slips into a parcel.
class NameCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

signals:
    void entered(const QString& text);
    // A row key (Up, Down, Page Up, Page Down) cancelled the edit; the view should still act on it.
    void rowKeyPressed(int key);

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;
};

// Makes `column` of the grid a point-name column: the delegate above for editing, Enter on a cell that
// is not being edited confirming the text it holds, the row keys acting after a cancelled edit.
// `confirm` gets the row and the text.
void ConfirmNamesOnEnter(QTableWidget* grid, int column, std::function<void(int row, const QString& text)> confirm);

} // namespace vemo
