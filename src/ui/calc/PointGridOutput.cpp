// Output of the point grid: clipboard, Result.Txt for other programs, the printed listing, and the
// grid's context menu.
#include "ui/calc/PointGridPage.h"

#include "ui/calc/GridResultTxt.h"
#include "ui/common/Cp932Text.h"
#include "ui/grid/GridRowOps.h"
#include "ui/print/ReportPrinter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPrinter>
#include <QTableWidget>

namespace vemo {

namespace {

QString LinesText(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines) {
        text << FromCp932(line);
    }
    return text.join('\n') + '\n';
}

} // namespace

void PointGridPage::copyToClipboard() {
    QApplication::clipboard()->setText(LinesText(GridCopyLines(rowsText())));
}

void PointGridPage::writeResultTxt(bool append) {
    WriteGridResultTxt(this, host_, rowsText(), append);
}

void PointGridPage::printTo(QPrinter& printer) {
    printer.setDocName(window()->windowTitle());
    std::vector<ReportLine> lines;
    for (std::string& line : GridPrintLines(rowsText())) {
        lines.push_back({std::move(line)});
    }
    ReportPrinter::printLines(printer, lines);
}

// The print preview the other reports use; the job is titled with the window caption.
void PointGridPage::print() {
    PreviewReport(this, window()->windowTitle(), [this](QPrinter& printer, const PrintProgress&) { printTo(printer); });
}

void PointGridPage::buildContextMenu() {
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto add = [this](const QString& text, const QKeySequence& keys, auto slot) {
        auto* action = new QAction(text, grid_);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, slot);
        grid_->addAction(action);
    };
    add(QStringLiteral("一行挿入"), QKeySequence(Qt::CTRL | Qt::Key_Insert), [this] {
        GridInsertRow(*grid_, 0);
        relabel();
    });
    add(QStringLiteral("一行削除"), QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] {
        GridDeleteRow(*grid_, 0);
        relabel();
        recompute();
    });
    AddResultTxtActions(*grid_, host_, [this] { return rowsText(); });
}

} // namespace vemo
