#pragma once

#include "core/print/ReportLine.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

class QPainter;
class QPrinter;
class QRectF;
class QWidget;

namespace vemo {

struct ReportHeading;

// Told how far a print job has come (sheets done of sheets in all); answering false cancels the job.
using PrintProgress = std::function<bool(int done, int total)>;
// Draws a whole sheet: the painter and the sheet's printable area in its coordinates.
using SheetDrawing = std::function<void(QPainter& painter, const QRectF& area)>;

// Puts report lines onto printer sheets in IPAGothic (10 points, the title 18 points italic): half-width
// characters one cell, double-byte characters two, as the column layouts need.  A report is one print
// job: every sheet of it goes to one printer job or one PDF file.
class ReportPrinter {
public:
    // Flowing text: the lines run onto as many sheets as they need.  With a heading, every sheet begins
    // with it (and its sheet number of all) and an empty line, and ends with the heading's source.  A table
    // marked with a head (see ReportLine::Role) that runs onto a sheet has its head repeated there, and its
    // head is never left at a sheet's foot without a row.
    // A drawing to close the report (a plot) takes a sheet of its own after the lines; it is handed the
    // painter and the sheet's printable area.
    static void printLines(QPrinter& printer, const std::vector<ReportLine>& lines, const PrintProgress& progress = {},
                           const ReportHeading* heading = nullptr, const SheetDrawing& lastSheet = {});
    // Fixed pages: each page of the report on a sheet of its own, scaled down when its lines would not
    // fit the sheet (65 rows and their head do not fit an A4 sheet at the usual line spacing).  A
    // footer (the data's source) is printed at the foot of every sheet.
    static void printPages(QPrinter& printer, const PagedReport& report, const PrintProgress& progress = {},
                           const std::string& footer = {});
};

// A print command: a print preview titled `title` from which the user prints to any printer or saves a
// PDF; `paint` draws the report onto the printer the preview hands it.  Long jobs show a progress
// dialog (after a second) that can cancel them.  The PDF's proposed name is PdfDocumentName(title,
// reportName).
void PreviewReport(QWidget* parent, const QString& title,
                   const std::function<void(QPrinter&, const PrintProgress&)>& paint,
                   const QString& reportName = QString());

// Batch and test printing: the report straight into a PDF file, written as WritePdfFile writes (complete
// or untouched).  Throws vemo::Error naming the file and the reason when it cannot be written.
void PrintReportToPdf(const QString& path, const QString& title,
                      const std::function<void(QPrinter&, const PrintProgress&)>& paint);

} // namespace vemo
