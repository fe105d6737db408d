#pragma once

#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include <string>

namespace vemo::test {

// The message a command failed with, decoded for comparison with a UTF-8 literal; "(no error)" when
// the call did not fail.
std::string MessageOf(auto&& call) {
    try {
        call();
    } catch (const Error& e) {
        return Cp932ToUtf8(e.what());
    }
    return "(no error)";
}

} // namespace vemo::test
