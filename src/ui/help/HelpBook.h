#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace vemo {

// One page of the help book: an HTML file of the help folder that names its help-context number and
// its index words in meta elements (<meta name="context" content="37">, <meta name="keywords" ...>).
struct HelpPage {
    QString file;
    QString title;
    int context = 0;     // 0: a page without a context number (the contents page)
    QList<int> contexts; // every context number the page serves, `context` first
    QStringList keywords;
    QString text; // the page as plain text, for the search
};

// The help book: the pages of a folder, in the order the contents page links them.
class HelpBook {
public:
    // The folder the program's help is in: VEMO_HELP_DIR when set, the installed share/vemo/help beside
    // the program's bin folder, else the help folder beside the program (a link in the build tree).
    static QString DefaultFolder();
    static constexpr const char* kContentsFile = "index.html";

    explicit HelpBook(const QString& folder);

    const QString& Folder() const { return folder_; }
    const std::vector<HelpPage>& Pages() const { return pages_; }
    // The file of a help-context number, empty when no page has it.
    QString FileOfContext(int context) const;
    const HelpPage* Page(const QString& file) const;
    // Index words with their pages, sorted by word.
    std::vector<std::pair<QString, QString>> Index() const;
    // Files of the pages holding every one of the words (separated by spaces), in contents order.
    QStringList Search(const QString& words) const;

private:
    QString folder_;
    std::vector<HelpPage> pages_;
};

} // namespace vemo
