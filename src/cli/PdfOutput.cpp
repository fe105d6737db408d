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
#include <memory>
#endif

namespace vemo::cli {

#ifdef VEMO_CLI_PDF

namespace {

// Printing needs a Qt application for its fonts; a batch run has no screen, so it takes the offscreen
// platform unless the caller chose one.  The application lives for one PDF and is gone before the
// process exits (Qt must not be torn down by static destructors).
class GuiScope {
public:
    GuiScope() {
        if (QGuiApplication::instance() == nullptr) {
            setenv("QT_QPA_PLATFORM", "offscreen", 0);
            app_ = std::make_unique<QGuiApplication>(argc_, argv_);
        }
    }

private:
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

void WritePagesPdf(const std::string& path, const std::string& title, const PagedReport& report) {
    GuiScope gui;
    PrintReportToPdf(QString::fromStdString(path), QString::fromStdString(title),
                     [&](QPrinter& printer, const PrintProgress& progress) {
                         ReportPrinter::printPages(printer, report, progress);
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

void WritePagesPdf(const std::string&, const std::string&, const PagedReport&) {
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
