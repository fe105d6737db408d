#include "InstrumentOptions.h"

#include "core/zub/ZubChecksum.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace vemo::instrument {

const char* const kInstrumentUsage =
    "usage: zub-instrument [--device PATH | --link PATH] (--receive FILE | --send FILE | --canned N | --silent)\n"
    "                      [--corrupt FRACTION] [--seed N] [--timeout MS] [--attempts N]\n"
    "Plays a field instrument on a serial line.  Without --device it creates a pseudo-terminal pair and\n"
    "prints the path of the end to open in the program as its first line of output.\n";

std::optional<InstrumentOptions> ParseInstrumentOptions(int argc, char** argv) {
    InstrumentOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        auto take = [&]() -> const char* {
            ++i;
            return value;
        };
        if (arg == "--silent") {
            o.silent = true;
            continue;
        }
        if (value == nullptr) {
            std::fprintf(stderr, "%s", kInstrumentUsage);
            return std::nullopt;
        }
        if (arg == "--device") {
            o.device = take();
        } else if (arg == "--link") {
            o.link = take();
        } else if (arg == "--receive") {
            o.receiveFile = take();
        } else if (arg == "--send") {
            o.sendFile = take();
        } else if (arg == "--canned") {
            o.canned = std::atoi(take());
        } else if (arg == "--corrupt") {
            o.corrupt = std::atof(take());
        } else if (arg == "--seed") {
            o.seed = static_cast<std::uint32_t>(std::strtoul(take(), nullptr, 10));
        } else if (arg == "--timeout") {
            o.timeoutMs = std::atoi(take());
        } else if (arg == "--attempts") {
            o.attempts = std::atoi(take());
        } else {
            std::fprintf(stderr, "unknown option %s\n%s", argv[i], kInstrumentUsage);
            return std::nullopt;
        }
    }
    const int modes = !o.receiveFile.empty() + !o.sendFile.empty() + (o.canned > 0) + o.silent;
    if (modes != 1) {
        std::fprintf(stderr, "%s", kInstrumentUsage);
        return std::nullopt;
    }
    return o;
}

std::string CannedPointRecords(int count) {
    std::string text = ZubRecordLine("A,01,") + "\r\n";
    for (int i = 1; i <= count; ++i) {
        char body[96];
        std::snprintf(body, sizeof body, "G,P%d,%.3f,%.3f,%.3f,", i, -12000.0 + 10.0 * (i / 10),
                      35000.0 + i % 10 * 10.0, 20.0 + i * 0.001);
        text += ZubRecordLine(body) + "\r\n";
    }
    return text + ZubRecordLine("Z,") + "\r\n";
}

} // namespace vemo::instrument
