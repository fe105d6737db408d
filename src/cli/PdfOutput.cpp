#include "PdfOutput.h"

#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"

#ifdef VEMO_CLI_PDF
#include "ui/print/NetworkPlot.h"
#include "ui/print/ReportPrinter.h"
#include "ui/surveymap/SurveyMapPainter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#endif

namespace vemo::cli {

#ifdef VEMO_CLI_PDF

namespace {

// Printing needs a Qt application for its fonts; a batch run has no screen, so it takes the offscreen
// platform unless the caller chose one.  The application lives for one PDF and is gone before the
// process exits (Qt must not be torn down by static destructors).  A batch run (cron, a service, su)
// often has no XDG_RUNTIME_DIR, about which Qt writes a line of its own to stderr among the program's
// messages: such a run gets a private runtime folder for the PDF, removed with it.
class GuiScope {
public:
    GuiScope() {
        if (QGuiApplication::instance() == nullptr) {
            setenv("QT_QPA_PLATFORM", "offscreen", 0);
            const char* runtime = std::getenv("XDG_RUNTIME_DIR");
            if (runtime == nullptr || *runtime == '\0') {
                std::error_code ec;
                std::string folder = (std::filesystem::temp_directory_path(ec) / "vemo-cli-runtime-XXXXXX").string();
                if (!ec && ::mkdtemp(folder.data()) != nullptr) { // made 0700, as Qt wants it
                    runtimeDir_ = folder;
                    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
                }
            }
            app_ = std::make_unique<QGuiApplication>(argc_, argv_);
        }
    }
    ~GuiScope() {
        app_.reset();
        if (!runtimeDir_.empty()) {
            unsetenv("XDG_RUNTIME_DIR");
            std::error_code ignored;
            std::filesystem::remove_all(runtimeDir_, ignored);
        }
    }
    GuiScope(const GuiScope&) = delete;
    GuiScope& operator=(const GuiScope&) = delete;

private:
    std::string runtimeDir_;
    int argc_ = 1;
    char name_[9] = "vemo-cli";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

} // namespace

bool CanWritePdf() {
    return true;
}

void WriteLinesPdf(const std::string& path, const std::string& title, const std::vector<ReportLine>& lines,
                   const ReportHeading* heading) {
    GuiScope gui;
    PrintReportToPdf(QString::fromStdString(path), QString::fromStdString(title),
                     [&](QPrinter& printer, const PrintProgress& progress) {
                         ReportPrinter::printLines(printer, lines, progress, heading);
                     });
}

void WritePagesPdf(const std::string& path, const std::string& title, const PagedReport& report,
                   const std::string& footer) {
    GuiScope gui;
    PrintReportToPdf(QString::fromStdString(path), QString::fromStdString(title),
                     [&](QPrinter& printer, const PrintProgress& progress) {
                         ReportPrinter::printPages(printer, report, progress, footer);
                     });
}

void WriteNetworkReportPdf(const std::string& path, const std::string& title, const std::vector<ReportLine>& lines,
                           const Network& network, const NetworkAdjustment& adjustment) {
    GuiScope gui;
    PrintReportToPdf(QString::fromStdString(path), QString::fromStdString(title),
                     [&](QPrinter& printer, const PrintProgress& progress) {
                         ReportPrinter::printLines(printer, lines, progress, nullptr,
                                                   [&](QPainter& painter, const QRectF& area) {
                                                       PaintNetworkPlot(painter, area, network, adjustment);
                                                   });
                     });
}

void WriteNetworkPlotPdf(const std::string& path, const std::string& title, const Network& network,
                         const NetworkAdjustment& adjustment) {
    GuiScope gui;
    PrintReportToPdf(QString::fromStdString(path), QString::fromStdString(title),
                     [&](QPrinter& printer, const PrintProgress&) {
                         QPainter painter(&printer);
                         PaintNetworkPlot(painter, QRectF(painter.viewport()), network, adjustment);
                     });
}

void WriteSurveyMapPdf(const std::string& path, const std::string& title, const surveymap::SurveyMapLayout& layout) {
    GuiScope gui;
    PrintReportToPdf(QString::fromStdString(path), QString::fromStdString(title),
                     [&](QPrinter& printer, const PrintProgress&) { surveymap::PrintSurveyMap(printer, layout); });
}

void WriteSurveyMapTiff(const std::string& path, const surveymap::SurveyMapLayout& layout) {
    GuiScope gui;
    surveymap::WriteSurveyMapTiff(layout, path);
}

#else

bool CanWritePdf() {
    return false;
}

void WriteLinesPdf(const std::string&, const std::string&, const std::vector<ReportLine>&, const ReportHeading*) {
    throw Error(msg::NoPdfInThisBuild());
}

void WritePagesPdf(const std::string&, const std::string&, const PagedReport&, const std::string&) {
    throw Error(msg::NoPdfInThisBuild());
}

void WriteNetworkReportPdf(const std::string&, const std::string&, const std::vector<ReportLine>&, const Network&,
                           const NetworkAdjustment&) {
    throw Error(msg::NoPdfInThisBuild());
}

void WriteNetworkPlotPdf(const std::string&, const std::string&, const Network&, const NetworkAdjustment&) {
    throw Error(msg::NoPdfInThisBuild());
}

void WriteSurveyMapPdf(const std::string&, const std::string&, const surveymap::SurveyMapLayout&) {
    throw Error(msg::NoPdfInThisBuild());
}

void WriteSurveyMapTiff(const std::string&, const surveymap::SurveyMapLayout&) {
    throw Error(msg::NoPdfInThisBuild());
}

#endif

} // namespace vemo::cli
