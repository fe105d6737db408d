#pragma once

#include <QValidator>

namespace vemo {

// What a field or cell takes as it is typed.  Numbers: digits and the decimal point (and the minus
// sign where coordinates may be negative).  Names: anything, a-z turned into A-Z while the upper-case
// setting is on, since point names are matched byte for byte.
class TrvsTypingValidator : public QValidator {
public:
    enum class Kind { Name, Unsigned, Signed };
    TrvsTypingValidator(Kind kind, bool upperCase, QObject* parent = nullptr)
        : QValidator(parent), kind_(kind), upperCase_(upperCase) {}
    State validate(QString& input, int& pos) const override;

private:
    Kind kind_;
    bool upperCase_;
};

} // namespace vemo
