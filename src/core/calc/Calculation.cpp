#include "core/calc/Calculation.h"

#include "core/edit/PointName.h"
#include "core/edit/RegisteredName.h"
#include "core/store/Store.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/Numbers.h"

#include <algorithm>
#include <cmath>

namespace vemo {

// The calculations in the order of the calculation window; each is defined in a file of its own.
extern const CalcDefinition kInverseCalculation;
extern const CalcDefinition kPerpendicularCalculation;
extern const CalcDefinition kLineLineCalculation;
extern const CalcDefinition kLineCircleCalculation;
extern const CalcDefinition kCircleCircleCalculation;
extern const CalcDefinition kOffsetCalculation;
extern const CalcDefinition kFootCalculation;
extern const CalcDefinition kCornerCutCalculation;
extern const CalcDefinition kParallelShiftCalculation;
extern const CalcDefinition kTransformCalculation;
extern const CalcDefinition kDivisionCalculation;
extern const CalcDefinition kStakeOutCalculation;

namespace {

// clang-format off
const CalcDefinition* const kCalculations[] = {
    &kInverseCalculation,
    &kPerpendicularCalculation,
    &kLineLineCalculation,
    &kLineCircleCalculation,
    &kCircleCircleCalculation,
    &kOffsetCalculation,
    &kFootCalculation,
    &kCornerCutCalculation,
    &kParallelShiftCalculation,
    &kTransformCalculation,
    &kDivisionCalculation,
    &kStakeOutCalculation,
};
// clang-format on

const std::string kEmpty;

bool IsNumberKind(CalcInputKind kind) {
    return kind == CalcInputKind::Distance || kind == CalcInputKind::Angle || kind == CalcInputKind::Area ||
           kind == CalcInputKind::Number;
}

std::string InputName(const CalcInput& input) {
    return input.id.empty() ? std::string("the point names") : "--" + std::string(input.id);
}

} // namespace

std::span<const CalcDefinition* const> Calculations() {
    return kCalculations;
}

const CalcDefinition* FindCalculation(std::string_view id) {
    for (const CalcDefinition* definition : kCalculations) {
        if (definition->id == id) {
            return definition;
        }
    }
    return nullptr;
}

const CalcInput* FindInput(const CalcDefinition& definition, std::string_view id) {
    for (const CalcInput& input : definition.inputs) {
        if (input.id == id) {
            return &input;
        }
    }
    return nullptr;
}

void CalcArguments::Set(std::string_view id, std::string value) {
    values_[std::string(id)] = std::move(value);
}

bool CalcArguments::Has(std::string_view id) const {
    return values_.find(id) != values_.end();
}

const std::string& CalcArguments::Text(std::string_view id) const {
    const auto found = values_.find(id);
    return found != values_.end() ? found->second : kEmpty;
}

std::optional<double> CalcArguments::OptionalNumber(std::string_view id) const {
    const std::string& text = Text(id);
    if (text.empty()) {
        return std::nullopt;
    }
    return TryStrToFloat(text);
}

double CalcArguments::Number(std::string_view id) const {
    return OptionalNumber(id).value_or(0.0);
}

std::vector<std::string> CalcArguments::Names(std::string_view id, const Store& store) const {
    std::vector<std::string> names;
    const std::string& text = Text(id);
    if (text.empty()) {
        return names;
    }
    size_t begin = 0;
    for (;;) {
        const size_t end = text.find(',', begin);
        const std::string item = text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
        const size_t range = item.find("..");
        if (range != std::string::npos && range > 0 && range + 2 < item.size()) {
            const std::string first = item.substr(0, range);
            names.push_back(first);
            for (std::string& name : SerialEntryNames(first, item.substr(range + 2), store.Index())) {
                names.push_back(std::move(name));
            }
        } else {
            names.push_back(item);
        }
        if (end == std::string::npos) {
            return names;
        }
        begin = end + 1;
    }
}

void CheckArguments(const CalcDefinition& definition, CalcArguments& arguments, bool whileTyping) {
    arguments.whileTyping_ = whileTyping;
    for (const CalcInput& input : definition.inputs) {
        if (!arguments.Has(input.id) && !input.defaultText.empty()) {
            arguments.Set(input.id, std::string(input.defaultText));
        }
        const std::string& text = arguments.Text(input.id);
        if (input.required && !whileTyping && !arguments.Has(input.id)) {
            throw CalcInputError(InputName(input) + " is needed");
        }
        if (!IsNumberKind(input.kind) || text.empty()) {
            continue;
        }
        const std::optional<double> value = TryStrToFloat(text);
        if (!value || !std::isfinite(*value)) {
            throw CalcInputError(InputName(input) + " takes a number, got '" + text + "'");
        }
        if (*value < input.minimum) {
            throw CalcInputError(InputName(input) + " must be at least " + FormatGeneral(input.minimum) + ", got '" +
                                 text + "'");
        }
        if (*value > input.maximum) {
            throw CalcInputError(InputName(input) + " must be at most " + FormatGeneral(input.maximum) + ", got '" +
                                 text + "'");
        }
    }
}

std::string NamesText(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? "" : ",") + names[i];
    }
    return text;
}

PlanePoint CalcPointOf(const Store& store, std::string_view name) {
    const auto found = store.FindPointXY(name);
    if (!found) {
        throw Error(msg::NotFound(name));
    }
    return {found->x, found->y};
}

std::string CalcPointLine(std::string_view name, PlanePoint point) {
    return Sprintf("%-16s%15s%15s", std::string(name).c_str(), Format3(point.x).c_str(), Format3(point.y).c_str());
}

std::vector<std::string> ProposedNames(const Store& store, size_t count) {
    std::vector<std::string> names;
    if (count == 0) {
        return names;
    }
    names.push_back(NameAfterLastCoordinateRow(store.xyz));
    while (names.size() < count) {
        names.push_back(NextPointName(names.back(), true));
    }
    return names;
}

} // namespace vemo
