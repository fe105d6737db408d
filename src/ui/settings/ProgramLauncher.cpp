#include "ui/settings/ProgramLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace vemo {

bool LaunchDetached(const QString& commandText) {
    const QString text = commandText.trimmed();
    if (text.isEmpty()) {
        return false;
    }
    const QFileInfo file(text);
    if (file.exists()) {
        if (file.isFile() && file.isExecutable()) {
            return QProcess::startDetached(file.absoluteFilePath(), {}, file.absolutePath());
        }
        return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
    }
    QStringList words = QProcess::splitCommand(text);
    if (words.isEmpty()) {
        return false;
    }
    const QString program = words.takeFirst();
    return QProcess::startDetached(program, words);
}

} // namespace vemo
