#pragma once

#include "core/division/Division.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vemo {

class CalcNameEdit;
class Store;

// 座標・画地登録: the new points of a division with the names they are registered under (a corner the
// line passes through shows its own name and is not registered again), and the two parts (求積側 kept
// by default, 残地側 not, with a line saying what 登録 will register and that the parcel divided stays)
// with their parcel names and area figures, and the parcel's area against the sum of the parts.  登録 writes
// them into the store through RegisterDivision, which refuses empty and already used names: the
// message is shown and the dialog stays open for a corrected name.
class DivisionDialog : public QDialog {
    Q_OBJECT
public:
    DivisionDialog(Store& store, const DivisionResult& result, QWidget* parent = nullptr);

    CalcNameEdit* pointName(int i) const { return pointNames_[i]; } // 0: P1, 1: P2
    QLabel* pointX(int i) const { return pointX_[i]; }
    QLabel* pointY(int i) const { return pointY_[i]; }
    QCheckBox* keep(int part) const { return keep_[part]; } // 0: 求積側, 1: 残地側
    CalcNameEdit* parcelName(int part) const { return parcelNames_[part]; }
    QLabel* areaText(int part, int line) const { return areaTexts_[part][line]; }
    QLabel* excessText() const { return excess_; } // what the 求積側 holds beyond the target
    QPushButton* registerButton() const { return register_; }
    // The parcel's area, the parts' sum and difference (and its reason), as lines.
    const std::vector<QLabel*>& sumTexts() const { return sumTexts_; }
    // What 登録 registers with the boxes as they stand, and that the parcel divided stays.
    QLabel* registersText() const { return registers_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildPoints();
    QWidget* buildParts();
    void registerAll();
    void showWhatRegisters();

    Store& store_;
    DivisionResult result_;
    std::array<CalcNameEdit*, 2> pointNames_{};
    std::array<QLabel*, 2> pointX_{};
    std::array<QLabel*, 2> pointY_{};
    std::array<QCheckBox*, 2> keep_{};
    std::array<CalcNameEdit*, 2> parcelNames_{};
    std::array<std::array<QLabel*, 3>, 2> areaTexts_{};
    QLabel* excess_ = nullptr;
    std::vector<QLabel*> sumTexts_;
    QLabel* registers_ = nullptr;
    std::array<std::string, 2> cornerNames_;
    QPushButton* register_ = nullptr;
};

} // namespace vemo
