#include "ui/tree/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

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

} // namespace

QString FileDialog::QtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList texts;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        texts.append(parts.at(i));
    }
    return texts.join(QStringLiteral(";;"));
}

QString FileDialog::WithDefaultExtension(const QString& fileName, const QString& extension) {
    if (fileName.isEmpty() || extension.isEmpty() || !QFileInfo(fileName).suffix().isEmpty()) {
        return fileName;
    }
    return fileName + QLatin1Char('.') + extension;
}

std::optional<QString> FileDialog::TakeScriptedName(const Request& request) {
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

QString FileDialog::GetOpenFileName(QWidget* parent, const Request& request) {
    if (auto name = TakeScriptedName(request)) {
        return *name;
    }
    return QFileDialog::getOpenFileName(parent, request.title, request.folder, QtFilter(request.filter));
}

QString FileDialog::GetSaveFileName(QWidget* parent, const Request& request) {
    std::optional<QString> name = TakeScriptedName(request);
    if (!name) {
        // The question about overwriting an existing file is the platform dialog's own.
        name = QFileDialog::getSaveFileName(parent, request.title, request.folder, QtFilter(request.filter));
    }
    return WithDefaultExtension(*name, request.defaultExtension);
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
