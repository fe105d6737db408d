#include "ui/calc/CalcGroups.h"

#include "core/geometry/Angles.h"
#include "core/store/Store.h"
#include "ui/calc/CalcFields.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace vemo {

std::optional<PlanePoint> FindPlanePoint(const Store* store, const std::string& cp932) {
    if (!store || cp932.empty()) {
        return std::nullopt;
    }
    const auto found = store->FindPointXY(cp932);
    return found ? std::optional(PlanePoint{found->x, found->y}) : std::nullopt;
}

std::vector<std::string> WithoutEntryRows(std::vector<std::string> names) {
    while (!names.empty() && names.back().empty()) {
        names.pop_back();
    }
    return names;
}

std::function<bool(const std::string&)> KnownNameRule(const Store* store, const CalcNameEdit* other) {
    return [store, other](const std::string& name) {
        return FindPlanePoint(store, name).has_value() && (!other || other->name() != name);
    };
}

LineGroup::LineGroup(const QString& title, const Store* store, const std::function<bool()>& upperCase, QWidget* parent)
    : QGroupBox(title, parent), store_(store) {
    first = new CalcNameEdit(this);
    second = new CalcNameEdit(this);
    direction = new CalcNumberEdit(CalcNumberEdit::Kind::Direction, this);
    for (CalcNameEdit* edit : {first, second}) {
        edit->setUpperCase(upperCase);
        connect(edit, &CalcNameEdit::nameChanged, this, [this] {
            showDirectionOfPoints();
            emit changed();
        });
    }
    first->setAcceptable(KnownNameRule(store));
    second->setAcceptable(KnownNameRule(store, first));
    connect(direction, &CalcNumberEdit::valueChanged, this, [this] {
        // A typed direction replaces the one the second point gave.
        if (direction->value() > 0.0001) {
            second->setName({});
        }
        emit changed();
    });
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("点名:"), first);
    layout->addRow(QStringLiteral("点名:"), second);
    layout->addRow(QStringLiteral("方向角(度.分秒):"), direction);
}

void LineGroup::showDirectionOfPoints() {
    const LineInput line = input();
    if (line.first && line.second) {
        if (const auto theta = LineDirection(line)) {
            direction->setValue(DegToDms(*theta));
        }
    }
}

LineInput LineGroup::input() const {
    return {FindPlanePoint(store_, first->name()), FindPlanePoint(store_, second->name()), direction->value()};
}

void LineGroup::clear() {
    first->setName({});
    second->setName({});
    direction->reset();
}

CircleGroup::CircleGroup(const QString& title, bool withCentreRegistration, const Store* store,
                         const std::function<bool()>& upperCase, QWidget* parent)
    : QGroupBox(title, parent), store_(store) {
    centre = new CalcNameEdit(this);
    radius = new CalcNumberEdit(CalcNumberEdit::Kind::Length, this);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("中心:"), centre);
    layout->addRow(QStringLiteral("半径:"), radius);
    auto* onRow = new QHBoxLayout;
    for (auto& edit : onCircle) {
        edit = new CalcNameEdit(this);
        onRow->addWidget(edit);
    }
    layout->addRow(QStringLiteral("円上:"), onRow);
    for (CalcNameEdit* edit : {centre, onCircle[0], onCircle[1], onCircle[2]}) {
        edit->setUpperCase(upperCase);
        edit->setAcceptable(KnownNameRule(store));
    }
    connect(centre, &CalcNameEdit::nameChanged, this, [this] {
        if (!centre->name().empty()) {
            clearThreePoints();
        }
        emit changed();
    });
    for (CalcNameEdit* edit : onCircle) {
        connect(edit, &CalcNameEdit::nameChanged, this, [this, edit] {
            if (!edit->name().empty()) {
                centre->setName({});
                radius->reset();
            }
            emit changed();
        });
    }
    connect(radius, &CalcNumberEdit::valueChanged, this, &CircleGroup::changed);
    if (withCentreRegistration) {
        p3 = new CalcNameEdit(this);
        p3->setUpperCase(upperCase);
        registerCentre = CalcButton(QStringLiteral("中心点座標登録"), this);
        registerCentre->setEnabled(false);
        auto* p3Row = new QHBoxLayout;
        p3Row->addWidget(p3);
        p3Row->addWidget(registerCentre);
        layout->addRow(QStringLiteral("P3:"), p3Row);
    }
}

void CircleGroup::clearThreePoints() {
    for (CalcNameEdit* edit : onCircle) {
        edit->setName({});
    }
    if (p3) {
        p3->setName({});
        registerCentre->setEnabled(false);
    }
}

CircleInput CircleGroup::input() const {
    CircleInput circle{FindPlanePoint(store_, centre->name()), radius->value(), {}};
    for (size_t i = 0; i < onCircle.size(); ++i) {
        circle.onCircle[i] = FindPlanePoint(store_, onCircle[i]->name());
    }
    return circle;
}

void CircleGroup::clear() {
    centre->setName({});
    radius->reset();
    clearThreePoints();
}

} // namespace vemo
