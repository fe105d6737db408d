#include "ui/tree/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeView>

#include <array>

namespace vemo {
namespace {

struct Script {
    std::optional<QString> nextName;
    QStringList titles;
    std::optional<FileDialog::Request> last;
};

Script& TheScript() {
    static Script script;
    return script;
}

// The chooser opens large enough that the name, size, type and date columns of its detail view are
// readable in full ("767 bytes", not "767…tes").
constexpr QSize kDialogSize(900, 560);
constexpr std::array<int, 4> kColumnWidths = {330, 110, 130, 170};

void WidenColumns(QFileDialog& dialog) {
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        for (int column = 0; column < static_cast<int>(kColumnWidths.size()); ++column) {
            details->header()->resizeSection(column, kColumnWidths[column]);
        }
    }
}

QString RunDialog(QWidget* parent, const FileDialog::Request& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title, request.folder, FileDialog::qtFilter(request.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.resize(kDialogSize);
    WidenColumns(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString FileDialog::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList texts;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        texts.append(parts.at(i));
    }
    return texts.join(QStringLiteral(";;"));
}

QString FileDialog::withDefaultExtension(const QString& fileName, const QString& extension) {
    if (fileName.isEmpty() || extension.isEmpty() || !QFileInfo(fileName).suffix().isEmpty()) {
        return fileName;
    }
    return fileName + QLatin1Char('.') + extension;
}

std::optional<QString> FileDialog::takeScriptedName(const Request& request) {
    Script& script = TheScript();
    if (!script.nextName) {
        return std::nullopt;
    }
    script.titles.append(request.title);
    script.last = request;
    QString name = *script.nextName;
    script.nextName.reset();
    return name;
}

QString FileDialog::getOpenFileName(QWidget* parent, const Request& request) {
    if (auto name = takeScriptedName(request)) {
        return *name;
    }
    return RunDialog(parent, request, QFileDialog::AcceptOpen);
}

QString FileDialog::getSaveFileName(QWidget* parent, const Request& request) {
    std::optional<QString> name = takeScriptedName(request);
    if (!name) {
        // The question about overwriting an existing file is the platform dialog's own.
        name = RunDialog(parent, request, QFileDialog::AcceptSave);
    }
    return withDefaultExtension(*name, request.defaultExtension);
}

void FileDialog::setNextFileName(const QString& fileName) {
    TheScript().nextName = fileName;
}

QStringList FileDialog::askedTitles() {
    return TheScript().titles;
}

std::optional<FileDialog::Request> FileDialog::lastRequest() {
    return TheScript().last;
}

void FileDialog::clearRecord() {
    TheScript().titles.clear();
    TheScript().last.reset();
}

} // namespace vemo
