// The result-panel style of FormPage, which the constructions use: the inputs as the surveyor enters a
// line, a circle or a path, computing at every change, and 登録 of the points shown.
#include "ui/calc/FormPage.h"

#include "core/calc/CalcEntry.h"
#include "core/edit/PointName.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Numbers.h"
#include "ui/calc/CalcFields.h"
#include "ui/calc/CalcGroups.h"
#include "ui/calc/ResultPanel.h"
#include "ui/calc/ShiftGrid.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>

#include <algorithm>

namespace vemo {

namespace {

QString U(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool IsCompleting(const CalcDefinition& definition, const CalcInput& input) {
    return std::any_of(definition.inputs.begin(), definition.inputs.end(),
                       [&input](const CalcInput& other) { return other.completedBy == input.id; });
}

CalcNumberEdit::Kind NumberKind(CalcInputKind kind) {
    switch (kind) {
    case CalcInputKind::Angle:
        return CalcNumberEdit::Kind::Direction;
    case CalcInputKind::Area:
        return CalcNumberEdit::Kind::Area;
    default:
        return CalcNumberEdit::Kind::Length;
    }
}

// The names of several fields joined as the calculation takes them; the empty ones left out, so a
// field still empty leaves the input short (and the construction waiting).
std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        if (!name.empty()) {
            text += (text.empty() ? "" : ",") + name;
        }
    }
    return text;
}

bool Listed(std::string_view list, std::string_view id) {
    size_t begin = 0;
    for (;;) {
        const size_t end = list.find(',', begin);
        if (list.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin) == id) {
            return true;
        }
        if (end == std::string_view::npos) {
            return false;
        }
        begin = end + 1;
    }
}

} // namespace

void FormPage::buildPanel(QBoxLayout* layout) {
    layout->setContentsMargins(0, 0, 0, 0);
    const Store* store = host_.store;
    const std::function<bool()>& upper = host_.upperCase;
    QFormLayout* form = nullptr; // names and numbers share a box until a line, circle or path comes
    auto simpleForm = [&] {
        if (!form) {
            auto* box = new QGroupBox(this);
            form = new QFormLayout(box);
            layout->addWidget(box);
        }
        return form;
    };
    for (const CalcInput& input : definition_.inputs) {
        if (IsCompleting(definition_, input)) {
            continue; // part of the line, circle or path it completes
        }
        Field field;
        field.input = &input;
        const QString label = U(input.caption) + QLatin1Char(':');
        switch (input.kind) {
        case CalcInputKind::Line:
            field.line = new LineGroup(U(input.caption), store, upper, this);
            layout->addWidget(field.line);
            connect(field.line, &LineGroup::changed, this, [this] { recompute(true); });
            form = nullptr;
            break;
        case CalcInputKind::Circle: {
            // The first circle offers the centre of three points on it for registration.
            const bool first = std::none_of(fields_.begin(), fields_.end(), [](const Field& f) { return f.circle; });
            field.circle = new CircleGroup(U(input.caption), first, store, upper, this);
            layout->addWidget(field.circle);
            connect(field.circle, &CircleGroup::changed, this, [this] { recompute(true); });
            if (first) {
                connect(field.circle->registerCentre, &QPushButton::clicked, this, &FormPage::registerCircleCentre);
                connect(field.circle->p3, &QLineEdit::textChanged, this, &FormPage::updateCentreButton);
            }
            form = nullptr;
            break;
        }
        case CalcInputKind::Path:
            field.path = new ShiftGrid(store, this);
            layout->addWidget(field.path);
            connect(field.path, &ShiftGrid::pathChanged, this, [this] { recompute(true); });
            form = nullptr;
            break;
        case CalcInputKind::Point:
        case CalcInputKind::Points:
            for (int i = 0; i < std::max(1, input.kind == CalcInputKind::Points ? input.count : 1); ++i) {
                auto* edit = new CalcNameEdit(this);
                edit->setUpperCase(upper);
                edit->setAcceptable(KnownNameRule(store));
                connect(edit, &CalcNameEdit::nameChanged, this, [this] { recompute(true); });
                simpleForm()->addRow(label, edit);
                field.names.push_back(edit);
            }
            break;
        case CalcInputKind::Distance:
        case CalcInputKind::Angle:
        case CalcInputKind::Area:
        case CalcInputKind::Number:
            field.number = new CalcNumberEdit(NumberKind(input.kind), this);
            connect(field.number, &CalcNumberEdit::valueChanged, this, [this] { recompute(true); });
            simpleForm()->addRow(label, field.number);
            break;
        case CalcInputKind::Flag:
        case CalcInputKind::Text: {
            auto* edit = new QLineEdit(this);
            connect(edit, &QLineEdit::editingFinished, this, [this] { recompute(true); });
            simpleForm()->addRow(label, edit);
            field.plain = edit;
            break;
        }
        }
        fields_.push_back(field);
    }
    panel_ = new ResultPanel(store, this);
    layout->addWidget(panel_);
    layout->addStretch(1);
    connect(panel_->registerButton, &QPushButton::clicked, this, &FormPage::registerResults);
    connect(panel_->clearButton, &QPushButton::clicked, this, [this] {
        clear();
        focusFirstInput();
    });
    connect(panel_->cancelButton, &QPushButton::clicked, this, &CalcPage::closeRequested);
    clearPanel();
}

// The fields as the calculation's arguments.  Inputs still empty are left out: the calculation is run
// while the surveyor types, and waits for them.
CalcArguments FormPage::panelArguments() const {
    CalcArguments arguments;
    for (const Field& field : fields_) {
        const CalcInput& input = *field.input;
        if (field.line) {
            arguments.Set(input.completedBy, ToCp932OrThrow(field.line->direction->text().trimmed()));
            if (!field.line->first->name().empty()) {
                arguments.Set(input.id, Joined({field.line->first->name(), field.line->second->name()}));
            }
        } else if (field.circle) {
            arguments.Set(input.completedBy, ToCp932OrThrow(field.circle->radius->text().trimmed()));
            const auto& on = field.circle->onCircle;
            const std::string three = Joined({on[0]->name(), on[1]->name(), on[2]->name()});
            const std::string given = three.empty() ? field.circle->centre->name() : three;
            if (!given.empty()) {
                arguments.Set(input.id, given);
            }
        } else if (field.path) {
            const std::vector<std::string> path = field.path->pathNames();
            const std::vector<double> widths = field.path->pathWidths();
            std::string legs;
            for (size_t i = 0; i + 1 < path.size() && i < widths.size(); ++i) {
                legs += (i == 0 ? "" : ",") + Sprintf("%.15g", widths[i]);
            }
            if (!path.empty()) {
                arguments.Set(input.id, Joined(path));
                arguments.Set(input.completedBy, legs);
            }
        } else if (!field.names.empty()) {
            std::vector<std::string> names;
            for (const CalcNameEdit* edit : field.names) {
                names.push_back(edit->name());
            }
            const std::string given = Joined(names);
            if (!given.empty()) {
                arguments.Set(input.id, given);
            }
        } else if (field.number) {
            arguments.Set(input.id, ToCp932OrThrow(field.number->text().trimmed()));
        } else if (auto* edit = qobject_cast<QLineEdit*>(field.plain); edit && !edit->text().trimmed().isEmpty()) {
            arguments.Set(input.id, ToCp932OrThrow(edit->text().trimmed()));
        }
    }
    return arguments;
}

// Inputs that do not make the construction yet leave the results empty without a word; a construction
// that has no solution says why once, when `withMessage` (a change by the surveyor, not of the list).
void FormPage::recompute(bool withMessage) {
    if (!host_.store) {
        return;
    }
    try {
        CalcArguments arguments = panelArguments();
        CheckArguments(definition_, arguments, true);
        showPanel(definition_.run(arguments, *host_.store));
    } catch (const CalcInputError&) {
        showPanel(std::nullopt);
    } catch (const std::exception& e) {
        showPanel(std::nullopt);
        if (withMessage) {
            MessageBox::ShowCp932(this, e.what());
            // A circle given by its centre that misses: the radius is what the surveyor corrects.
            const auto circle = std::find_if(fields_.begin(), fields_.end(), [](const Field& f) { return f.circle; });
            if (circle != fields_.end() && !circle->circle->centre->name().empty()) {
                circle->circle->radius->setFocus();
            }
        }
    }
}

// A result that is not (or no longer) there empties the values, so that 登録 can never store a point
// computed from inputs that have since changed.
void FormPage::showPanel(std::optional<CalcOutcome> outcome) {
    std::vector<PlanePoint> points;
    if (outcome && outcome->complete) {
        for (const CalcPoint& point : outcome->newPoints) {
            points.push_back(point.point);
        }
    }
    panel_->showPoints(points);
    const CalcOverlay overlay = outcome ? outcome->overlay : CalcOverlay{};
    outcome_ = std::move(outcome);
    updateCentreButton();
    setOverlay(overlay);
}

void FormPage::clearPanel() {
    for (const Field& field : fields_) {
        if (field.line) {
            field.line->clear();
        } else if (field.circle) {
            field.circle->clear();
        } else if (field.path) {
            field.path->clearPath();
        } else if (field.number) {
            field.number->reset();
        } else if (auto* edit = qobject_cast<QLineEdit*>(field.plain)) {
            edit->clear();
        }
        for (CalcNameEdit* edit : field.names) {
            edit->setName({});
        }
    }
    panel_->configure(style_.twoSolutions, style_.secondTicked);
    panel_->clearValues();
    outcome_.reset();
    updateCentreButton();
    setOverlay({});
}

std::vector<CalcNameEdit*> FormPage::nameFields() const {
    std::vector<CalcNameEdit*> fields;
    for (const Field& field : fields_) {
        if (field.line) {
            fields.insert(fields.end(), {field.line->first, field.line->second});
        }
        if (field.circle) {
            const auto& on = field.circle->onCircle;
            fields.insert(fields.end(), {field.circle->centre, on[0], on[1], on[2]});
        }
        fields.insert(fields.end(), field.names.begin(), field.names.end());
    }
    return fields;
}

// A name clicked on the plot goes into the name field that holds the focus of this window (the window
// need not be active: a floating calculation window keeps its focus field while the plot is clicked);
// the focus then moves on, from one point on a circle to the next.
bool FormPage::takePanelName(const std::string& cp932) {
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
    ShiftGrid* grid = path();
    return grid && focused == grid && grid->takePointName(cp932);
}

void FormPage::registerPanel() {
    if (!host_.store) {
        return;
    }
    registering_ = true;
    const bool registered = RunCommand(
        [this] {
            const std::string remark = Jp(*style_.remark ? style_.remark : definition_.caption);
            const std::vector<CalcPoint> none;
            const std::vector<CalcPoint>& results = outcome_ && outcome_->complete ? outcome_->newPoints : none;
            // An empty name or value ends the registration where it stands; the names are checked
            // together, so a refused one registers nothing.
            std::vector<CalcPoint> points;
            for (size_t i = 0; i < 2; ++i) {
                const std::string name = ToCp932OrThrow(panel_->name(static_cast<int>(i)));
                if (!panel_->wanted(static_cast<int>(i))) {
                    continue;
                }
                if (name.empty() || !panel_->hasValue(static_cast<int>(i)) || i >= results.size()) {
                    break;
                }
                points.push_back({name, results[i].point});
                if (!panel_->twoSolutions()) {
                    // More points than P1 (the corners of a parallel shift) follow under the names after P1's.
                    std::string next = name;
                    for (size_t k = 1; k < results.size(); ++k) {
                        next = NextPointName(next, true);
                        points.push_back({next, results[k].point});
                    }
                }
            }
            RegisterCalcPoints(host_.store->xyz, points, remark);
            if (host_.pointsRegistered) {
                host_.pointsRegistered();
            }
        },
        this, QStringLiteral("座標登録"));
    registering_ = false;
    // A refused name keeps the results and names, so the surveyor can change the name and try again.
    if (registered) {
        resetAfterRegistration();
    }
}

// What the next point starts from stays (the tab's kept inputs); the rest is emptied, and the focus goes
// to the first field emptied.
void FormPage::resetAfterRegistration() {
    panel_->clearValues();
    outcome_.reset();
    std::vector<const Field*> emptied;
    for (const Field& field : fields_) {
        if (!Listed(style_.kept, field.input->id)) {
            emptied.push_back(&field);
        }
    }
    if (emptied.size() == fields_.size()) {
        clearPanel();
        return;
    }
    for (const Field* field : emptied) {
        if (field->line) {
            field->line->clear();
        } else if (field->circle) {
            field->circle->clear();
        } else if (field->path) {
            field->path->clearPath();
        } else if (field->number) {
            field->number->reset();
        }
        for (CalcNameEdit* edit : field->names) {
            edit->setName({});
        }
    }
    const Field* first = emptied.front();
    if (first->line) {
        first->line->first->setFocus();
    } else if (first->circle) {
        first->circle->centre->setFocus();
    } else if (!first->names.empty()) {
        first->names.front()->setFocus();
    } else if (first->number) {
        first->number->setFocus();
    }
    setOverlay({});
}

// 中心点座標登録 needs a centre computed from three points and a name to register it under.
void FormPage::updateCentreButton() {
    for (const Field& field : fields_) {
        if (field.circle && field.circle->registerCentre) {
            field.circle->registerCentre->setEnabled(outcome_ && outcome_->threePointCentre &&
                                                     !field.circle->p3->name().empty());
        }
    }
}

void FormPage::registerCircleCentre() {
    const auto circle = std::find_if(fields_.begin(), fields_.end(), [](const Field& f) { return f.circle; });
    if (!host_.store || !outcome_ || !outcome_->threePointCentre || circle == fields_.end()) {
        return;
    }
    const PlanePoint centre = *outcome_->threePointCentre;
    RunCommand(
        [this, circle, centre] {
            const std::string name = circle->circle->p3->name();
            if (name.empty()) {
                return;
            }
            RegisterCalcPoint(host_.store->xyz, name, centre, Jp("3点円中心"));
            if (host_.pointsRegistered) {
                host_.pointsRegistered();
            }
        },
        this, QStringLiteral("中心点座標登録"));
}

} // namespace vemo
