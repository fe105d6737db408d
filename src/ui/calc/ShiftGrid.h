#pragma once

#include <QTableWidget>

#include <string>
#include <vector>

namespace vemo {

class Store;

// The path grid of the parallel shift: " № ", point name and the width (巾員) of the leg from the
// point to the next.  Enter on a name checks it and moves to its width; Enter on a width writes it back
// as "0.000" and moves to the next row, appending one after the last named row.
class ShiftGrid : public QTableWidget {
    Q_OBJECT
public:
    ShiftGrid(const Store* store, QWidget* parent);

    void clearPath();
    // The path: names from row 1 to the first empty name, each with its width.
    std::vector<std::string> pathNames() const;
    std::vector<double> pathWidths() const;
    void enterName(int row, const QString& text);  // row 0-based
    void enterWidth(int row, const QString& text); // row 0-based
    // A name from outside: into the current row when the cursor is in the name column.
    bool takePointName(const std::string& cp932);

signals:
    void pathChanged();

private:
    void setRowTexts(int row, const QString& name, const QString& width);
    QString textAt(int row, int column) const;
    const Store* store_;
};

} // namespace vemo
