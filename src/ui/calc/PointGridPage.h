#pragma once

#include "core/calc/Calculation.h"
#include "core/calc/GridText.h"
#include "core/calc/PointGrid.h"
#include "ui/calc/CalcPage.h"

#include <string>
#include <vector>

class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace vemo {

// The point-grid tabs: 逆座標 (open or radial inverse) and 垂線長 (perpendicular lengths).  Names are
// typed (or clicked) into column 1; every accepted name recomputes the grid, the area display and the
// plot overlay.
class PointGridPage : public CalcPage {
    Q_OBJECT
public:
    enum class Kind { Inverse, Perpendicular };
    // `definition` computes the grid (core/calc/Calculation.h), as the batch tool does.
    PointGridPage(Kind kind, const CalcDefinition& definition, CalcHost& host, QWidget* parent = nullptr);

    QString caption() const override;
    void clear() override;
    void focusFirstInput() override;
    bool takePointName(const std::string& cp932) override;
    void refresh() override { recompute(); }
    void updateEnabling() override;

    // <<画地挿入: the names of the parcel open in the parcel editor appended to the grid; 画地登録>>:
    // the grid's names registered as a new parcel (PointGridParcels.cpp).
    void insertParcel();
    void registerParcel();
    QPushButton* insertParcelButton() const { return insertParcel_; }
    QPushButton* registerParcelButton() const { return registerParcel_; }

    GridMode mode() const;
    void setRadial(bool radial);
    // Grid entry: Enter on row `row` (1-based) of column 1 with the typed text.
    // True when the name went into the grid (a refusal is shown).
    bool enterName(int row, const QString& text);
    // The grid rows as text, row 0 the headings.
    std::vector<GridRowText> rowsText() const;

    QTableWidget* grid() const { return grid_; }
    QLabel* areaLabel() const { return area_; }
    QLabel* tsuboLabel() const { return tsubo_; }

    // Output of the grid (PointGridOutput.cpp).
    void copyToClipboard();
    void writeResultTxt(bool append);
    void print();
    void printTo(QPrinter& printer);

private:
    // The grid as messages name it: 逆座標, 垂線長.
    QString gridName() const;
    QWidget* buildTypeRow();
    QWidget* buildCommands();
    void buildContextMenu();
    std::vector<std::string> names() const;
    QString nameAt(int row) const;
    void setCell(int row, int column, const QString& text);
    void ensureRows(int count);
    void serialEntry(int row, const QString& target);
    void recompute();
    void relabel();
    void onCursorMoved(int row);

    Kind kind_;
    const CalcDefinition& definition_;
    bool radial_ = false;
    QTableWidget* grid_ = nullptr;
    QRadioButton* open_ = nullptr;
    QRadioButton* radialButton_ = nullptr;
    std::vector<QPushButton*> outputButtons_; // コピー, 印刷, クリア
    QPushButton* insertParcel_ = nullptr;
    QPushButton* registerParcel_ = nullptr;
    QLabel* area_ = nullptr;
    QLabel* tsubo_ = nullptr;
};

} // namespace vemo
