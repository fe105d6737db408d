#pragma once

#include <QLabel>
#include <QList>
#include <QWidget>

#include <functional>

class QAction;
class QCheckBox;
class QHBoxLayout;
class QLineEdit;
class QToolButton;

namespace vemo {

class ShiftPanel;
class XyzCleanDialog;
class XyzStrGrid;
struct CleanupRequest;
class Store;

// A status text that toggles on a double-click (the Enter direction and the Inc/Dec indicators).
class ToggleIndicator : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The coordinate list area: the tool row (column switches, input-assist switch, Enter-direction and
// Inc/Dec indicators, the search box with its two buttons), the input-assist panel and the grid, with
// the list's commands.  The main window puts the panel into its coordinate-list area and connects its
// 座標リスト menu commands to the slots below.
class XyzListPanel : public QWidget {
    Q_OBJECT
public:
    explicit XyzListPanel(Store& store, QWidget* parent = nullptr);

    XyzStrGrid* grid() const { return grid_; }
    ShiftPanel* shiftPanel() const { return shiftPanel_; }
    QLineEdit* findEdit() const { return findEdit_; }
    ToggleIndicator* enterIndicator() const { return enterIndicator_; }
    ToggleIndicator* incIndicator() const { return incIndicator_; }
    XyzCleanDialog* cleanDialog() const { return cleanDialog_; }
    bool shiftInput() const;

    // The context menu shows these actions (the main window's commands) instead of the panel's own.
    void setContextMenuActions(QList<QAction*> actions);
    QList<QAction*> ownActions() const { return ownActions_; }
    QList<QAction*> contextMenuActions() const { return menuActions_; }
    // Typed letters become upper case in the cleanup dialog (setting UpperChr).
    void setUpperChr(bool on);

    // The program that opens "Xyz.txt" for "エディタ起動" (the desktop's editor by default); tests
    // replace it.
    static void setDocumentOpener(std::function<bool(const QString& path)> opener);

    // Runs a cleanup as the dialog's "実行" would.
    void runCleanup(const CleanupRequest& request);

public slots:
    void insertRow();         // ListInsert "一行挿入"
    void deleteRow();         // ListDelete "一行削除"
    void toggleZInput();      // ListZInput "Z座標入力"
    void toggleTensyuInput(); // ListTensyuInput "点種入力"
    void toggleBikoInput();   // ListBikoInput "備考入力"
    void toggleShiftInput();  // ListShiftInput "入力補助"
    void setShiftInput(bool on);
    void findDown();     // ListFindToDown "検索↓"
    void findUp();       // ListFindToUp "検索↑"
    void clean();        // ListClean "座標整理"
    void editInEditor(); // ListEdit "エディタ起動"
    void shiftAll();     // "一括"
    void shiftDown();    // "下方向"

signals:
    // The list changed so much (cleanup) that the name index was rebuilt: the plot repaints.
    void nameIndexRebuilt();
    // A point was completed and there are at least two: the plot may fit all points.
    void fitAllRequested();
    // The input assist was switched on or off.
    void shiftInputChanged(bool on);

private:
    QWidget* buildToolRow();
    void addIndicators(QWidget* row, QHBoxLayout* layout);
    void buildActions();
    void connectGrid();
    void toggleColumn(int col);
    void find(bool downward);
    void applyShiftRows(int fromRow);
    void rebuildIndex();
    void showContextMenu(const QPoint& pos);

    Store& store_;
    XyzStrGrid* grid_ = nullptr;
    ShiftPanel* shiftPanel_ = nullptr;
    QCheckBox* zBox_ = nullptr;
    QCheckBox* tensyuBox_ = nullptr;
    QCheckBox* bikoBox_ = nullptr;
    QCheckBox* shiftBox_ = nullptr;
    ToggleIndicator* enterIndicator_ = nullptr;
    ToggleIndicator* incIndicator_ = nullptr;
    QLineEdit* findEdit_ = nullptr;
    XyzCleanDialog* cleanDialog_ = nullptr;
    QAction* zAction_ = nullptr;
    QAction* tensyuAction_ = nullptr;
    QAction* bikoAction_ = nullptr;
    QAction* shiftAction_ = nullptr;
    QList<QAction*> ownActions_;
    QList<QAction*> menuActions_;
};

} // namespace vemo
