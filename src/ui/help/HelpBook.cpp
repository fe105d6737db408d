#include "ui/help/HelpBook.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>

#include <algorithm>

namespace vemo {
namespace {

QString ReadUtf8(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

QString MetaContent(const QString& html, const QString& name) {
    const QRegularExpression meta(QStringLiteral("<meta\\s+name=\"%1\"\\s+content=\"([^\"]*)\"").arg(name));
    return meta.match(html).captured(1);
}

HelpPage ReadPage(const QString& folder, const QString& file) {
    const QString html = ReadUtf8(QDir(folder).filePath(file));
    HelpPage page;
    page.file = file;
    page.title = QRegularExpression(QStringLiteral("<title>([^<]*)</title>")).match(html).captured(1);
    // A page may serve several windows: "20 21" (the first is its own topic number).
    for (const QString& number :
         MetaContent(html, QStringLiteral("context")).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        page.contexts.append(number.toInt());
    }
    page.context = page.contexts.value(0);
    page.keywords = MetaContent(html, QStringLiteral("keywords")).split(QLatin1Char(','), Qt::SkipEmptyParts);
    QTextDocument document;
    document.setHtml(html);
    page.text = document.toPlainText();
    return page;
}

// The pages in the order the contents page links them, the contents page first.
QStringList PageOrder(const QString& folder) {
    QStringList files = {QString::fromLatin1(HelpBook::kContentsFile)};
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]+\\.html)\""));
    auto links = link.globalMatch(ReadUtf8(QDir(folder).filePath(files.first())));
    while (links.hasNext()) {
        const QString file = links.next().captured(1);
        if (!files.contains(file)) {
            files.append(file);
        }
    }
    for (const QString& file : QDir(folder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        if (!files.contains(file)) {
            files.append(file);
        }
    }
    return files;
}

} // namespace

QString HelpBook::DefaultFolder() {
    const QString fromEnvironment = qEnvironmentVariable("VEMO_HELP_DIR");
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString installed = programDir.filePath(QStringLiteral("../share/vemo/help"));
    if (QFile::exists(QDir(installed).filePath(QString::fromLatin1(kContentsFile)))) {
        return QDir::cleanPath(installed);
    }
    return programDir.filePath(QStringLiteral("help"));
}

HelpBook::HelpBook(const QString& folder) : folder_(folder) {
    for (const QString& file : PageOrder(folder)) {
        if (QFile::exists(QDir(folder).filePath(file))) {
            pages_.push_back(ReadPage(folder, file));
        }
    }
}

QString HelpBook::FileOfContext(int context) const {
    for (const HelpPage& page : pages_) {
        if (context != 0 && page.contexts.contains(context)) {
            return page.file;
        }
    }
    return {};
}

const HelpPage* HelpBook::Page(const QString& file) const {
    for (const HelpPage& page : pages_) {
        if (page.file == file) {
            return &page;
        }
    }
    return nullptr;
}

std::vector<std::pair<QString, QString>> HelpBook::Index() const {
    std::vector<std::pair<QString, QString>> entries;
    for (const HelpPage& page : pages_) {
        for (const QString& word : page.keywords) {
            entries.emplace_back(word.trimmed(), page.file);
        }
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

QStringList HelpBook::Search(const QString& words) const {
    const QStringList wanted = words.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QStringList found;
    if (wanted.isEmpty()) {
        return found;
    }
    for (const HelpPage& page : pages_) {
        const bool all = std::all_of(wanted.begin(), wanted.end(), [&page](const QString& word) {
            return page.text.contains(word, Qt::CaseInsensitive) || page.title.contains(word, Qt::CaseInsensitive);
        });
        if (all) {
            found.append(page.file);
        }
    }
    return found;
}

} // namespace vemo
