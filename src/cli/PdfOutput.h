#pragma once

#include "core/print/ReportLine.h"

#include <string>
#include <vector>

namespace vemo {
struct ReportHeading;
struct Network;
struct NetworkAdjustment;
} // namespace vemo
namespace vemo::surveymap {
struct SurveyMapLayout;
}

namespace vemo::cli {

// Whether this build of vemo-cli can write PDF files (it needs the Qt print support of the program).
bool CanWritePdf();

// Writes the printed form of a report, exactly as the program's print command would print it, into a
// PDF file.  Throws vemo::Error when the file cannot be written.
// With a heading, every sheet begins with it (see ReportPrinter::printLines).
void WriteLinesPdf(const std::string& path, const std::string& title, const std::vector<ReportLine>& lines,
                   const ReportHeading* heading = nullptr);
// A footer (the data's source) goes at the foot of every sheet.
void WritePagesPdf(const std::string& path, const std::string& title, const PagedReport& report,
                   const std::string& footer = {});
// The 平均計算書 of an adjusted network: its lines, then the plot with the error ellipses on a sheet of
// its own.
void WriteNetworkReportPdf(const std::string& path, const std::string& title, const std::vector<ReportLine>& lines,
                           const Network& network, const NetworkAdjustment& adjustment);
// The plot of an adjusted network with its error ellipses, on one sheet.
void WriteNetworkPlotPdf(const std::string& path, const std::string& title, const Network& network,
                         const NetworkAdjustment& adjustment);
// The survey map on its sheet at true scale.
void WriteSurveyMapPdf(const std::string& path, const std::string& title, const surveymap::SurveyMapLayout& layout);
// The survey map as the register's 1-bit Group 4 TIFF at 400 dpi.
void WriteSurveyMapTiff(const std::string& path, const surveymap::SurveyMapLayout& layout);

} // namespace vemo::cli
