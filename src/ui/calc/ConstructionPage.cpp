#include "ui/calc/ConstructionPage.h"

#include "ui/calc/CalcFields.h"
#include "ui/calc/CalcGroups.h"
#include "ui/calc/ResultPanel.h"
#include "ui/calc/ShiftGrid.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace vemo {

using Type = ConstructionPage::Type;

ConstructionPage::ConstructionPage(Type type, CalcHost& host, QWidget* parent) : CalcPage(host, parent), type_(type) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildInputs(layout);
    panel_ = new ResultPanel(host.store, this);
    layout->addWidget(panel_);
    layout->addStretch(1);
    connect(panel_->registerButton, &QPushButton::clicked, this, &ConstructionPage::registerResults);
    connect(panel_->clearButton, &QPushButton::clicked, this, [this] {
        clear();
        focusFirstInput();
    });
    connect(panel_->cancelButton, &QPushButton::clicked, this, &CalcPage::closeRequested);
    clear();
}

void ConstructionPage::buildInputs(QLayout* layout) {
    const Store* store = host_.store;
    const std::function<bool()>& upper = host_.upperCase;
    if (type_ != Type::CircleCircle && type_ != Type::CornerCut && type_ != Type::ParallelShift) {
        line1_ = new LineGroup(QStringLiteral("基線１"), store, upper, this);
        layout->addWidget(line1_);
        connect(line1_, &LineGroup::changed, this, &ConstructionPage::recompute);
    }
    if (type_ == Type::LineLine) {
        line2_ = new LineGroup(QStringLiteral("基線２"), store, upper, this);
        layout->addWidget(line2_);
        connect(line2_, &LineGroup::changed, this, &ConstructionPage::recompute);
    }
    if (type_ == Type::LineCircle || type_ == Type::CircleCircle) {
        circle1_ = new CircleGroup(QStringLiteral("円１"), true, store, upper, this);
        layout->addWidget(circle1_);
        connect(circle1_, &CircleGroup::changed, this, &ConstructionPage::recompute);
        connect(circle1_->registerCentre, &QPushButton::clicked, this, &ConstructionPage::registerCircleCentre);
        connect(circle1_->p3, &QLineEdit::textChanged, this, &ConstructionPage::updateCentreButton);
    }
    if (type_ == Type::CircleCircle) {
        circle2_ = new CircleGroup(QStringLiteral("円２"), false, store, upper, this);
        layout->addWidget(circle2_);
        connect(circle2_, &CircleGroup::changed, this, &ConstructionPage::recompute);
    }
    if (type_ == Type::Offset || type_ == Type::Foot || type_ == Type::CornerCut) {
        auto* box = new QGroupBox(this);
        auto* form = new QFormLayout(box);
        auto addName = [&](const QString& label) {
            auto* edit = new CalcNameEdit(box);
            edit->setUpperCase(upper);
            edit->setAcceptable(KnownNameRule(store));
            connect(edit, &CalcNameEdit::nameChanged, this, &ConstructionPage::recompute);
            form->addRow(label, edit);
            return edit;
        };
        auto addNumber = [&](const QString& label) {
            auto* edit = new CalcNumberEdit(CalcNumberEdit::Kind::Length, box);
            connect(edit, &CalcNumberEdit::valueChanged, this, &ConstructionPage::recompute);
            form->addRow(label, edit);
            return edit;
        };
        if (type_ == Type::CornerCut) {
            corner_ = {addName(QStringLiteral("点名:")), addName(QStringLiteral("点名:")),
                       addName(QStringLiteral("点名:"))};
            cornerLength_ = addNumber(QStringLiteral("隅切長:"));
        } else {
            base_ = addName(QStringLiteral("基点:"));
            if (type_ == Type::Offset) {
                along_ = addNumber(QStringLiteral("L:"));
                across_ = addNumber(QStringLiteral("H:"));
            }
        }
        layout->addWidget(box);
    }
    if (type_ == Type::ParallelShift) {
        shift_ = new ShiftGrid(store, this);
        layout->addWidget(shift_);
        connect(shift_, &ShiftGrid::pathChanged, this, &ConstructionPage::recompute);
    }
}

std::vector<CalcNameEdit*> ConstructionPage::nameFields() const {
    std::vector<CalcNameEdit*> fields;
    for (LineGroup* line : {line1_, line2_}) {
        if (line) {
            fields.insert(fields.end(), {line->first, line->second});
        }
    }
    for (CircleGroup* circle : {circle1_, circle2_}) {
        if (circle) {
            fields.insert(fields.end(),
                          {circle->centre, circle->onCircle[0], circle->onCircle[1], circle->onCircle[2]});
        }
    }
    if (base_) {
        fields.push_back(base_);
    }
    fields.insert(fields.end(), corner_.begin(), corner_.end());
    return fields;
}

void ConstructionPage::clear() {
    for (LineGroup* line : {line1_, line2_}) {
        if (line) {
            line->clear();
        }
    }
    for (CircleGroup* circle : {circle1_, circle2_}) {
        if (circle) {
            circle->clear();
        }
    }
    for (CalcNameEdit* field : nameFields()) {
        field->setName({});
    }
    for (CalcNumberEdit* number : {along_, across_, cornerLength_}) {
        if (number) {
            number->reset();
        }
    }
    if (shift_) {
        shift_->clearPath();
    }
    // P2 starts unticked, except for the corner cut, whose two ends are usually both wanted.
    const bool two = type_ == Type::LineCircle || type_ == Type::CircleCircle || type_ == Type::CornerCut;
    panel_->configure(two, type_ == Type::CornerCut);
    panel_->clearValues();
    results_.clear();
    threePointCentre_.reset();
    setOverlay({});
}

void ConstructionPage::focusFirstInput() {
    if (shift_) {
        shift_->setFocus();
    } else if (!nameFields().empty()) {
        nameFields().front()->setFocus();
    }
}

// A name clicked on the plot goes into the name field that holds the focus of this window (the window
// need not be active: a floating calculation window keeps its focus field while the plot is clicked);
// the focus then moves on, from one point on a circle to the next.
bool ConstructionPage::takePointName(const std::string& cp932) {
    QWidget* focused = window()->focusWidget();
    for (CalcNameEdit* field : nameFields()) {
        if (field == focused) {
            field->setText(FromCp932(cp932));
            QMetaObject::invokeMethod(field, "returnPressed");
            if (field->isAcceptable()) {
                FocusNextControl(field);
            }
            return true;
        }
    }
    return shift_ && focused == shift_ && shift_->takePointName(cp932);
}

// 中心点座標登録 needs a centre computed from three points and a name to register it under.
void ConstructionPage::updateCentreButton() {
    circle1_->registerCentre->setEnabled(threePointCentre_.has_value() && !circle1_->p3->name().empty());
}

ConstructionResult ConstructionPage::compute() const {
    switch (type_) {
    case Type::LineLine:
        return ComputeLineLine(line1_->input(), line2_->input());
    case Type::LineCircle:
        return ComputeLineCircle(line1_->input(), circle1_->input());
    case Type::CircleCircle:
        return ComputeCircleCircle(circle1_->input(), circle2_->input());
    case Type::Offset:
        return ComputeOffset(line1_->input(), FindPlanePoint(host_.store, base_->name()), along_->value(),
                             across_->value());
    case Type::Foot:
        return ComputeFoot(line1_->input(), FindPlanePoint(host_.store, base_->name()));
    case Type::CornerCut:
        return ComputeCornerCut(FindPlanePoint(host_.store, corner_[0]->name()),
                                FindPlanePoint(host_.store, corner_[1]->name()),
                                FindPlanePoint(host_.store, corner_[2]->name()), cornerLength_->value());
    case Type::ParallelShift: {
        std::vector<PlanePoint> path;
        for (const std::string& name : shift_->pathNames()) {
            const std::optional<PlanePoint> point = FindPlanePoint(host_.store, name);
            if (!point) {
                return {}; // a path point no longer in the list leaves the input incomplete
            }
            path.push_back(*point);
        }
        return ComputeParallelShift(path, shift_->pathWidths());
    }
    }
    return {};
}

void ConstructionPage::recompute() {
    showResult(compute(), true);
}

void ConstructionPage::refresh() {
    if (!registering_) {
        showResult(compute(), false);
    }
}

// A result that is not (or no longer) there empties the values, so that 登録 can never store a point
// computed from inputs that have since changed.
void ConstructionPage::showResult(const ConstructionResult& result, bool withMessage) {
    const bool done = result.status == ConstructionResult::Status::Done;
    results_ = done ? result.points : std::vector<PlanePoint>{};
    panel_->showPoints(results_);
    threePointCentre_.reset();
    if (circle1_ && circle1_->p3) {
        const auto& on = circle1_->onCircle;
        const bool fromThree = !on[0]->name().empty() && !on[1]->name().empty() && !on[2]->name().empty();
        if (fromThree && result.circle1) {
            threePointCentre_ = result.circle1;
        }
        updateCentreButton();
    }
    // An incomplete result may still show circle 1 with its centre P3, computed from three points.
    setOverlay(result.status == ConstructionResult::Status::NoResult ? CalcOverlay{} : result.overlay);
    if (withMessage && !result.message.empty()) {
        MessageBox::ShowCp932(this, result.message);
        if (circle1_ && result.circle1) {
            circle1_->radius->setFocus();
        }
    }
}

} // namespace vemo
