#include "core/text/NameBytes.h"

#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesReading.h"

namespace vemo {

namespace {

constexpr bool IsControlByte(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

constexpr bool IsTrail(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

} // namespace

NameFault FindNameFault(std::string_view name) {
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (IsControlByte(c)) {
            return NameFault::ControlByte;
        }
        if (IsLeadByte(c)) {
            if (i + 1 == name.size() || !IsTrail(static_cast<unsigned char>(name[i + 1]))) {
                return NameFault::CutCharacter;
            }
            ++i;
        }
    }
    return NameFault::None;
}

void RequireUsableName(std::string_view name, const char* utf8Label) {
    switch (FindNameFault(name)) {
    case NameFault::None:
        return;
    case NameFault::ControlByte:
        throw FieldError(msg::NameHasControlByte(Jp(utf8Label), Excerpt(name)));
    case NameFault::CutCharacter:
        throw FieldError(msg::NameHasCutCharacter(Jp(utf8Label), Excerpt(name)));
    }
}

} // namespace vemo
