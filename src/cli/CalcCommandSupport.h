#pragma once

#include "core/store/Store.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vemo::cli {

// What the calculation commands (inverse, transform, divide) share: the exit codes of convert, reading the
// coordinate file, names from the command line and printing.

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;   // the calculation could not be done, or not for every point
constexpr int kExitUsage = 2;    // the command line is wrong
constexpr int kExitWarnings = 3; // done, with warnings on stderr

struct UsageError {
    std::string message; // UTF-8
};

// The store with the coordinate file read and indexed; vemo::Error when it cannot be read.
std::unique_ptr<Store> LoadCoordinates(const std::string& path);

// A point name typed on the command line (UTF-8) as the CP932 bytes the list holds; bytes that are
// not UTF-8 are taken as they are.
std::string NameArgument(const std::string& text);

// Items of a separated list ("A,B,C"), empty items kept.
std::vector<std::string> SplitArgument(const std::string& text, char separator);

// CP932 with CR LF (the bytes of the program's files), or UTF-8 with LF.
void PrintLines(const std::vector<std::string>& lines, bool utf8);

// Runs a command body and turns its failures into the exit codes and messages on stderr.
int RunGuardedBody(const char* command, const char* usage, const std::function<int()>& body);

// The same for a body that takes the command line, after answering "--help" with the usage.
int RunGuarded(const char* command, const char* usage, int (*body)(int, char**), int argc, char** argv);

} // namespace vemo::cli
