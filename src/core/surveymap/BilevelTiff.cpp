#include "core/surveymap/BilevelTiff.h"

#include "core/files/FileIo.h"
#include "core/text/Error.h"
#include "core/text/MessagesSurveyMap.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace vemo::surveymap {

namespace {

// libtiff writes through these into a growing string, so the file itself goes through the safe writer.
struct MemoryFile {
    std::string bytes;
    toff_t at = 0;
    std::string error;
};

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (file->at >= file->bytes.size()) {
        return 0;
    }
    tmsize_t n = std::min<tmsize_t>(size, static_cast<tmsize_t>(file->bytes.size() - file->at));
    std::memcpy(buffer, file->bytes.data() + file->at, static_cast<size_t>(n));
    file->at += static_cast<toff_t>(n);
    return n;
}

tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t size) {
    auto* file = static_cast<MemoryFile*>(handle);
    size_t end = static_cast<size_t>(file->at) + static_cast<size_t>(size);
    if (file->bytes.size() < end) {
        file->bytes.resize(end);
    }
    std::memcpy(file->bytes.data() + file->at, buffer, static_cast<size_t>(size));
    file->at = end;
    return size;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    toff_t base = whence == SEEK_CUR ? file->at : whence == SEEK_END ? file->bytes.size() : 0;
    file->at = base + offset;
    return file->at;
}

int CloseProc(thandle_t) {
    return 0;
}

toff_t SizeProc(thandle_t handle) {
    return static_cast<MemoryFile*>(handle)->bytes.size();
}

int MapProc(thandle_t, void**, toff_t*) {
    return 0;
}

void UnmapProc(thandle_t, void*, toff_t) {}

// libtiff's complaints go into the error thrown, not onto the terminal.
int ErrorHandler(TIFF*, void* data, const char* module, const char* format, va_list args) {
    auto* file = static_cast<MemoryFile*>(data);
    if (file != nullptr && file->error.empty()) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, args);
        file->error = std::string(module != nullptr ? module : "") + ": " + text;
    }
    return 1;
}

int WarningHandler(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

} // namespace

std::string BilevelTiffBytes(const BilevelImage& image) {
    MemoryFile file;
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, &ErrorHandler, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options, &WarningHandler, nullptr);
    TIFF* tiff = TIFFClientOpenExt("drawing.tif", "w", &file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc,
                                   MapProc, UnmapProc, options);
    TIFFOpenOptionsFree(options);
    if (tiff == nullptr) {
        throw Error(msg::TiffRefused(file.error));
    }
    bool written = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(image.width)) &&
                   TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(image.height)) &&
                   TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 1) && TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1) &&
                   TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4) &&
                   TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE) &&
                   TIFFSetField(tiff, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB) &&
                   TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
                   TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, static_cast<uint32_t>(image.height)) &&
                   TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH) &&
                   TIFFSetField(tiff, TIFFTAG_XRESOLUTION, static_cast<float>(image.dotsPerInch)) &&
                   TIFFSetField(tiff, TIFFTAG_YRESOLUTION, static_cast<float>(image.dotsPerInch));
    // Group 4 codes the page as one strip, row by row.
    std::vector<std::uint8_t> row(static_cast<size_t>(image.RowBytes()));
    for (int y = 0; written && y < image.height; ++y) {
        std::copy_n(image.bits.begin() + static_cast<std::ptrdiff_t>(y) * image.RowBytes(), row.size(), row.begin());
        written = TIFFWriteScanline(tiff, row.data(), static_cast<uint32_t>(y), 0) == 1;
    }
    written = written && TIFFWriteDirectory(tiff);
    TIFFClose(tiff);
    if (!written) {
        throw Error(msg::TiffRefused(file.error));
    }
    return std::move(file.bytes);
}

void WriteBilevelTiff(const std::filesystem::path& target, const BilevelImage& image) {
    WriteFileAtomic(target, BilevelTiffBytes(image), false);
}

} // namespace vemo::surveymap
