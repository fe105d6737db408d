// The printed reports read back from their PDF with pdftotext -layout: what reaches paper is what the
// report lines say, in order, every page of a report in one file.
#include "ui/print/ReportPrinter.h"

#include "core/parcels/AreaReports.h"
#include "core/print/CoordinateListPrint.h"
#include "core/print/ReportHeading.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "support/FullDisk.h"
#include "support/TempDir.h"
#include "support/WhenShown.h"
#include "ui/common/MessageBox.h"

#include <QApplication>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace vemo {
namespace {

// Each sheet's lines, blanks collapsed: pdftotext places words by their position, so runs of spaces
// come back approximately, while the words and their order must be exact.
std::vector<QStringList> PdfSheets(const std::string& pdf, const test::TempDir& dir) {
    std::string txt = dir.File("out.txt");
    std::string command = "pdftotext -layout " + pdf + " " + txt;
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::vector<QStringList> sheets;
    for (const QString& sheet : QString::fromUtf8(test::ReadBytes(txt)).split(QChar('\f'))) {
        QStringList lines;
        for (const QString& line : sheet.split(QChar('\n'))) {
            QString simple = line.simplified();
            if (!simple.isEmpty()) {
                lines << simple;
            }
        }
        if (!lines.isEmpty()) {
            sheets.push_back(lines);
        }
    }
    return sheets;
}

QStringList Simplified(const std::vector<ReportLine>& lines) {
    QStringList simple;
    for (const ReportLine& line : lines) {
        QString text = QString::fromStdString(Cp932ToUtf8(line.text)).simplified();
        if (!text.isEmpty()) {
            simple << text;
        }
    }
    return simple;
}

XyzList Points(int count) {
    std::vector<XyzRow> rows;
    for (int i = 1; i <= count; ++i) {
        rows.push_back(XyzRow{"", "P" + std::to_string(i), std::to_string(i) + ".000", std::to_string(i % 7) + ".000",
                              "", Jp("杭"), ""});
    }
    XyzList list;
    list.ReplaceAll(std::move(rows));
    return list;
}

void PrintLinesToPdf(const std::string& pdf, const std::vector<ReportLine>& lines,
                     const ReportHeading* heading = nullptr) {
    PrintReportToPdf(QString::fromStdString(pdf), QStringLiteral("report"),
                     [&](QPrinter& printer, const PrintProgress& progress) {
                         ReportPrinter::printLines(printer, lines, progress, heading);
                     });
}

// The area report's sheets read back: every sheet begins with the heading (site, data, date, sheet of
// sheets); a sheet that continues a parcel's table begins again with the parcel's name and the column
// heading between rules; a table's head never stands at a sheet's foot without a row below it; and with
// the repeated heads taken out, the report's own lines read back unchanged and in order.
std::vector<QStringList> AreaReportSheets(const BlockList& blocks, const std::vector<int>& positions,
                                          const XyzNameIndex& index, const test::TempDir& dir) {
    const ReportHeading heading{Jp("山田町"), Jp("境界"), Jp("2026年12月09日"), {}};
    std::vector<ReportLine> lines = AreaReportLines(blocks, positions, index);
    std::string pdf = dir.File("areas.pdf");
    PrintLinesToPdf(pdf, lines, &heading);
    std::vector<QStringList> sheets = PdfSheets(pdf, dir);
    const QString rule(84, QChar('-'));
    const QString columns = QStringLiteral("点名 X Y X-Y(n-1) Y+Y(n-1) 倍面積 辺長");
    QStringList names;
    for (int p : positions) {
        names << QString::fromStdString(Cp932ToUtf8(blocks.At(p).BlockName));
    }
    QString open; // the parcel whose table has begun and not yet closed with its last rule
    bool figures = false;
    QStringList body;
    for (size_t s = 0; s < sheets.size(); ++s) {
        SCOPED_TRACE(s);
        QStringList sheet = sheets[s];
        EXPECT_EQ(sheet[0],
                  QStringLiteral("現場: 山田町 データ: 境界 2026年12月09日 %1 / %2").arg(s + 1).arg(sheets.size()));
        sheet.removeFirst();
        if (!open.isEmpty()) {
            EXPECT_EQ(sheet.mid(0, 4), (QStringList{open, rule, columns, rule}));
            sheet = sheet.mid(4);
        }
        EXPECT_FALSE(names.contains(sheet.back()));
        EXPECT_NE(sheet.back(), columns);
        EXPECT_FALSE(sheet.size() >= 2 && sheet[sheet.size() - 2] == columns && sheet.back() == rule);
        for (const QString& line : sheet) {
            if (open.isEmpty() && names.contains(line)) {
                open = line;
            } else if (line.startsWith(QStringLiteral("坪 数"))) {
                figures = true;
            } else if (figures && line == rule) {
                open.clear();
                figures = false;
            }
        }
        body << sheet;
    }
    EXPECT_EQ(body, Simplified(lines));
    return sheets;
}

// A parcel of 200 vertices runs over several sheets, each after the first with its name and columns;
// a short parcel before it, of 1 to 90 vertices, moves the sheet's foot over every line of the long
// parcel's head and the short one's figures.
TEST(ReportPdf, AreaReportRepeatsTheParcelAndItsColumnsOnEveryContinuingSheet) {
    test::TempDir dir;
    XyzList list = Points(200);
    XyzNameIndex index;
    index.Rebuild(list);
    std::string ring;
    for (int i = 1; i <= 200; ++i) {
        ring += "P" + std::to_string(i) + ",";
    }
    {
        BlockList blocks;
        blocks.Add(Block{Jp("一番"), "P1,P2,P3,P1,", 5, 0, 0});
        blocks.Add(Block{Jp("二番"), ring + "P1,", 202, 0, 0});
        ASSERT_EQ(AreaReportSheets(blocks, {0}, index, dir).size(), 1u);
        std::vector<QStringList> sheets = AreaReportSheets(blocks, {0, 1}, index, dir);
        ASSERT_GE(sheets.size(), 3u);
        EXPECT_EQ(sheets[1][1], QStringLiteral("二番"));
    }
    // The short parcel's rows that fit the first sheet tell where its foot is; shorter short parcels then
    // bring the long one's head, and the short one's figures, to the foot.
    int rowsOnFirst = 0;
    {
        BlockList blocks;
        std::string many;
        for (int i = 1; i <= 90; ++i) {
            many += "P" + std::to_string(i) + ",";
        }
        blocks.Add(Block{Jp("一番"), many + "P1,", 92, 0, 0});
        blocks.Add(Block{Jp("二番"), ring + "P1,", 202, 0, 0});
        std::vector<QStringList> sheets = AreaReportSheets(blocks, {0, 1}, index, dir);
        for (const QString& line : sheets[0]) {
            rowsOnFirst += line.startsWith(QChar('P')) ? 1 : 0;
        }
        ASSERT_GT(rowsOnFirst, 20);
    }
    for (int vertices = rowsOnFirst - 14; vertices <= rowsOnFirst - 1; ++vertices) {
        SCOPED_TRACE(vertices);
        std::string shortRing;
        for (int i = 1; i <= vertices; ++i) {
            shortRing += "P" + std::to_string(i) + ",";
        }
        BlockList blocks;
        blocks.Add(Block{Jp("一番"), shortRing + "P1,", vertices + 2, 0, 0});
        blocks.Add(Block{Jp("二番"), ring + "P1,", 202, 0, 0});
        AreaReportSheets(blocks, {0, 1}, index, dir);
    }
}

// 画地一覧印刷 of parcels with 31 and 200 vertices: every name reaches the paper.
TEST(ReportPdf, ParcelListPrintKeepsEveryVertexName) {
    test::TempDir dir;
    BlockList blocks;
    for (int count : {31, 200}) {
        std::string noList;
        for (int i = 1; i <= count; ++i) {
            noList += "K" + std::to_string(count) + "-" + std::to_string(i) + ",";
        }
        blocks.Add(Block{"L" + std::to_string(count), noList + "K" + std::to_string(count) + "-1,", count + 2, 0, 0});
    }
    std::string pdf = dir.File("parcels.pdf");
    PrintLinesToPdf(pdf, ParcelListPrintLines(blocks));
    QStringList printed;
    for (const QStringList& sheet : PdfSheets(pdf, dir)) {
        for (const QString& line : sheet) {
            printed << line.split(QChar(','), Qt::SkipEmptyParts);
        }
    }
    for (int count : {31, 200}) {
        for (int i = 1; i <= count; ++i) {
            EXPECT_TRUE(printed.contains(QStringLiteral("K%1-%2").arg(count).arg(i))) << count << " " << i;
        }
    }
}

// 66 points: two sheets in one file, the second holding page 2 with its single row.
TEST(ReportPdf, CoordinateListSixtySixRowsOnTwoSheets) {
    test::TempDir dir;
    XyzList list = Points(66);
    CoordinateListPrint report = CoordinateListPrint::WholeList(list);
    std::string pdf = dir.File("list.pdf");
    int lastProgress = 0;
    PrintReportToPdf(QString::fromStdString(pdf), QStringLiteral("list"), [&](QPrinter& printer, const PrintProgress&) {
        ReportPrinter::printPages(printer, report, [&](int done, int total) {
            EXPECT_EQ(total, 2);
            lastProgress = done;
            return true;
        });
    });
    EXPECT_EQ(lastProgress, 2);
    std::vector<QStringList> sheets = PdfSheets(pdf, dir);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0], Simplified(report.Page(0)));
    EXPECT_EQ(sheets[1], Simplified(report.Page(1)));
    EXPECT_EQ(sheets[1][0], QStringLiteral("< 2 >"));
    EXPECT_EQ(sheets[1][4], QStringLiteral("66 P66 66.000 3.000 杭"));
}

} // namespace
} // namespace vemo

namespace vemo {
namespace {

// The print command's preview of an area report shows that report: under its title, as many pages as
// the same report printed to paper takes (read back from a PDF, where the parcels' names stand), and
// ink on the page it opens at.
TEST(ReportPreview, AreaReportPreviewShowsTheReport) {
    XyzList list = Points(8);
    XyzNameIndex index;
    index.Rebuild(list);
    BlockList blocks;
    blocks.Add(Block{Jp("一番"), "P1,P2,P4,P1,", 5, 0, 0});
    blocks.Add(Block{Jp("二番"), "P4,P5,P6,P7,P8,P4", 6, 0, 0});
    std::vector<ReportLine> lines = AreaReportLines(blocks, {0, 1}, index);
    const auto print = [&](QPrinter& printer, const PrintProgress& progress) {
        ReportPrinter::printLines(printer, lines, progress);
    };
    test::TempDir dir;
    const std::string pdf = dir.File("area.pdf");
    PrintReportToPdf(QString::fromStdString(pdf), QStringLiteral("area"), print);
    const std::vector<QStringList> sheets = PdfSheets(pdf, dir);
    ASSERT_FALSE(sheets.empty());
    EXPECT_TRUE(sheets.front().join(' ').contains(QStringLiteral("一番")));
    EXPECT_TRUE(sheets.back().join(' ').contains(QStringLiteral("二番")));

    int previewPages = -1;
    QString title;
    qsizetype inked = 0;
    test::WhenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
        preview->resize(900, 1000);
        QApplication::processEvents();
        auto* pages = preview->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(pages, nullptr);
        previewPages = pages->pageCount();
        title = preview->windowTitle();
        // The page is white paper on a grey ground: the report's text is the only black on it.
        const QImage shot = pages->grab().toImage();
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                inked += qGray(shot.pixel(x, y)) < 64;
            }
        }
        preview->close();
    });
    PreviewReport(nullptr, QStringLiteral("座標面積計算書"), print);
    EXPECT_EQ(previewPages, static_cast<int>(sheets.size()));
    EXPECT_TRUE(title.contains(QStringLiteral("座標面積計算書"))) << title.toStdString();
    EXPECT_GT(inked, 200);
}

// The preview's PDF save (the print dialog's "print to file", which then prints the preview's printer)
// on a full disk: the message names the file and the reason, the earlier PDF stays as it was and nothing
// temporary is left.  The preview itself never writes the file.
TEST(ReportPreview, PdfSavedOnAFullDiskKeepsTheEarlierPdf) {
    test::FullDisk disk(16 * 1024); // the list's PDF takes about 48 KB
    const std::string pdf = disk.File("report.pdf");
    test::WriteBytes(pdf, "%PDF-1.4 the earlier report");
    const XyzList points = Points(3000); // the print refers to the list: it must outlive the preview
    const CoordinateListPrint report = CoordinateListPrint::WholeList(points);
    MessageBox::SetCapture(true);
    MessageBox::ClearShownTexts();
    disk.Run([&] {
        test::WhenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
            EXPECT_EQ(test::ReadBytes(pdf), "%PDF-1.4 the earlier report") << "the preview wrote the file";
            preview->printer()->setOutputFormat(QPrinter::PdfFormat);
            preview->printer()->setOutputFileName(QString::fromStdString(pdf));
            preview->findChild<QPrintPreviewWidget*>()->print();
            preview->close();
        });
        PreviewReport(nullptr, QStringLiteral("座標リスト"), [&](QPrinter& printer, const PrintProgress& progress) {
            ReportPrinter::printPages(printer, report, progress);
        });
    });
    MessageBox::SetCapture(false);
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::ShownTexts()[0].contains(
        QString::fromStdString(pdf + "」に書き込めません（ディスクの空き容量が足りません）")))
        << MessageBox::ShownTexts()[0].toStdString();
    EXPECT_EQ(test::ReadBytes(pdf), "%PDF-1.4 the earlier report");
    EXPECT_EQ(disk.Names(), std::vector<std::string>{"report.pdf"});
}

} // namespace
} // namespace vemo
