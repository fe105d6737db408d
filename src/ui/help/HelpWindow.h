#pragma once

#include "ui/help/HelpBook.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

namespace vemo {

// The help window: the contents, the index of words and a full-text search at the left, the page at
// the right.  One window for the whole run; F1 and "目次(&C)" show it with the page asked for.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& folder, QWidget* parent = nullptr);

    // Shows the page of a help-context number (the contents when no page has it).
    void showTopic(int context);
    void showContents();
    // The context number of the page shown (0 for the contents page).
    int currentContext() const;
    QString currentFile() const { return current_; }

    const HelpBook& book() const { return book_; }
    QTabWidget* navigation() const { return navigation_; }
    QLineEdit* searchField() const { return searchField_; }
    QListWidget* searchResults() const { return results_; }
    QListWidget* indexList() const { return index_; }
    // Runs the search of the search field.
    void runSearch();

private:
    QWidget* buildContents();
    QWidget* buildIndex();
    QWidget* buildSearch();
    void showFile(const QString& file);
    void present();

    HelpBook book_;
    QString current_;
    QTabWidget* navigation_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QLineEdit* indexField_ = nullptr;
    QListWidget* index_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QListWidget* results_ = nullptr;
    QTextBrowser* browser_ = nullptr;
};

} // namespace vemo
