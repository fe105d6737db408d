#pragma once

#include <filesystem>
#include <string>

namespace vemo::gis {

// GDAL's errors while an export runs: recorded instead of printed, so that a failure that GDAL only
// reports (and does not return) still stops the export.
class GdalErrorTrap {
public:
    GdalErrorTrap();
    ~GdalErrorTrap();
    GdalErrorTrap(const GdalErrorTrap&) = delete;
    GdalErrorTrap& operator=(const GdalErrorTrap&) = delete;

    bool Failed() const { return failed_; }
    const std::string& FirstMessage() const { return message_; }
    int FirstErrno() const { return errno_; }
    void Record(int errorClass, const char* message);

private:
    bool failed_ = false;
    std::string message_;
    int errno_ = 0;
};

// Thrown by the layer writers when GDAL refuses a layer, a field or a feature; ExportSite turns it into
// the message about the user's file.
struct GdalRefusal {
    std::string text; // GDAL's own, UTF-8
};

// Throws vemo::Error "ファイル「<target>」に書き込めません（<reason>）（GDAL: <text>）" with the reason
// of DiagnoseStagingFailure (of `error` itself when there is no staging folder); GDAL's text is
// shortened, never shows the staging folder, and is left out when GDAL said nothing.
[[noreturn]] void ThrowExportFailure(const std::filesystem::path& target, const std::filesystem::path& staging,
                                     std::string gdalText, int error);

} // namespace vemo::gis
