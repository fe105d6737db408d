#include "ui/settings/FileAssociation.h"

#include "core/text/Messages.h"
#include "core/text/MessagesSettings.h"
#include "ui/common/Cp932Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>

namespace vemo {
namespace {

constexpr int kToolTimeoutMs = 30000;
// The installed package's desktop entry, and the entry this program writes for itself when it runs
// without one (built from source): an ID of its own never shadows the packaged entry.
const QString kPackagedId = QStringLiteral("vemo.desktop");
const QString kOwnId = QStringLiteral("vemo-local.desktop");
// Older versions wrote a user entry under the packaged ID; it hid the packaged one and outlived it.
const QString kOldOwnEntryMark = QStringLiteral("Comment=座標管理・面積計算");

struct TypeNames {
    QString mime;
    QString definitionFile; // xdg-mime wants the vendor prefix "vemo-"
    QString comment;        // the type description of the other desktop the surveyors come from
    QString glob;
};

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

TypeNames NamesOf(FileKind kind) {
    const FileFormat& format = FormatOf(kind);
    return {Latin1(format.mimeType), QStringLiteral("vemo-") + Latin1(format.cliName) + QStringLiteral(".xml"),
            Latin1(format.mimeComment), QLatin1Char('*') + Latin1(format.extension)};
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
        return FromCp932(msg::MimeToolMissing());
    }
    if (!tool.waitForFinished(kToolTimeoutMs) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        const QString detail = QString::fromLocal8Bit(tool.readAllStandardError()).trimmed();
        // The tool's own words in place of "%1": they need not have a CP932 form.
        const std::string request = ToCp932(arguments.value(0)).value_or(std::string());
        return FromCp932(msg::MimeToolFailed(request, detail.isEmpty() ? "" : "%1")).arg(detail);
    }
    return {};
}

QString DataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString ApplicationsFolder() {
    return DataHome() + QStringLiteral("/applications/");
}

// A desktop entry of an installed package: applications/vemo.desktop in one of the system data folders.
bool HasPackagedEntry() {
    QStringList folders = qEnvironmentVariable("XDG_DATA_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (folders.isEmpty()) {
        folders = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    }
    for (const QString& folder : folders) {
        if (QFileInfo::exists(folder + QStringLiteral("/applications/") + kPackagedId)) {
            return true;
        }
    }
    return false;
}

void RemoveOldOwnEntry() {
    QFile old(ApplicationsFolder() + kPackagedId);
    if (old.open(QIODevice::ReadOnly) && QString::fromUtf8(old.readAll()).contains(kOldOwnEntryMark)) {
        old.close();
        old.remove();
    }
}

QString DesktopEntry(const QString& programPath, const std::vector<FileKind>& wanted) {
    QString mimeTypes;
    for (FileKind kind : wanted) {
        mimeTypes += MimeTypeOf(kind) + QLatin1Char(';');
    }
    QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=Vemo Point Desk\n"
                                   "Comment=測点座標の管理（このユーザーの関連付け）\nIcon=vemo\nTerminal=false\n"
                                   "NoDisplay=true\nCategories=Science;Geoscience;\nExec=\"%1\" %f\n")
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
            apps.removeAll(kPackagedId);
            apps.removeAll(kOwnId);
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

// The packaged entry comes with the type definitions; without it the user's own are installed.
QString Register(const TypeNames& names, bool packaged) {
    if (!packaged) {
        QTemporaryDir temp;
        const QString definition = temp.filePath(names.definitionFile);
        if (!temp.isValid() || !WriteText(definition, DefinitionXml(names))) {
            return FromCp932(msg::MimeDefinitionNotWritten());
        }
        const QString failure =
            RunXdgMime({QStringLiteral("install"), QStringLiteral("--mode"), QStringLiteral("user"), definition});
        if (!failure.isEmpty()) {
            return failure;
        }
    }
    return RunXdgMime({QStringLiteral("default"), packaged ? kPackagedId : kOwnId, names.mime});
}

QString Unregister(const TypeNames& names) {
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!RemoveDefault(configHome + QStringLiteral("/mimeapps.list"), names.mime) ||
        !RemoveDefault(ApplicationsFolder() + QStringLiteral("mimeapps.list"), names.mime)) {
        return FromCp932(msg::MimeDefaultsNotRewritten());
    }
    if (!QFileInfo::exists(DataHome() + QStringLiteral("/mime/packages/") + names.definitionFile)) {
        return {};
    }
    QTemporaryDir temp;
    const QString definition = temp.filePath(names.definitionFile);
    WriteText(definition, DefinitionXml(names));
    return RunXdgMime({QStringLiteral("uninstall"), QStringLiteral("--mode"), QStringLiteral("user"), definition});
}

} // namespace

QString MimeTypeOf(FileKind kind) {
    return NamesOf(kind).mime;
}

QString UpdateFileAssociation(FileKind changed, const std::vector<FileKind>& wanted, const QString& programPath) {
    const bool on = std::find(wanted.begin(), wanted.end(), changed) != wanted.end();
    RemoveOldOwnEntry();
    const bool packaged = HasPackagedEntry();
    // Without a package the program's own entry names the types it opens (it must list a type before it
    // can become that type's default) and goes when no type is associated any more.
    const QString ownEntry = ApplicationsFolder() + kOwnId;
    if (packaged || wanted.empty()) {
        QFile::remove(ownEntry);
    } else if (!WriteText(ownEntry, DesktopEntry(programPath, wanted))) {
        return FromCp932(msg::CannotWrite("%1")).arg(ownEntry);
    }
    const TypeNames names = NamesOf(changed);
    return on ? Register(names, packaged) : Unregister(names);
}

} // namespace vemo
