#include "ui/grid/GridRowOps.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QVariant>
#include <QVector>

namespace vemo {
namespace {

QVector<QVariant> LabelsFrom(const QAbstractItemModel& model, int labelColumn, int fromRow) {
    QVector<QVariant> labels;
    if (labelColumn >= 0) {
        for (int row = fromRow; row < model.rowCount(); ++row) {
            labels.push_back(model.data(model.index(row, labelColumn), Qt::EditRole));
        }
    }
    return labels;
}

// Puts the saved numbers back by position; rows beyond them are numbered by their place.
void RestoreLabels(QAbstractItemModel& model, int labelColumn, int fromRow, const QVector<QVariant>& labels) {
    if (labelColumn < 0) {
        return;
    }
    for (int row = fromRow; row < model.rowCount(); ++row) {
        int i = row - fromRow;
        QVariant label = i < labels.size() ? labels[i] : QVariant(QString::number(row + 1));
        model.setData(model.index(row, labelColumn), label, Qt::EditRole);
    }
}

void SetCursor(QAbstractItemView& view, int row, int col) {
    QAbstractItemModel* model = view.model();
    row = std::min(row, model->rowCount() - 1);
    if (row >= 0) {
        view.selectionModel()->setCurrentIndex(model->index(row, col), QItemSelectionModel::ClearAndSelect);
    }
}

} // namespace

bool GridInsertRow(QAbstractItemView& view, int labelColumn) {
    QAbstractItemModel* model = view.model();
    const QModelIndex current = view.currentIndex();
    if (model == nullptr || !current.isValid()) {
        return false;
    }
    const int row = current.row();
    QVector<QVariant> labels = LabelsFrom(*model, labelColumn, row);
    if (!model->insertRows(row, 1)) {
        return false;
    }
    RestoreLabels(*model, labelColumn, row, labels);
    SetCursor(view, row, current.column());
    return true;
}

bool GridDeleteRow(QAbstractItemView& view, int labelColumn) {
    QAbstractItemModel* model = view.model();
    const QModelIndex current = view.currentIndex();
    if (model == nullptr || !current.isValid()) {
        return false;
    }
    const int row = current.row();
    if (row == model->rowCount() - 1) {
        for (int col = 0; col < model->columnCount(); ++col) {
            QModelIndex cell = model->index(row, col);
            if (col != labelColumn && model->flags(cell).testFlag(Qt::ItemIsEditable)) {
                model->setData(cell, QString(), Qt::EditRole);
            }
        }
        return true;
    }
    QVector<QVariant> labels = LabelsFrom(*model, labelColumn, row);
    if (!model->removeRows(row, 1)) {
        return false;
    }
    RestoreLabels(*model, labelColumn, row, labels);
    SetCursor(view, row, current.column());
    return true;
}

} // namespace vemo
