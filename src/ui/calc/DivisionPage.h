#pragma once

#include "core/calc/Calculation.h"
#include "core/division/Division.h"
#include "ui/calc/CalcPage.h"

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QWidget;

namespace vemo {

class CalcNameEdit;
class CalcNumberEdit;
class DivisionDialog;

// The constant-area division tab (定面積分割): the parcel boundary in a point grid (shown with its legs,
// angles and area as the open inverse computation shows them), the method, the
// target area and, for the parallel method, the base line, the angle and the start vertex.  計算実行
// divides through the core and opens the registration dialog (座標・画地登録) with the result.
class DivisionPage : public CalcPage {
    Q_OBJECT
public:
    // `definition` divides (core/calc/Calculation.h), as the batch tool does.
    DivisionPage(const CalcDefinition& definition, CalcHost& host, QWidget* parent = nullptr);

    QString caption() const override { return QStringLiteral("定面積分割計算"); }
    void clear() override;
    void focusFirstInput() override;
    bool takePointName(const std::string& cp932) override;
    void refresh() override;
    void updateEnabling() override;

    bool parallel() const;
    void setParallel(bool parallel);
    // Grid entry: Enter on row `row` (1-based) with the typed text.
    void enterName(int row, const QString& text);
    // << 画地挿入: the vertices of the parcel open in the parcel editor into the grid.
    void insertParcel();
    // 計算実行: validates, divides and shows the registration dialog (modal).
    void run();

    QTableWidget* grid() const { return grid_; }
    QLabel* areaLabel() const { return area_; }
    QLabel* tsuboLabel() const { return tsubo_; }
    CalcNumberEdit* targetField() const { return target_; }
    CalcNameEdit* base1Field() const { return base1_; }
    CalcNameEdit* base2Field() const { return base2_; }
    CalcNumberEdit* angleField() const { return angle_; }
    CalcNameEdit* startField() const { return start_; }
    QPushButton* runButton() const { return run_; }
    QPushButton* insertParcelButton() const { return insertParcel_; }
    // The dialog of the last run while it is open (tests drive it).
    DivisionDialog* dialog() const { return dialog_; }

private:
    const CalcDefinition& definition_;
    QWidget* buildMethod();
    QWidget* buildFields();
    QWidget* buildCommands();
    std::vector<std::string> names() const;
    void setName(int row, const QString& text);
    void relabel();
    void showGrid();
    std::optional<DivisionParcel> parcel() const;
    std::optional<double> direction() const;
    void snapStart();
    void showMethodHint();
    void checkAngle();
    void redraw(const std::optional<DivisionResult>& result);
    void showDialog(const DivisionResult& result);

    QTableWidget* grid_ = nullptr;
    QLabel* area_ = nullptr;
    QLabel* tsubo_ = nullptr;
    QRadioButton* parallel_ = nullptr;
    QRadioButton* onePoint_ = nullptr;
    CalcNumberEdit* target_ = nullptr;
    QWidget* parallelFields_ = nullptr;
    QLabel* methodHint_ = nullptr;
    CalcNameEdit* base1_ = nullptr;
    CalcNameEdit* base2_ = nullptr;
    CalcNumberEdit* angle_ = nullptr;
    CalcNameEdit* start_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* insertParcel_ = nullptr;
    DivisionDialog* dialog_ = nullptr;
    bool angleRefused_ = false; // the refusal of the angle is under way: the focus is on its way back
};

} // namespace vemo
