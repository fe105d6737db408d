#pragma once

#include "core/calc/Calculation.h"
#include "ui/calc/CalcPage.h"
#include "ui/calc/FormStyle.h"

#include <optional>
#include <vector>

class QAbstractButton;
class QBoxLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace vemo {

class CalcNameEdit;
class CalcNumberEdit;
class CircleGroup;
class LineGroup;
class ResultPanel;
class ShiftGrid;

// A tab of the calculation window made from a calculation's definition, in one of two styles.
// - A listing (FormPage.cpp): one field per input (a box for a flag), 計算, the listing with its warnings,
//   and the printed form and the SIMA file of the points it hands on when the calculation gives them,
//   sent to the instrument or written as SIMA.  Plot clicks fill the point-name field with the focus (a
//   list of names gets the name added).
// - A result panel, for the constructions (FormPanel.cpp): a line as two names and a direction, a circle
//   as its centre and radius or three points on it, a path as a grid of names and widths; every change
//   of an input computes again, shows a refusal once, and the new points appear as P1 (and P2) under
//   proposed names that 登録 puts into the list as one step.
class FormPage : public CalcPage {
    Q_OBJECT
public:
    FormPage(const CalcDefinition& definition, CalcHost& host, FormStyle style = {}, QWidget* parent = nullptr);

    QString caption() const override;
    void clear() override;
    void focusFirstInput() override;
    void refresh() override;
    bool takePointName(const std::string& cp932) override;
    void registerResults() override;

    // The widgets of an input, for tests; null (empty) where the input has none of that kind.
    QLineEdit* field(std::string_view id) const; // a listing's field, or a result panel's single name or number
    QAbstractButton* box(std::string_view id) const;
    LineGroup* line(std::string_view id) const;
    CircleGroup* circle(std::string_view id) const;
    std::vector<CalcNameEdit*> names(std::string_view id) const;
    ShiftGrid* path() const;
    ResultPanel* results() const { return panel_; }
    QString listing() const;
    // Runs the calculation; false when it was refused (the message has been shown).
    bool compute();

private:
    // One input's widgets.  A listing has one QLineEdit or check box; a result panel a line, a circle,
    // a path, name fields or a number field.  The input completing a line, circle or path has none.
    struct Field {
        const CalcInput* input = nullptr;
        QWidget* plain = nullptr;
        LineGroup* line = nullptr;
        CircleGroup* circle = nullptr;
        ShiftGrid* path = nullptr;
        std::vector<CalcNameEdit*> names;
        CalcNumberEdit* number = nullptr;
    };
    const Field* find(std::string_view id) const;

    // The listing.
    void buildListing(QBoxLayout* layout);
    CalcArguments arguments() const;
    void show(const CalcOutcome& outcome);
    bool takeListingName(const std::string& cp932);
    void print();
    void writeSima();
    void send();

    // The result panel (FormPanel.cpp).
    void buildPanel(QBoxLayout* layout);
    CalcArguments panelArguments() const;
    void recompute(bool withMessage);
    void showPanel(std::optional<CalcOutcome> outcome);
    void clearPanel();
    bool takePanelName(const std::string& cp932);
    void registerPanel();
    void resetAfterRegistration();
    void registerCircleCentre();
    void updateCentreButton();
    std::vector<CalcNameEdit*> nameFields() const;

    const CalcDefinition& definition_;
    FormStyle style_;
    std::vector<Field> fields_;
    std::optional<CalcOutcome> outcome_;
    QPlainTextEdit* output_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* simaButton_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    ResultPanel* panel_ = nullptr;
    bool registering_ = false; // the list grows under 登録: the results stay as they are meanwhile
};

} // namespace vemo
