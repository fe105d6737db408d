#include "ui/help/HelpWindow.h"

#include "core/text/MessagesMain.h"
#include "ui/common/Cp932Text.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace vemo {
namespace {

constexpr int kFileRole = Qt::UserRole;

QListWidgetItem* PageItem(const QString& text, const QString& file) {
    auto* item = new QListWidgetItem(text);
    item->setData(kFileRole, file);
    return item;
}

} // namespace

HelpWindow::HelpWindow(const QString& folder, QWidget* parent) : QWidget(parent, Qt::Window), book_(folder) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Vemo Point Desk ヘルプ"));
    // F1 while reading the help keeps the page being read.
    setProperty("helpContext", -1);
    navigation_ = new QTabWidget;
    navigation_->addTab(buildContents(), QStringLiteral("目次"));
    navigation_->addTab(buildIndex(), QStringLiteral("索引"));
    navigation_->addTab(buildSearch(), QStringLiteral("検索"));
    browser_ = new QTextBrowser;
    browser_->setSearchPaths({book_.Folder()});
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this](const QUrl& url) { current_ = QFileInfo(url.path()).fileName(); });
    auto* splitter = new QSplitter;
    splitter->addWidget(navigation_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(900, 640);
}

QWidget* HelpWindow::buildContents() {
    contents_ = new QTreeWidget;
    contents_->setHeaderHidden(true);
    QTreeWidgetItem* root = nullptr;
    for (const HelpPage& page : book_.Pages()) {
        auto* item = root == nullptr ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(root);
        item->setText(0, page.title);
        item->setData(0, kFileRole, page.file);
        if (root == nullptr) {
            root = item;
        }
    }
    contents_->expandAll();
    connect(contents_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { showFile(item->data(0, kFileRole).toString()); });
    connect(contents_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { showFile(item->data(0, kFileRole).toString()); });
    return contents_;
}

// The index: the words of every page, narrowed down to those starting with what is typed.
QWidget* HelpWindow::buildIndex() {
    auto* page = new QWidget;
    indexField_ = new QLineEdit;
    indexField_->setPlaceholderText(QStringLiteral("キーワードを入力"));
    index_ = new QListWidget;
    for (const auto& [word, file] : book_.Index()) {
        const HelpPage* target = book_.Page(file);
        index_->addItem(
            PageItem(word + QStringLiteral("（") + (target ? target->title : file) + QStringLiteral("）"), file));
    }
    connect(indexField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        for (int row = 0; row < index_->count(); ++row) {
            index_->item(row)->setHidden(!index_->item(row)->text().startsWith(text, Qt::CaseInsensitive));
        }
    });
    connect(index_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showFile(item->data(kFileRole).toString()); });
    connect(index_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showFile(item->data(kFileRole).toString()); });
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(indexField_);
    layout->addWidget(index_);
    return page;
}

QWidget* HelpWindow::buildSearch() {
    auto* page = new QWidget;
    searchField_ = new QLineEdit;
    searchField_->setPlaceholderText(QStringLiteral("検索する語（空白で区切って複数）"));
    auto* run = new QPushButton(QStringLiteral("検索"));
    results_ = new QListWidget;
    connect(searchField_, &QLineEdit::returnPressed, this, &HelpWindow::runSearch);
    connect(run, &QPushButton::clicked, this, &HelpWindow::runSearch);
    connect(results_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showFile(item->data(kFileRole).toString()); });
    connect(results_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showFile(item->data(kFileRole).toString()); });
    auto* row = new QHBoxLayout;
    row->addWidget(searchField_);
    row->addWidget(run);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(row);
    layout->addWidget(results_);
    return page;
}

void HelpWindow::runSearch() {
    results_->clear();
    const QStringList found = book_.Search(searchField_->text());
    for (const QString& file : found) {
        const HelpPage* page = book_.Page(file);
        results_->addItem(PageItem(page ? page->title : file, file));
    }
    if (found.isEmpty()) {
        auto* none = new QListWidgetItem(FromCp932(msg::NoHelpPageFound()));
        none->setFlags(Qt::NoItemFlags);
        results_->addItem(none);
    }
}

void HelpWindow::showTopic(int context) {
    const QString file = book_.FileOfContext(context);
    showFile(file.isEmpty() ? QString::fromLatin1(HelpBook::kContentsFile) : file);
    present();
}

void HelpWindow::showContents() {
    navigation_->setCurrentIndex(0);
    showFile(QString::fromLatin1(HelpBook::kContentsFile));
    present();
}

int HelpWindow::currentContext() const {
    const HelpPage* page = book_.Page(current_);
    return page ? page->context : 0;
}

void HelpWindow::showFile(const QString& file) {
    browser_->setSource(QUrl::fromLocalFile(QDir(book_.Folder()).filePath(file)));
    current_ = file;
}

// Over a modal dialog (the settings dialog) the help must take the input itself, or it could not be
// read until the dialog closes.
void HelpWindow::present() {
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted = modal != nullptr && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != wanted) {
        hide();
        setWindowModality(wanted);
    }
    show();
    raise();
    activateWindow();
}

} // namespace vemo
