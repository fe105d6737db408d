#include "ui/calc/RunCalculation.h"

#include "core/text/Error.h"
#include "core/text/MessagesCalc.h"

namespace vemo {

CalcOutcome RunCalculation(const CalcDefinition& definition, CalcArguments& arguments, const Store& store) {
    try {
        CheckArguments(definition, arguments);
        return definition.run(arguments, store);
    } catch (const CalcInputError& e) {
        throw Error(msg::CalcFieldsDoNotFit(e.what()));
    }
}

} // namespace vemo
