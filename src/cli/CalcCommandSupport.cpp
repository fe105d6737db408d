#include "CalcCommandSupport.h"

#include "core/files/XyzFile.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"

#include <cstdio>
#include <exception>

namespace vemo::cli {

std::unique_ptr<Store> LoadCoordinates(const std::string& path) {
    auto store = std::make_unique<Store>();
    if (!ReadXyzFile(path, store->xyz)) {
        throw Error(msg::CoordinateFileUnreadable(path));
    }
    return store;
}

std::string NameArgument(const std::string& text) {
    return Utf8ToCp932(text).value_or(text);
}

std::vector<std::string> SplitArgument(const std::string& text, char separator) {
    std::vector<std::string> items;
    size_t begin = 0;
    for (;;) {
        const size_t end = text.find(separator, begin);
        items.push_back(text.substr(begin, end - begin));
        if (end == std::string::npos) {
            return items;
        }
        begin = end + 1;
    }
}

void PrintLines(const std::vector<std::string>& lines, bool utf8) {
    for (const std::string& line : lines) {
        const std::string text = utf8 ? Cp932ToUtf8(line) + "\n" : line + "\r\n";
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
}

int RunGuardedBody(const char* command, const char* usage, const std::function<int()>& body) {
    try {
        return body();
    } catch (const UsageError& e) {
        std::fprintf(stderr, "vemo-cli %s: %s\n%s", command, e.message.c_str(), usage);
        return kExitUsage;
    } catch (const Error& e) {
        std::fprintf(stderr, "vemo-cli %s: %s\n", command, Cp932ToUtf8(e.what()).c_str());
        return kExitFailed;
    } catch (const std::exception& e) {
        // A fault of this program, not of the input: named as such, never an end without a word.
        std::fprintf(stderr, "vemo-cli %s: internal error: %s\n", command, e.what());
        return kExitFailed;
    } catch (...) {
        std::fprintf(stderr, "vemo-cli %s: internal error\n", command);
        return kExitFailed;
    }
}

int RunGuarded(const char* command, const char* usage, int (*body)(int, char**), int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--help") {
            std::fputs(usage, stdout);
            return kExitDone;
        }
    }
    return RunGuardedBody(command, usage, [&] { return body(argc, argv); });
}

} // namespace vemo::cli
