#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace vemo {

// The editor of a name cell in the calculation grids.  Only Enter hands the typed text on (to
// `enter`, with the row); the cell itself is written by the grid's own rules, so Escape, the arrow keys,
// paging and leaving the cell by a click give the cell back the text it had.  Letters become upper case.
class CalcCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    CalcCellDelegate(std::function<void(int row, const QString& text)> enter, QObject* parent);

    void setUpperCase(bool on) { upperCase_ = on; }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(int, const QString&)> enter_;
    bool upperCase_ = true;
    mutable int editedRow_ = -1;
};

} // namespace vemo
