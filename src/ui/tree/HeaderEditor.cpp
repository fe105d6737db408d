#include "ui/tree/HeaderEditor.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace vemo {
namespace {

std::deque<HeaderEditor::Responder>& Responders() {
    static std::deque<HeaderEditor::Responder> queue;
    return queue;
}

// IPAGothic gives the fixed half-/full-width cells that the lists typed here rely on; it is named
// explicitly because the platform does not report it as fixed pitch.
QFont ListingFont() {
    QFont font(QStringLiteral("IPAGothic"), 10);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace

HeaderEditor::HeaderEditor(QWidget* parent) : QDialog(parent) {
    setProperty("helpContext", 37); // F1: its page of the help book
    setObjectName(QStringLiteral("HeaderEditor"));
    hint_ = new QLabel(this);
    hint_->setVisible(false);
    edit_ = new QPlainTextEdit(this);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit_->setTabChangesFocus(false);
    edit_->installEventFilter(this);
    edit_->setFont(ListingFont());
    editPalette_ = edit_->palette();

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    ok_->setAutoDefault(true);
    cancel_ = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    print_ = new QPushButton(QStringLiteral("印刷"), this);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(print_, &QPushButton::clicked, this, &HeaderEditor::printWithDialog);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(print_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint_);
    layout->addWidget(edit_, 1);
    layout->addLayout(buttons);
    resize(520, 360);
}

// The first line names the folder of the new data: a Tab there would become part of the folder name,
// so it moves on to the buttons as in any form.  Elsewhere in the profile a Tab is text.
bool HeaderEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab && !(key->modifiers() & ~Qt::KeypadModifier);
        if (tab && edit_->textCursor().blockNumber() == 0) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void HeaderEditor::setText(const QString& text) {
    edit_->setPlainText(text);
}

QString HeaderEditor::text() const {
    return edit_->toPlainText();
}

void HeaderEditor::setCaret(int position) {
    QTextCursor cursor = edit_->textCursor();
    cursor.setPosition(std::clamp(position, 0, static_cast<int>(edit_->toPlainText().size())));
    edit_->setTextCursor(cursor);
    edit_->setFocus(Qt::OtherFocusReason);
}

int HeaderEditor::caret() const {
    return edit_->textCursor().position();
}

void HeaderEditor::setReadOnly(bool readOnly) {
    edit_->setReadOnly(readOnly);
}

void HeaderEditor::setTextAreaColors(const QColor& background, const QColor& text) {
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    edit_->setPalette(palette);
}

void HeaderEditor::setCancelVisible(bool visible) {
    cancel_->setVisible(visible);
}

void HeaderEditor::setHint(const QString& hint) {
    hint_->setText(hint);
    hint_->setVisible(!hint.isEmpty());
}

void HeaderEditor::prepareForEditing(const QString& caption) {
    setWindowTitle(caption);
    setHint({});
    edit_->setReadOnly(false);
    edit_->setPalette(editPalette_);
    cancel_->setVisible(true);
}

bool HeaderEditor::run() {
    if (!Responders().empty()) {
        Responder responder = std::move(Responders().front());
        Responders().pop_front();
        return responder(*this);
    }
    return exec() == QDialog::Accepted;
}

void HeaderEditor::printTo(QPrinter& printer) const {
    printer.setDocName(printJobTitle());
    QTextDocument document;
    document.setDefaultFont(ListingFont());
    document.setPlainText(text());
    document.print(&printer);
}

// Like every print command, a preview first: from there the surveyor prints to any printer or saves
// a PDF.
void HeaderEditor::printWithDialog() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(printJobTitle());
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { printTo(*target); });
    preview.exec();
}

void HeaderEditor::queueResponder(Responder responder) {
    Responders().push_back(std::move(responder));
}

void HeaderEditor::clearResponders() {
    Responders().clear();
}

int HeaderEditor::pendingResponders() {
    return static_cast<int>(Responders().size());
}

} // namespace vemo
