#pragma once

#include "core/calc/Construction.h"
#include "ui/calc/CalcPage.h"

#include <vector>

namespace vemo {

class CalcNameEdit;
class CalcNumberEdit;
class CircleGroup;
class LineGroup;
class ResultPanel;
class ShiftGrid;

// The construction tabs: crossings of lines and circles, offset point, foot of a perpendicular, corner
// cut and the parallel shift of a path.  Every change of an input recomputes the tab once, shows its
// message once, and the plot draws the last result; 登録 puts the results into the coordinate list.
class ConstructionPage : public CalcPage {
    Q_OBJECT
public:
    enum class Type { LineLine, LineCircle, CircleCircle, Offset, Foot, CornerCut, ParallelShift };
    ConstructionPage(Type type, CalcHost& host, QWidget* parent = nullptr);

    void clear() override;
    void focusFirstInput() override;
    bool takePointName(const std::string& cp932) override;
    void refresh() override;

    // Recompute from the current inputs (every change of an input runs it).
    void recompute();
    // 登録 (ConstructionRegister.cpp).
    void registerResults() override;
    void registerCircleCentre();

    LineGroup* line1() const { return line1_; }
    LineGroup* line2() const { return line2_; }
    CircleGroup* circle1() const { return circle1_; }
    CircleGroup* circle2() const { return circle2_; }
    CalcNameEdit* base() const { return base_; }
    CalcNumberEdit* along() const { return along_; }
    CalcNumberEdit* across() const { return across_; }
    const std::vector<CalcNameEdit*>& cornerNames() const { return corner_; }
    CalcNumberEdit* cornerLength() const { return cornerLength_; }
    ShiftGrid* shiftGrid() const { return shift_; }
    ResultPanel* results() const { return panel_; }

private:
    void buildInputs(QLayout* layout);
    ConstructionResult compute() const;
    void showResult(const ConstructionResult& result, bool withMessage);
    void resetAfterRegistration();
    void updateCentreButton();
    std::vector<CalcNameEdit*> nameFields() const;

    Type type_;
    LineGroup* line1_ = nullptr;
    LineGroup* line2_ = nullptr;
    CircleGroup* circle1_ = nullptr;
    CircleGroup* circle2_ = nullptr;
    CalcNameEdit* base_ = nullptr;
    CalcNumberEdit* along_ = nullptr;
    CalcNumberEdit* across_ = nullptr;
    std::vector<CalcNameEdit*> corner_;
    CalcNumberEdit* cornerLength_ = nullptr;
    ShiftGrid* shift_ = nullptr;
    ResultPanel* panel_ = nullptr;
    std::vector<PlanePoint> results_;
    std::optional<Circle> threePointCentre_;
    bool registering_ = false; // the list grows under 登録: the results stay as they are meanwhile
};

} // namespace vemo
