#include "ui/traverse/TrvsInputRules.h"

namespace vemo {

QValidator::State TrvsTypingValidator::validate(QString& input, int& /*pos*/) const {
    if (kind_ == Kind::Name) {
        if (upperCase_) {
            for (QChar& c : input) {
                if (c >= u'a' && c <= u'z') {
                    c = c.toUpper();
                }
            }
        }
        return Acceptable;
    }
    for (const QChar c : input) {
        const bool allowed = (c >= u'0' && c <= u'9') || c == u'.' || (kind_ == Kind::Signed && c == u'-') || c == u' ';
        if (!allowed) {
            return Invalid;
        }
    }
    return Acceptable;
}

} // namespace vemo
