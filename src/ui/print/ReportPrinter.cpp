#include "ui/print/ReportPrinter.h"

#include "core/print/ReportHeading.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesMain.h"
#include "core/text/MessagesNotices.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/StatusNotice.h"
#include "ui/print/PdfFile.h"
#include "ui/print/PdfFileName.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

#include <algorithm>

namespace vemo {

namespace {

// IPAGothic is named explicitly: Qt does not report it as fixed pitch, and the generic monospace family
// has Japanese widths that break the columns.
QFont ReportFont(const ReportLine& line, QPaintDevice* device) {
    bool title = line.style == ReportLine::Style::Title;
    QFont font(QStringLiteral("IPAGothic"), title ? 18 : 10);
    font.setItalic(title);
    font.setStyleHint(QFont::TypeWriter);
    return QFont(font, device);
}

// Draws lines from the top of the sheet's printable area; returns the height used.
class SheetWriter {
public:
    explicit SheetWriter(QPrinter& printer) : printer_(printer), painter_(&printer) { painter_.setPen(Qt::black); }
    bool active() const { return painter_.isActive(); }
    QRectF area() const { return printer_.pageLayout().paintRectPixels(printer_.resolution()); }
    qreal height(const ReportLine& line) { return QFontMetricsF(ReportFont(line, &printer_)).lineSpacing(); }
    qreal width(const ReportLine& line) {
        return QFontMetricsF(ReportFont(line, &printer_)).horizontalAdvance(FromCp932(line.text));
    }
    void draw(const ReportLine& line, qreal y) {
        QFont font = ReportFont(line, &printer_);
        painter_.setFont(font);
        painter_.drawText(QPointF(0, y + QFontMetricsF(font).ascent()), FromCp932(line.text));
    }
    void newSheet() { printer_.newPage(); }
    // Ends the job; false when the printer (or the PDF file) could not take all of it.
    void finish() {
        if (!painter_.end()) {
            throw Error(msg::CannotFinishPrinting());
        }
    }
    QPainter& painter() { return painter_; }

private:
    QPrinter& printer_;
    QPainter painter_;
};

// The head lines [first, end) a sheet beginning at a line repeats: those of the table the line continues.
struct CarriedHead {
    size_t first = 0;
    size_t end = 0;
};

std::vector<CarriedHead> CarriedHeads(const std::vector<ReportLine>& lines) {
    std::vector<CarriedHead> carried(lines.size());
    CarriedHead open;
    for (size_t i = 0; i < lines.size(); ++i) {
        switch (lines[i].role) {
        case ReportLine::Role::Head:
            if (i == 0 || lines[i - 1].role != ReportLine::Role::Head) {
                open.first = i;
            }
            open.end = i + 1;
            break;
        case ReportLine::Role::End:
            open = {};
            break;
        case ReportLine::Role::Plain:
            carried[i] = open;
            break;
        }
    }
    return carried;
}

bool Report(const PrintProgress& progress, int done, int total) {
    return !progress || progress(done, total);
}

} // namespace

void ReportPrinter::printLines(QPrinter& printer, const std::vector<ReportLine>& lines, const PrintProgress& progress,
                               const ReportHeading* heading, const SheetDrawing& lastSheet) {
    SheetWriter sheet(printer);
    if (!sheet.active()) {
        throw Error(msg::CannotStartPrinting());
    }
    // Laid out before anything is drawn, so that the heading can tell how many sheets there are.
    const ReportLine footer{heading != nullptr ? heading->source : std::string()};
    const qreal footerHeight = footer.text.empty() ? 0 : 2 * sheet.height(footer); // a blank line and the source
    const qreal bottom = sheet.area().height() - footerHeight;
    const qreal top = heading != nullptr ? 2 * sheet.height(ReportLine{}) : 0; // the heading and a blank line
    const std::vector<CarriedHead> carried = CarriedHeads(lines);
    std::vector<size_t> sheetStarts{0};
    qreal y = top;
    for (size_t i = 0; i < lines.size(); ++i) {
        qreal h = sheet.height(lines[i]);
        if (i > sheetStarts.back() && y + h > bottom) {
            size_t start = i;
            while (start > sheetStarts.back() + 1 && lines[start - 1].role == ReportLine::Role::Head) {
                --start; // a table's head goes over with its first rows
            }
            i = start;
            h = sheet.height(lines[i]);
            sheetStarts.push_back(i);
            y = top;
            for (size_t c = carried[i].first; c < carried[i].end; ++c) {
                y += sheet.height(lines[c]);
            }
        }
        y += h;
    }
    const int sheets = static_cast<int>(sheetStarts.size());
    for (int s = 0; s < sheets; ++s) {
        if (s > 0) {
            sheet.newSheet();
            if (!Report(progress, s, sheets)) {
                return;
            }
        }
        if (heading != nullptr) {
            sheet.draw(ReportLine{HeadingLine(*heading, s + 1, sheets)}, 0);
        }
        if (!footer.text.empty()) {
            sheet.draw(footer, sheet.area().height() - sheet.height(footer));
        }
        y = top;
        const CarriedHead head = s > 0 ? carried[sheetStarts[s]] : CarriedHead{};
        for (size_t i = head.first; i < head.end; ++i) {
            sheet.draw(lines[i], y);
            y += sheet.height(lines[i]);
        }
        const size_t end = s + 1 < sheets ? sheetStarts[s + 1] : lines.size();
        for (size_t i = sheetStarts[s]; i < end; ++i) {
            sheet.draw(lines[i], y);
            y += sheet.height(lines[i]);
        }
    }
    if (lastSheet) {
        sheet.newSheet();
        const QRectF area = sheet.area();
        QPainter& painter = sheet.painter();
        painter.save();
        lastSheet(painter, QRectF(0, 0, area.width(), area.height()));
        painter.restore();
    }
    sheet.finish();
}

void ReportPrinter::printPages(QPrinter& printer, const PagedReport& report, const PrintProgress& progress,
                               const std::string& footer) {
    SheetWriter sheet(printer);
    if (!sheet.active()) {
        throw Error(msg::CannotStartPrinting());
    }
    QRectF area = sheet.area();
    const ReportLine footerLine{footer};
    if (!footer.empty()) {
        area.setHeight(area.height() - 2 * sheet.height(footerLine));
    }
    int total = report.PageCount();
    for (int page = 0; page < total; ++page) {
        if (page > 0) {
            sheet.newSheet();
        }
        std::vector<ReportLine> lines = report.Page(page);
        qreal height = 0;
        qreal width = 0;
        for (const ReportLine& line : lines) {
            height += sheet.height(line);
            width = std::max(width, sheet.width(line));
        }
        qreal scale =
            std::min({1.0, area.height() / std::max<qreal>(height, 1), area.width() / std::max<qreal>(width, 1)});
        QPainter& painter = sheet.painter();
        painter.save();
        painter.scale(scale, scale);
        qreal y = 0;
        for (const ReportLine& line : lines) {
            sheet.draw(line, y);
            y += sheet.height(line);
        }
        painter.restore();
        if (!footer.empty()) {
            sheet.draw(footerLine, sheet.area().height() - sheet.height(footerLine));
        }
        if (!Report(progress, page + 1, total)) {
            return;
        }
    }
    sheet.finish();
}

void PreviewReport(QWidget* parent, const QString& title,
                   const std::function<void(QPrinter&, const PrintProgress&)>& paint, const QString& reportName) {
    QPrinter printer(QPrinter::HighResolution);
    // The print dialog proposes the document's name for a PDF file.
    printer.setDocName(PdfDocumentName(title, reportName));
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
        QProgressDialog progressDialog(QStringLiteral("印刷中..."), QStringLiteral("中止"), 0, 0, &preview);
        progressDialog.setWindowModality(Qt::WindowModal);
        progressDialog.setMinimumDuration(1000);
        bool cancelled = false;
        auto paintReport = [&] {
            paint(*target, [&](int done, int total) {
                progressDialog.setMaximum(total);
                progressDialog.setValue(total > 0 ? done : 0);
                cancelled = progressDialog.wasCanceled();
                return !cancelled;
            });
            return !cancelled;
        };
        if (!IsPdfFileJob(*target)) {
            paintReport();
            return;
        }
        // The print dialog's "print to file": written as every file is, and a failure is told here
        // (the preview's event loop is no command boundary).
        try {
            bool written = false;
            WritePdfFile(*target, target->outputFileName(), [&] { return written = paintReport(); });
            if (written) {
                ShowStatusNotice(parent, FileWrittenNotice(msg::PdfFileKind(), target->outputFileName()));
            }
        } catch (const Error& error) {
            MessageBox::ShowCp932(&preview, error.what(), MessageBox::Kind::Warning);
        }
    });
    preview.exec();
}

void PrintReportToPdf(const QString& path, const QString& title,
                      const std::function<void(QPrinter&, const PrintProgress&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setDocName(title);
    WritePdfFile(printer, path, [&] {
        paint(printer, {});
        return true;
    });
}

} // namespace vemo
