#pragma once

#include "core/edit/Cleanup.h"

#include "ui/common/FieldDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace vemo {

// What "実行" asks for: the page that was shown and its fields (texts CP932).
struct CleanupRequest {
    enum class Page { Duplicates, Renumber };
    Page page = Page::Duplicates;
    DuplicateOptions duplicates; // `increment` is the grid's Inc/Dec mode, filled in by the list
    std::string firstName = "001";
    bool fromCursorRow = true;
};

// The modal dialog "座標整理" with its pages "重複整理" and "点名振替".  Created once; the fields keep
// what was typed between showings.  Enter moves to the next control.
class XyzCleanDialog : public FieldDialog {
    Q_OBJECT
public:
    explicit XyzCleanDialog(QWidget* parent = nullptr);

    // The request from the fields; a text that CP932 cannot hold throws vemo::Error.
    CleanupRequest request() const;
    void setUpperChr(bool on) { upperChr_ = on; }
    bool upperChr() const { return upperChr_; }
    // The progress counter ("rows still to compare"); empty when idle.
    void setCounter(const QString& text);

    QTabWidget* tabs() const { return tabs_; }
    QCheckBox* nameKey() const { return nameKey_; }
    QCheckBox* xyKey() const { return xyKey_; }
    QCheckBox* zKey() const { return zKey_; }
    QRadioButton* deleteChoice() const { return delete_; }
    QRadioButton* fromOldChoice() const { return fromOld_; }
    QRadioButton* replaceChoice() const { return replace_; }
    QLineEdit* headEdit() const { return head_; }
    QLineEdit* tailEdit() const { return tail_; }
    QLineEdit* newNameEdit() const { return newName_; }
    QLineEdit* firstNameEdit() const { return firstName_; }
    QRadioButton* fromTopChoice() const { return fromTop_; }
    QRadioButton* fromCursorChoice() const { return fromCursor_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildDuplicatePage();
    QWidget* buildRenumberPage();
    QLineEdit* addEdit(const QString& text);

    QTabWidget* tabs_ = nullptr;
    QCheckBox* nameKey_ = nullptr;
    QCheckBox* xyKey_ = nullptr;
    QCheckBox* zKey_ = nullptr;
    QRadioButton* delete_ = nullptr;
    QRadioButton* fromOld_ = nullptr;
    QRadioButton* replace_ = nullptr;
    QLineEdit* head_ = nullptr;
    QLineEdit* tail_ = nullptr;
    QLineEdit* newName_ = nullptr;
    QLabel* counter_ = nullptr;
    QLineEdit* firstName_ = nullptr;
    QRadioButton* fromTop_ = nullptr;
    QRadioButton* fromCursor_ = nullptr;
    bool upperChr_ = true;
};

} // namespace vemo
