#pragma once

#include "core/geometry/PlanePoint.h"

#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vemo {

class Store;

// The result rows P1 and P2 of the construction tabs: a check box, the name the point is registered
// under and its X and Y ("%11.3f"), with 登録, クリア and ｷｬﾝｾﾙ.  Entering the P1 name field proposes
// the name after the last point of the list, and P2 the one after P1.
class ResultPanel : public QWidget {
    Q_OBJECT
public:
    ResultPanel(const Store* store, QWidget* parent);

    // P2 shown for the tabs with two solutions; there the P1 box is ticked and can be unticked, else
    // it is greyed (the single result is always registered).  P2 starts ticked for the corner cut.
    void configure(bool twoSolutions, bool secondTicked);
    void showPoints(const std::vector<PlanePoint>& points);
    void clearValues(); // names and values emptied
    bool twoSolutions() const { return twoSolutions_; }
    // Result i (0 or 1) is to be registered: its row shown and, where it can be unticked, ticked.
    bool wanted(int i) const;
    QString name(int i) const;
    void setName(int i, const QString& name);
    bool hasValue(int i) const;

    std::array<QCheckBox*, 2> check{};
    std::array<QLineEdit*, 2> names{};
    std::array<QLabel*, 2> x{};
    std::array<QLabel*, 2> y{};
    QPushButton* registerButton = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* cancelButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const Store* store_;
    bool twoSolutions_ = false;
};

} // namespace vemo
