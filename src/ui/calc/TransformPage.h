#pragma once

#include "core/calc/Calculation.h"
#include "core/transform/Transformation.h"
#include "ui/calc/CalcPage.h"

#include <string>
#include <utility>
#include <vector>

class QGroupBox;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace vemo {

class TransformDialog;

// The coordinate transformation tab (座標変換): control pairs (old-system name, new-system name) in a
// grid, the method, and 計算実行, which fits the transformation through the core and opens the
// registration dialog (変換座標登録) for the points of the main window's coordinate selection.
class TransformPage : public CalcPage {
    Q_OBJECT
public:
    // `definition` fits the transformation (core/calc/Calculation.h), as the batch tool does.
    TransformPage(const CalcDefinition& definition, CalcHost& host, QWidget* parent = nullptr);

    QString caption() const override { return QStringLiteral("座標変換計算"); }
    void clear() override;
    void focusFirstInput() override;
    bool takePointName(const std::string& cp932) override;

    // Grid entry: Enter on row `row` (1-based), column 1 (old) or 2 (new), with the typed text.
    void enterName(int row, int column, const QString& text);
    // The pairs as far as both names are filled in.
    std::vector<std::pair<std::string, std::string>> pairRows() const;
    // The method in force: three or more pairs always get the Helmert fit.
    TransformMethod method() const;
    void setMethod(TransformMethod method);
    // 計算実行: checks the selection and the pairs, fits and shows the registration dialog (modal).
    void run();

    QTableWidget* grid() const { return grid_; }
    QGroupBox* methodGroup() const { return methodGroup_; }
    QPushButton* runButton() const { return run_; }
    TransformDialog* dialog() const { return dialog_; }

private:
    const CalcDefinition& definition_;
    QWidget* buildMethod();
    QWidget* buildCommands();
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    void relabel();
    void lockMethod();

    QTableWidget* grid_ = nullptr;
    QGroupBox* methodGroup_ = nullptr;
    QRadioButton* twoPoint_ = nullptr;
    QRadioButton* helmert_ = nullptr;
    QPushButton* run_ = nullptr;
    TransformDialog* dialog_ = nullptr;
};

} // namespace vemo
