#pragma once

#include "core/parcels/SelectionList.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QTableWidget;
class QPushButton;

namespace vemo {

class Store;

// The coordinate selection panel (座標選択) at the left edge of the plot: point names gathered by
// typing (exact, "Q*" prefix, "+name" runs), by clicks on the plot, from the points in view or from the
// vertices of the selected parcels, then printed, written as SIMA or 日調連, or sent to an instrument.
class SelectionPanel : public QWidget {
    Q_OBJECT
public:
    explicit SelectionPanel(Store& store, QWidget* parent = nullptr);

    const std::vector<std::string>& names() const { return selection_.Names(); }
    // The selected names and the empty entry row, as the list shows them.
    std::vector<std::string> rows() const;
    // Where 選択画地挿入 takes its parcels from (the parcel editor's selected rows).
    void setParcelSource(std::function<std::vector<int>()> selectedParcels) { parcels_ = std::move(selectedParcels); }
    // Where 測点ｲﾒｰｼﾞ挿入 takes its names from (the points the plot drew last).
    void setImagePointSource(std::function<std::vector<std::string>()> drawnNames) {
        imagePoints_ = std::move(drawnNames);
    }

    // A point clicked on the plot: in if it was out, out if it was in.
    void togglePoint(const std::string& name);
    void insertImagePoints();  // 測点ｲﾒｰｼﾞ挿入
    void insertParcelPoints(); // 選択画地挿入
    void sortNames();          // 整列
    void clearNames();         // クリア
    void printNames();         // 印刷
    // 挿入 (Ctrl+Insert): an empty row at the cursor; a name typed there joins the selection at that place.
    void insertEmptyRow();
    // 削除 (Ctrl+Delete): the cursor row's name leaves the selection.
    void deleteCursorRow();

    QTableWidget* list() const { return list_; }
    QPushButton* button(const QString& caption) const;

signals:
    // The selection changed: the plot redraws its highlights.
    void selectionChanged();
    void saveSimaRequested(const std::vector<std::string>& names);
    void saveNichorenRequested(const std::vector<std::string>& names);
    // 座標転送(ZUB): offered while the list holds at least one name.
    void sendZubRequested(const std::vector<std::string>& names);
    void closeRequested();

private:
    QWidget* buildButtons();
    void installRowActions();
    // Shows the selection with the entry row below it, and an empty inserted row at `insertedRow`
    // (none when -1), with the cursor on `currentRow`.
    void showNames(int currentRow, int insertedRow = -1);
    // The selection position a list row stands for (the inserted empty row counts no name).
    int selectionIndex(int row) const { return insertedRow_ >= 0 && row > insertedRow_ ? row - 1 : row; }
    void confirmCell(int row, const QString& text);
    void confirmInsertedRow(int row, const std::string& text, const QString& typed);
    // Whether a typed name is in the coordinate list; a message says so when it is not.
    bool isKnownPoint(const std::string& text, const QString& typed);
    void afterAdding();

    Store& store_;
    SelectionList selection_;
    QTableWidget* list_;
    std::vector<QPushButton*> buttons_;
    std::function<std::vector<int>()> parcels_;
    std::function<std::vector<std::string>()> imagePoints_;
    int insertedRow_ = -1;
};

} // namespace vemo
