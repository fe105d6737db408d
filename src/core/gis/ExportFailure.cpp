#include "core/gis/ExportFailure.h"

#include "core/io/SafeReplace.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include <cpl_error.h>

#include <cerrno>
#include <sys/resource.h>
#include <sys/statvfs.h>

namespace vemo::gis {
namespace fs = std::filesystem;
namespace {

// GDAL's text is context for a support call, not the message: one line, at most this long.
constexpr size_t kGdalTextBytes = 100;
// Less free space than this in the folder after a failed export means the disk filled up.
constexpr unsigned long long kNearlyFullBytes = 256 * 1024;

void CPL_STDCALL RecordError(CPLErr errorClass, CPLErrorNum, const char* message) {
    if (auto* trap = static_cast<GdalErrorTrap*>(CPLGetErrorHandlerUserData())) {
        trap->Record(errorClass, message);
    }
}

bool DiskIsFull(const fs::path& folder) {
    struct statvfs fs {};
    return ::statvfs(folder.c_str(), &fs) == 0 &&
           static_cast<unsigned long long>(fs.f_bavail) * fs.f_frsize < kNearlyFullBytes;
}

bool FileSizeLimitReached(const fs::path& staging) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return false;
    }
    std::error_code ec;
    for (fs::recursive_directory_iterator it(staging, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sizeError;
        if (it->is_regular_file(sizeError) && it->file_size(sizeError) >= limit.rlim_cur) {
            return true;
        }
    }
    return false;
}

int Diagnose(int error, const fs::path& staging) {
    if (error == ENOSPC || error == EDQUOT || error == EFBIG || error == EACCES || error == EROFS) {
        return error;
    }
    if (DiskIsFull(staging.parent_path().empty() ? fs::path(".") : staging.parent_path()) ||
        FileSizeLimitReached(staging)) {
        return ENOSPC;
    }
    return error != 0 ? error : EIO;
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
    std::string message = Jp("ファイル「") + MessagePath(target) + Jp("」に書き込めません（") +
                          WriteFailureReason(Diagnose(error, staging)) + Jp("）");
    const std::string shortened = Shortened(std::move(gdalText), staging);
    if (!shortened.empty()) {
        message += Jp("（GDAL: ") + shortened + Jp("）");
    }
    throw Error(message);
}

} // namespace vemo::gis
