#pragma once

#include "core/store/BlockList.h"

#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;
class QToolButton;

namespace vemo {

class Store;

// The parcel editor (画地編集): the parcel name, its ring as a column of point names typed or taken
// from the plot, and the registered parcels.  新規 (Ctrl+Home), 追加 (Ctrl+Enter), 変更 and 削除
// (Ctrl+Delete in the list) work on the store's parcel list; the editor follows that list whoever
// changes it.
class ParcelEditor : public QWidget, private BlockListObserver {
    Q_OBJECT
public:
    explicit ParcelEditor(Store& store, QWidget* parent = nullptr);
    ~ParcelEditor() override;

    // BlkClear, BlkAdd, BlkChange, BlkDel.
    void clearParcel();
    void addParcel();
    void changeParcel();
    void deleteParcel();
    // Loads a registered parcel into the editor (a click in the list, a parcel picked on the plot).
    void loadParcel(int position);
    // A point name handed over by the plot or the coordinate list: confirmed in the current row as if
    // typed and entered.
    void takePointName(const std::string& name);

    // Rows of the point-name column (CP932), the entry row included.
    std::vector<std::string> rows() const;
    // The registered parcels selected in the list, in list order.
    std::vector<int> selectedPositions() const;
    int chosenParcel() const { return chosen_; }

    QLineEdit* nameField() const { return name_; }
    QTableWidget* grid() const { return grid_; }
    QListWidget* parcelList() const { return list_; }
    // The line naming the loaded parcel's points that the coordinate list lacks (hidden when none).
    QLabel* missingPointsLine() const { return missing_; }
    QToolButton* button(const QString& caption) const;

signals:
    // The ring in the column changed (the plot redraws its dotted outline).
    void ringChanged();
    // The point of the current row, for the plot's highlight (empty: none).
    void currentPointChanged(const QString& name);
    // The parcel chosen in the list (-1: none); the plot draws it in the chosen colour.
    void chosenParcelChanged(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BlockAdded(int) override { refreshList(); }
    void BlockReplaced(int) override { refreshList(); }
    void BlockRemoved(int) override { refreshList(); }
    void BlocksReset() override;

    QWidget* buildToolRow();
    void installKeys();
    void installRowActions();
    void refreshList();
    void setRows(const std::vector<std::string>& rows);
    void setCell(int row, const std::string& name);
    void moveToRow(int row);
    bool confirmCell(int row, const QString& text); // false: refused with a message
    void commitEditAndAdd();
    void showMissingPoints(const std::vector<std::string>& names);
    void enterSequence(int row, const std::string& target);
    bool checkRing(bool quietWhenNotFormed);

    Store& store_;
    QLineEdit* name_;
    QLabel* missing_;
    QTableWidget* grid_;
    QListWidget* list_;
    std::vector<QToolButton*> buttons_;
    int chosen_ = -1;
};

} // namespace vemo
