#pragma once

#include <string>

namespace vemo::test {

// A command line run through the shell as a surveyor's script would run it: its exit status (-1 when
// it did not exit normally) and what it wrote to standard output.  Redirections are the caller's:
// " 2>&1" to see standard error as well.
struct ShellRun {
    int status = -1;
    std::string out;
};

ShellRun RunShell(const std::string& command);

} // namespace vemo::test
