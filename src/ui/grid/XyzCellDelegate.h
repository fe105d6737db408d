#pragma once

#include <QPointer>
#include <QStyledItemDelegate>
#include <QValidator>

#include <functional>

#include <QLineEdit>

namespace vemo {

// What a grid cell may hold while it is typed: only characters the CP932 data can store, in the X, Y
// and Z columns only digits, "." and "-" (anything else is dropped as it is typed), and no more bytes
// than the column's field in the coordinate file, so that everything typed survives a save and reload.
class CellTextValidator : public QValidator {
public:
    CellTextValidator(bool numeric, size_t maxBytes, QObject* parent)
        : QValidator(parent), numeric_(numeric), maxBytes_(maxBytes) {}
    State validate(QString& input, int& pos) const override;
    static bool IsNumberCharacter(QChar c);
    // The X, Y and Z columns (list columns).
    static bool IsNumberColumn(int listColumn);
    // Field width in bytes of a list column (1 .. 6).
    static size_t MaxBytes(int listColumn);

private:
    bool numeric_;
    size_t maxBytes_;
};

// The line editor of the coordinate grid.  Tab and Enter typed into it are not left to the default
// item-view handling (which would move on without the entry checks): they go to the grid's handler.
class XyzCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // `keyHandler` gets Qt::Key_Tab or Qt::Key_Return and returns true when it took the key.
    XyzCellDelegate(std::function<bool(int key)> keyHandler, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    // The font of the X, Y and Z cells and their editors (NumberFont of the grid font).
    void setNumberFont(const QFont& font) { numberFont_ = font; }
    // The editor open at the moment, if any.
    QLineEdit* openEditor() const { return editor_; }
    // Whether anything was typed into an editor since the last reset (the grid resets it whenever the
    // cursor enters a cell): the input assist shifts only what was typed, never a stored coordinate.
    bool typedSinceReset() const { return typed_; }
    void resetTyped() { typed_ = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    std::function<bool(int)> keyHandler_;
    mutable QPointer<QLineEdit> editor_;
    mutable bool typed_ = false;
    QFont numberFont_;
};

} // namespace vemo
