#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vemo::instrument {

struct InstrumentOptions {
    std::string device;      // --device PATH: a serial device instead of a new pseudo terminal
    std::string link;        // --link PATH: a symbolic link to the pseudo terminal's other end
    std::string receiveFile; // --receive FILE: take records, write them here as received
    std::string sendFile;    // --send FILE: send the record lines of this file (observations, points)
    int canned = 0;          // --canned N: send N made-up coordinate records
    bool silent = false;     // --silent: read everything, answer nothing
    double corrupt = 0;      // --corrupt FRACTION: share of bytes corrupted in both directions
    std::uint32_t seed = 1;  // --seed N
    int timeoutMs = 2000;    // --timeout MS: wait for an answer before sending a line again
    int attempts = 60;       // --attempts N
};

// Reads the command line; nothing (and a message on stderr) when it is wrong.
std::optional<InstrumentOptions> ParseInstrumentOptions(int argc, char** argv);

// The made-up coordinate records of --canned: "P1" .. "PN" on a 10 m grid with heights.
std::string CannedPointRecords(int count);

extern const char* const kInstrumentUsage;

} // namespace vemo::instrument
