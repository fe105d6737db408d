#pragma once

#include "core/calc/Construction.h"

#include <QGroupBox>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPushButton;

namespace vemo {

class CalcNameEdit;
class CalcNumberEdit;
class Store;

// Looks a name up in the list: its point (coordinates rounded to 0.001), none for an empty or unknown name.
std::optional<PlanePoint> FindPlanePoint(const Store* store, const std::string& cp932);

// The names of a grid or parcel without the empty entry rows at its end.
std::vector<std::string> WithoutEntryRows(std::vector<std::string> names);

// 基線: 点名 (first point), 点名 (second point), 方向角.  With both points the direction of the line is
// written into the direction field; a typed direction empties the second point.
class LineGroup : public QGroupBox {
    Q_OBJECT
public:
    LineGroup(const QString& title, const Store* store, const std::function<bool()>& upperCase, QWidget* parent);
    LineInput input() const;
    void clear();
    CalcNameEdit* first = nullptr;
    CalcNameEdit* second = nullptr;
    CalcNumberEdit* direction = nullptr;

signals:
    void changed();

private:
    void showDirectionOfPoints();
    const Store* store_;
};

// 円: 中心 and 半径, or three names on the circle (entering one form empties the other).  Circle 1
// also has the P3 name and 中心点座標登録 for the centre of the circle through three points.
class CircleGroup : public QGroupBox {
    Q_OBJECT
public:
    CircleGroup(const QString& title, bool withCentreRegistration, const Store* store,
                const std::function<bool()>& upperCase, QWidget* parent);
    CircleInput input() const;
    void clear();
    CalcNameEdit* centre = nullptr;
    CalcNumberEdit* radius = nullptr;
    std::array<CalcNameEdit*, 3> onCircle{};
    CalcNameEdit* p3 = nullptr;            // circle 1 only
    QPushButton* registerCentre = nullptr; // circle 1 only

signals:
    void changed();

private:
    void clearThreePoints();
    const Store* store_;
};

// Accepts a name that is in the list and differs from `other`'s name (the first point of the same line).
std::function<bool(const std::string&)> KnownNameRule(const Store* store, const CalcNameEdit* other = nullptr);

} // namespace vemo
