#pragma once

// Building blocks the pages of the settings dialog share: radio groups that give their choice as an
// index, folder and program rows with their "参照" buttons.

#include <QString>

#include <initializer_list>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QWidget;
class QGridLayout;

namespace vemo {

// A group box of radio buttons, one per caption; the button group numbers them 0, 1, ...
// The buttons are named `name` + "_" + index (the settings key and the value it stands for).
QGroupBox* MakeRadioGroup(const QString& title, const char* name, std::initializer_list<const char*> captions,
                          QButtonGroup*& group, Qt::Orientation orientation = Qt::Vertical);
// Checks button `index` (an index the group does not have checks the first).
void SetChoice(QButtonGroup* group, int index);
int Choice(const QButtonGroup* group);

// The folder chooser titled "フォルダを選んで下さい"; the chosen folder (without a trailing separator
// except for the root itself) goes into the field.
void ChooseFolderInto(QLineEdit* field);
// A file chooser for a program; the chosen file goes into the field.
void ChooseProgramInto(QLineEdit* field);

// A row: caption, field and a "参照" button running `choose` on the field.
QLineEdit* AddBrowseRow(QGridLayout* grid, int row, const QString& caption, void (*choose)(QLineEdit*),
                        const QString& objectName);

// A folder as chosen, held without a trailing separator ("/data/" -> "/data"; "/" stays).
QString FolderWithoutTrailingSeparator(const QString& folder);

} // namespace vemo
