#pragma once

#include "core/traverse/SurveyClass.h"
#include "core/zub/ZubFile.h"

#include <QWidget>

#include <optional>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QTableWidget;

namespace vemo {

struct TrvsHeader;
struct TrvsOptions;
class TrvsKnownPoints;
class TrvsTable;

// The ZUB Editor: a field book one record per row, the column headers and the status text following
// the record under the cursor, so that the surveyor can read and mend what the instrument recorded
// before the direct observations go into the traverse table.
class ZubEditorPanel : public QWidget {
    Q_OBJECT
public:
    explicit ZubEditorPanel(QWidget* parent = nullptr);

    // An empty record table (13 columns, one empty row).
    void Clear();
    // "ZUB Editor" with the current file, as the window caption.
    QString Caption() const;
    const std::string& CurrentPath() const { return path_; }

    // Reads the whole file first: a file that is no field book is reported naming its line and the rows
    // shown stay.  Lines whose check character is wrong (corrected by hand) are tinted and explained in
    // the status text; a missing end record and more direct observations than the transfer takes are
    // told in a message.
    void LoadFile(const std::string& path);
    // "受信時に戻す": "Temp.ZUB" of the program folder, when there is one.
    void Reload(const std::string& exeDir);
    void Open(const QString& folder);
    // Saves to the current file, or asks for a name (proposing the current one) when there is none
    // or `askName` is set.
    void Save(const QString& folder, bool backup, bool askName);
    void SaveFile(const std::string& path, bool backup);
    // "Auto.ZUB": written only when the records differ from what was last loaded, saved or
    // auto-saved (`forced`: whenever they differ from an empty table), never with an empty table.
    void AutoSave(const std::string& exeDir, bool forced = false);
    // The records differ from the file last opened or saved (a received field book is unsaved).
    bool Modified() const;
    void InsertRow();
    void DeleteRow();
    // The observations into the traverse table (header and table replaced as a whole), each setup from
    // its own station: a book with both faces as the mean of its faces and sets; what was left out,
    // and which reduction was taken, is told in a message.
    // `directOnly`: the direct (正) readings alone, one row each, instead of the mean of both faces.
    void Transfer(const TrvsOptions& options, const TrvsKnownPoints& known, TrvsHeader& header, TrvsTable& table,
                  bool directOnly = false);
    // Whether a row is marked for a wrong check character.
    bool CheckWrong(int row) const;
    // The observation limits of the class the book is judged by.  Every reading behind a figure over
    // its limit (倍角差, 観測差, 高度定数の較差, the distance spreads) is marked in its own cell, with
    // a tip naming the figure and the limit, and the marks follow each edit; none, no marks.
    void SetLimits(const std::optional<ObservationLimits>& limits);

    std::vector<ZubRow> Rows() const;
    QTableWidget* Grid() const { return grid_; }
    QString Status() const;

signals:
    void statusTextChanged(const QString& text);
    // A cell was typed or a row inserted or deleted.
    void edited();
    void captionChanged(const QString& caption);

private:
    void Show(const std::vector<ZubRow>& rows, const std::vector<bool>& checkWrong);
    void ShowBook(const ZubBook& book);
    void TellAbout(const ZubBook& book);
    void ShowRow(int row, const ZubRow& cells, bool checkWrong);
    void CellSelected(int row, int col);
    void MarkOverLimit();
    void UnmarkOverLimit();
    ZubRow GridRow(int row) const;

    QTableWidget* grid_ = nullptr;
    QLabel* status_ = nullptr;
    std::string path_;
    std::vector<ZubRow> savedRows_;
    std::vector<ZubRow> autoRows_;
    std::optional<ObservationLimits> limits_;
    std::vector<std::pair<int, int>> marked_; // grid row and column of each marked cell
};

} // namespace vemo
