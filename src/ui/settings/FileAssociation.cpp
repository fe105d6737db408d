#include "ui/settings/FileAssociation.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

namespace vemo {
namespace {

constexpr int kToolTimeoutMs = 30000;
const QString kDesktopId = QStringLiteral("vemo.desktop");

struct TypeNames {
    QString mime;
    QString definitionFile; // xdg-mime wants the vendor prefix "vemo-"
    QString comment;        // the type description of the other desktop the surveyors come from
    QString glob;
};

TypeNames NamesOf(LinkedFileType type) {
    if (type == LinkedFileType::Sima) {
        return {QStringLiteral("application/x-sima"), QStringLiteral("vemo-sima.xml"), QStringLiteral("SIMAFormatFile"),
                QStringLiteral("*.sim")};
    }
    return {QStringLiteral("application/x-vemo-xyz"), QStringLiteral("vemo-xyz.xml"), QStringLiteral("XYZFormatFile"),
            QStringLiteral("*.xyz")};
}

QString DefinitionXml(const TypeNames& names) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <comment>%2</comment>\n"
                          "    <glob pattern=\"%3\" case-sensitive=\"false\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
        .arg(names.mime, names.comment, names.glob);
}

bool WriteText(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(text.toUtf8());
    return file.commit();
}

// Runs one xdg-mime request; the reason in words when it failed.
QString RunXdgMime(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral("xdg-mime"), arguments);
    if (!tool.waitForStarted(kToolTimeoutMs)) {
        return QStringLiteral("xdg-mime を起動できません（パッケージ xdg-utils が必要です）");
    }
    if (!tool.waitForFinished(kToolTimeoutMs) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        const QString detail = QString::fromLocal8Bit(tool.readAllStandardError()).trimmed();
        return QStringLiteral("xdg-mime %1 が失敗しました%2")
            .arg(arguments.value(0), detail.isEmpty() ? QString() : QStringLiteral("：") + detail);
    }
    return {};
}

QString DataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString DesktopEntry(const QString& programPath, AssociatedTypes wanted) {
    QString mimeTypes;
    for (auto [type, on] : {std::pair{LinkedFileType::Sima, wanted.sima}, std::pair{LinkedFileType::Xyz, wanted.xyz}}) {
        if (on) {
            mimeTypes += MimeTypeOf(type) + QLatin1Char(';');
        }
    }
    QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=Vemo Point Desk\n"
                                   "Comment=座標管理・面積計算\nIcon=vemo\nTerminal=false\n"
                                   "Categories=Office;Science;\nExec=\"%1\" %f\n")
                        .arg(programPath);
    if (!mimeTypes.isEmpty()) {
        entry += QStringLiteral("MimeType=") + mimeTypes + QLatin1Char('\n');
    }
    return entry;
}

// xdg-mime can set a default but not withdraw one: the user's mimeapps.list loses the entries that
// name this program for `mime`.
bool RemoveDefault(const QString& listPath, const QString& mime) {
    QFile file(listPath);
    if (!file.exists()) {
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    file.close();
    QStringList kept;
    for (const QString& line : lines) {
        if (line.startsWith(mime + QLatin1Char('='))) {
            QStringList apps = line.mid(mime.size() + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
            apps.removeAll(kDesktopId);
            if (apps.isEmpty()) {
                continue;
            }
            kept.append(mime + QLatin1Char('=') + apps.join(QLatin1Char(';')) + QLatin1Char(';'));
        } else {
            kept.append(line);
        }
    }
    return WriteText(listPath, kept.join(QLatin1Char('\n')));
}

QString Register(const TypeNames& names) {
    QTemporaryDir temp;
    const QString definition = temp.filePath(names.definitionFile);
    if (!temp.isValid() || !WriteText(definition, DefinitionXml(names))) {
        return QStringLiteral("MIME 定義を一時フォルダに書き込めません");
    }
    QString failure =
        RunXdgMime({QStringLiteral("install"), QStringLiteral("--mode"), QStringLiteral("user"), definition});
    if (failure.isEmpty()) {
        failure = RunXdgMime({QStringLiteral("default"), kDesktopId, names.mime});
    }
    return failure;
}

QString Unregister(const TypeNames& names) {
    QTemporaryDir temp;
    const QString definition = temp.filePath(names.definitionFile);
    WriteText(definition, DefinitionXml(names));
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!RemoveDefault(configHome + QStringLiteral("/mimeapps.list"), names.mime) ||
        !RemoveDefault(DataHome() + QStringLiteral("/applications/mimeapps.list"), names.mime)) {
        return QStringLiteral("mimeapps.list を書き換えられません");
    }
    return RunXdgMime({QStringLiteral("uninstall"), QStringLiteral("--mode"), QStringLiteral("user"), definition});
}

} // namespace

QString MimeTypeOf(LinkedFileType type) {
    return NamesOf(type).mime;
}

QString UpdateFileAssociation(LinkedFileType changed, AssociatedTypes wanted, const QString& programPath) {
    const bool on = changed == LinkedFileType::Sima ? wanted.sima : wanted.xyz;
    // The desktop entry names the types this program opens; it must list the type before it can
    // become that type's default.
    const QString entryPath = DataHome() + QStringLiteral("/applications/") + kDesktopId;
    if (!WriteText(entryPath, DesktopEntry(programPath, wanted))) {
        return QStringLiteral("%1 を書き込めません").arg(entryPath);
    }
    const TypeNames names = NamesOf(changed);
    return on ? Register(names) : Unregister(names);
}

} // namespace vemo
