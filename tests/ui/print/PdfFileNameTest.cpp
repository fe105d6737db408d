// The PDF name a print preview proposes: the data and the report, never the window caption's unsaved
// mark or the program's name, and nothing a file name cannot hold.
#include "ui/print/PdfFileName.h"
#include "ui/print/ReportPrinter.h"

#include "support/WhenShown.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(PdfFileName, TheDataAndTheReportWithoutMarkProgramOrForbiddenCharacters) {
    const struct {
        const char* caption;
        const char* report;
        const char* proposed;
    } cases[] = {
        {"*東町一丁目 - 境界点 [Vemo]", "座標リスト", "東町一丁目 - 境界点 - 座標リスト"},
        {"東町一丁目 - 境界点 - 分筆 [Vemo]", "面積計算書", "東町一丁目 - 境界点 - 分筆 - 面積計算書"},
        {"[Vemo]", "画地一覧", "画地一覧"},
        {"*A/B:C - 1*2? [Vemo]", "座標リスト", "A_B_C - 1_2_ - 座標リスト"},
        {"トラバース計算", "", "トラバース計算"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PdfDocumentName(QString::fromUtf8(c.caption), QString::fromUtf8(c.report)),
                  QString::fromUtf8(c.proposed))
            << c.caption;
    }
}

// The preview's printer carries the name, which the print dialog proposes for "print to file".
TEST(PdfFileName, ThePreviewProposesIt) {
    QString docName;
    test::WhenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
        docName = preview->printer()->docName();
        preview->close();
    });
    PreviewReport(
        nullptr, QStringLiteral("*東町一丁目 - 境界点 [Vemo]"), [](QPrinter&, const PrintProgress&) {},
        QStringLiteral("座標リスト"));
    EXPECT_EQ(docName, QStringLiteral("東町一丁目 - 境界点 - 座標リスト"));
}

} // namespace
} // namespace vemo
