// A PDF saved from a print preview (the print dialog's "print to file") is named, with its folder, in
// the main window's status bar, as a save is: the preview closes and nothing else would say where the
// report went.
#include "MainFixture.h"
#include "support/WhenShown.h"
#include "ui/main/CommandSet.h"
#include "ui/main/ParcelEditorArea.h"
#include "ui/main/StatusPanels.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace vemo::test {
namespace {

class PdfNotice : public MainFixture {};

TEST_F(PdfNotice, CoordinateListPdfFromThePreviewIsNamedWithItsFolder) {
    MainWindow& main = OpenWithAreas();
    InstallParcelEditorArea(main);
    main.store().xyz.ReplaceAll({{"", "K1", "-35012.345", "-8010.120", "12.300", "", ""},
                                 {"", "K2", "-34990.010", "-7988.450", "12.410", "", ""}});
    TempDir elsewhere;
    const QString pdf = QString::fromStdString(elsewhere.File("座標リスト.pdf"));
    main.setAreaShown(Area::XyzList, true); // as after opening coordinates: the list's menu works
    main.statusPanels().setText({});
    WhenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
        preview->printer()->setOutputFormat(QPrinter::PdfFormat);
        preview->printer()->setOutputFileName(pdf);
        preview->findChild<QPrintPreviewWidget*>()->print();
        preview->close();
    });
    main.commands().trigger(Cmd::ListPrintAll);
    EXPECT_EQ(ReadBytes(pdf.toStdString()).substr(0, 5), "%PDF-");
    EXPECT_EQ(main.statusPanels().text(), QStringLiteral("PDF ファイルを書き出しました: ") + pdf);

    // Closed without printing, the preview says nothing of a file.
    main.statusPanels().setText({});
    WhenShown<QPrintPreviewDialog>([](QPrintPreviewDialog* preview) { preview->close(); });
    main.commands().trigger(Cmd::ListPrintAll);
    EXPECT_TRUE(main.statusPanels().text().isEmpty()) << main.statusPanels().text().toStdString();
}

} // namespace
} // namespace vemo::test
