#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vemo::surveymap {

// A black-and-white raster: rows of `width` pixels packed eight to a byte, the first pixel in the high
// bit, each row starting on a byte; a set bit is black.
struct BilevelImage {
    int width = 0;
    int height = 0;
    double dotsPerInch = 400;
    std::vector<std::uint8_t> bits;

    int RowBytes() const { return (width + 7) / 8; }
    bool Black(int x, int y) const { return (bits[static_cast<size_t>(y) * RowBytes() + x / 8] >> (7 - x % 8)) & 1; }
};

// The drawing as the register takes it online (the notice on 土地所在図等の作成方式): one TIFF page, 1 bit
// black on white (a set bit is black: PhotometricInterpretation WhiteIsZero), CCITT Group 4 compression,
// its resolution in both directions in dots per inch.  Built in memory by libtiff; throws vemo::Error
// when libtiff refuses.
std::string BilevelTiffBytes(const BilevelImage& image);

// Writes those bytes through the safe writer (the former file kept whole until the new one is complete).
void WriteBilevelTiff(const std::filesystem::path& target, const BilevelImage& image);

} // namespace vemo::surveymap
