#include "ui/grid/XyzCellDelegate.h"

#include "core/files/XyzFile.h"
#include "core/store/XyzList.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/SystemBeep.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace vemo {

bool CellTextValidator::IsNumberCharacter(QChar c) {
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'-';
}

bool CellTextValidator::IsNumberColumn(int listColumn) {
    return listColumn == kColX || listColumn == kColY || listColumn == kColZ;
}

QValidator::State CellTextValidator::validate(QString& input, int&) const {
    if (numeric_) {
        for (QChar c : input) {
            if (!IsNumberCharacter(c)) {
                return Invalid;
            }
        }
    }
    auto bytes = ToCp932(input);
    return bytes && bytes->size() <= maxBytes_ ? Acceptable : Invalid;
}

size_t CellTextValidator::MaxBytes(int listColumn) {
    switch (listColumn) {
    case kColName:
        return kXyzNameWidth;
    case kColX:
    case kColY:
    case kColZ:
        return kXyzNumberWidth;
    default:
        return kXyzTextWidth;
    }
}

void XyzCellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (CellTextValidator::IsNumberColumn(index.column() + 1)) {
        option->font = numberFont_;
    }
}

XyzCellDelegate::XyzCellDelegate(std::function<bool(int key)> keyHandler, QObject* parent)
    : QStyledItemDelegate(parent), keyHandler_(std::move(keyHandler)) {}

QWidget* XyzCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    const int col = index.column() + 1; // list column (the number column is the vertical header)
    const bool numeric = CellTextValidator::IsNumberColumn(col);
    if (numeric) {
        editor->setFont(numberFont_);
    }
    editor->setValidator(new CellTextValidator(numeric, CellTextValidator::MaxBytes(col), editor));
    editor->setAlignment(numeric ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    connect(editor, &QLineEdit::textEdited, this, [this] { typed_ = true; });
    // A character the cell cannot hold answers with the beep, as every refused key does.
    connect(editor, &QLineEdit::inputRejected, this, [] { SystemBeep::Beep(); });
    editor_ = editor;
    return editor;
}

void XyzCellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (editor == editor_) {
        editor_ = nullptr;
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

bool XyzCellDelegate::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && key->key() == Qt::Key_Tab && keyHandler_(Qt::Key_Tab)) {
            return true;
        }
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && keyHandler_(Qt::Key_Return)) {
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

} // namespace vemo
