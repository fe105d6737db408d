#include "core/gis/ExportFailure.h"

#include "core/io/SafeReplace.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"

#include <cpl_error.h>

namespace vemo::gis {
namespace fs = std::filesystem;
namespace {

// GDAL's text is context for a support call, not the message: one line, at most this long.
constexpr size_t kGdalTextBytes = 100;

void CPL_STDCALL RecordError(CPLErr errorClass, CPLErrorNum, const char* message) {
    if (auto* trap = static_cast<GdalErrorTrap*>(CPLGetErrorHandlerUserData())) {
        trap->Record(errorClass, message);
    }
}

std::string Shortened(std::string text, const fs::path& staging) {
    text = text.substr(0, text.find('\n'));
    for (size_t at; !staging.empty() && (at = text.find(staging.string())) != std::string::npos;) {
        text.erase(at, staging.string().size());
    }
    if (text.size() > kGdalTextBytes) {
        size_t cut = kGdalTextBytes;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
            --cut; // not inside a UTF-8 character
        }
        text = text.substr(0, cut) + "...";
    }
    return Utf8ToCp932(text).value_or(std::string());
}

} // namespace

GdalErrorTrap::GdalErrorTrap() {
    CPLPushErrorHandlerEx(&RecordError, this);
}

GdalErrorTrap::~GdalErrorTrap() {
    CPLPopErrorHandler();
}

void GdalErrorTrap::Record(int errorClass, const char* message) {
    if (errorClass >= CE_Failure && !failed_) {
        failed_ = true;
        errno_ = errno;
        message_ = message != nullptr ? message : "";
    }
}

void ThrowExportFailure(const fs::path& target, const fs::path& staging, std::string gdalText, int error) {
    const int reason = staging.empty() ? error : DiagnoseStagingFailure(staging, error);
    std::string message = msg::CannotWriteFile(MessagePath(target), WriteFailureReason(reason));
    const std::string shortened = Shortened(std::move(gdalText), staging);
    if (!shortened.empty()) {
        message += msg::GdalSays(shortened);
    }
    throw Error(message);
}

} // namespace vemo::gis
