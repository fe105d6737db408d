#pragma once

#include <QDialog>
#include <QString>

#include <deque>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace vemo {

// The header editor: a plain text window with OK, ｷｬﾝｾﾙ and 印刷, in which the surveyor types the
// profile of a new site, new coordinates or new parcels and edits an existing profile.  The parcel
// area list reuses it as a read-only viewer with printing (coloured text area, no cancel button).
class HeaderEditor : public QDialog {
    Q_OBJECT
public:
    explicit HeaderEditor(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;
    // Places the caret at a character position and gives the text area the focus.
    void setCaret(int position);
    int caret() const;

    void setReadOnly(bool readOnly);
    void setTextAreaColors(const QColor& background, const QColor& text);
    void setCancelVisible(bool visible);
    // Back to the profile editor after the window served as a viewer: editable, the cancel button
    // shown, the text area in its usual colours.
    void prepareForEditing(const QString& caption);

    // A line above the text that says what the typed profile decides (empty: none shown).
    void setHint(const QString& hint);
    QLabel* hintLabel() const { return hint_; }

    QPlainTextEdit* textArea() const { return edit_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* cancelButton() const { return cancel_; }

    // Shows the window modally; true when it was closed with OK.
    bool run();

    // Prints the whole text in the listing font at 10 points; the job is titled "画地面積一覧表".
    void printTo(QPrinter& printer) const;
    static QString printJobTitle() { return QStringLiteral("画地面積一覧表"); }

    // Test hook: the next run() calls the responder instead of showing the window; the responder may
    // edit the text and returns whether OK was pressed.  Responders are used in the order queued.
    using Responder = std::function<bool(HeaderEditor&)>;
    static void queueResponder(Responder responder);
    static void clearResponders();
    static int pendingResponders();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void printWithDialog();

    QLabel* hint_;
    QPlainTextEdit* edit_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* print_;
    QPalette editPalette_;
};

} // namespace vemo
