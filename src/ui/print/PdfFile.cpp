#include "ui/print/PdfFile.h"

#include "core/io/SafeReplace.h"
#include "core/text/Error.h"
#include "ui/common/Cp932Text.h"

#include <QFile>
#include <QPaintEngine>
#include <QPrinter>

#include <cerrno>
#include <charconv>
#include <string_view>

namespace vemo {
namespace fs = std::filesystem;
namespace {

// A PDF ends with "startxref", the offset of its cross-reference table, and "%%EOF"; a file cut short
// or with bytes lost on the way has no such ending or an offset that points elsewhere.
bool PdfIsComplete(std::string_view pdf) {
    if (!pdf.starts_with("%PDF-")) {
        return false;
    }
    while (!pdf.empty() && (pdf.back() == '\n' || pdf.back() == '\r' || pdf.back() == ' ')) {
        pdf.remove_suffix(1);
    }
    const size_t startxref = pdf.rfind("startxref");
    if (!pdf.ends_with("%%EOF") || startxref == std::string_view::npos) {
        return false;
    }
    size_t at = startxref + 9;
    while (at < pdf.size() && (pdf[at] == '\n' || pdf[at] == '\r' || pdf[at] == ' ')) {
        ++at;
    }
    size_t offset = 0;
    if (std::from_chars(pdf.data() + at, pdf.data() + pdf.size(), offset).ec != std::errc()) {
        return false;
    }
    return offset < startxref && pdf.substr(offset).starts_with("xref");
}

bool StagedPdfIsComplete(const fs::path& staged) {
    QFile file(PathText(staged));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    return file.error() == QFileDevice::NoError && PdfIsComplete(std::string_view(bytes.constData(), bytes.size()));
}

} // namespace

bool IsPdfFileJob(QPrinter& printer) {
    QPaintEngine* engine = printer.paintEngine();
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() && engine != nullptr &&
           engine->type() == QPaintEngine::Pdf;
}

void WritePdfFile(QPrinter& printer, const QString& target, const std::function<bool()>& paint) {
    const fs::path targetPath = NativePath(target);
    CheckReplaceable(targetPath); // a read-only file is refused before the work, as a save refuses it
    const fs::path staging = CreateStagingFolder(targetPath);
    struct Restore {
        QPrinter& printer;
        const QString& target;
        const fs::path& staging;
        ~Restore() {
            printer.setOutputFileName(target);
            RemoveStagingFolder(staging);
        }
    } restore{printer, target, staging};
    const fs::path staged = staging / targetPath.filename();
    printer.setOutputFileName(PathText(staged));
    bool completed = false;
    try {
        completed = paint();
    } catch (const Error&) {
        ThrowWriteFailure(targetPath, DiagnoseStagingFailure(staging, errno));
    }
    if (!completed) {
        return;
    }
    if (!StagedPdfIsComplete(staged)) {
        ThrowWriteFailure(targetPath, DiagnoseStagingFailure(staging, 0));
    }
    const StagedFile file{staged, targetPath};
    MoveIntoPlace(std::span(&file, 1));
}

} // namespace vemo
