#pragma once

#include "core/calc/Calculation.h"
#include "ui/calc/CalcPage.h"

#include <vector>

class QAbstractButton;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace vemo {

// A tab of the calculation window made from a calculation's definition: one field per input (a box
// for a flag), 計算, the listing with its warnings, and the printed form and the SIMA file of the points
// it hands on when the calculation gives them, sent to the instrument or written as SIMA.  Plot clicks fill the
// point-name field with the focus (a list of names gets the name added).
class FormPage : public CalcPage {
    Q_OBJECT
public:
    FormPage(const CalcDefinition& definition, CalcHost& host, QWidget* parent = nullptr);

    QString caption() const override;
    void clear() override;
    void focusFirstInput() override;
    void refresh() override;
    bool takePointName(const std::string& cp932) override;
    void registerResults() override;

    // The field of an input, for tests; null for a flag.
    QLineEdit* field(std::string_view id) const;
    QAbstractButton* box(std::string_view id) const;
    QString listing() const;
    // Runs the calculation; false when it was refused (the message has been shown).
    bool compute();

private:
    CalcArguments arguments() const;
    void show(const CalcOutcome& outcome);
    void print();
    void writeSima();
    void send();

    const CalcDefinition& definition_;
    std::vector<QWidget*> inputs_; // per input: a QLineEdit, or a QAbstractButton for a flag
    QPlainTextEdit* output_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* simaButton_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    std::optional<CalcOutcome> outcome_;
};

} // namespace vemo
