#pragma once

#include <stdexcept>
#include <string>

namespace vemo {

// A command that cannot go on throws this.  The message is CP932 text, like all core text, so it can
// carry point names exactly as they stand in the data; the window layer decodes it for the message box.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& cp932Message) : std::runtime_error(cp932Message) {}
};

// A number field that does not convert.  A file reader puts the line number in front (AtLine), so the
// surveyor can find the field in the file.
class FieldError : public Error {
public:
    using Error::Error;
};

} // namespace vemo
