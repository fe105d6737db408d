#pragma once

namespace vemo {

struct TrvsHeader;
struct TrvsOptions;
class TrvsKnownPoints;
class TrvsTable;

// Everything a computation reads.
struct TrvsInput {
    const TrvsHeader& header;
    const TrvsTable& table;
    const TrvsOptions& options;
    const TrvsKnownPoints& known;
};

} // namespace vemo
