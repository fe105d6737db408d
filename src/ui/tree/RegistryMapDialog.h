#pragma once

#include "core/files/RegistryMapImport.h"

#include <QDialog>

#include <optional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QTableWidget;

namespace vemo {

// Which parcels of registry map data to take: the parcels of the maps (大字・丁目, 地番, area, 精度区分)
// with a search over 大字 and 地番, and whether their neighbours come with them.  A city's file holds far
// more than a site needs; the surveyor picks the subject parcels and the rest follows.  Parcels the maps
// do not draw (地区外, 別図) are listed greyed, so that the surveyor sees why they cannot be taken.
class RegistryMapDialog : public QDialog {
    Q_OBJECT
public:
    RegistryMapDialog(const std::vector<RegistryMapParcelEntry>& parcels, const QString& summary, QWidget* parent);

    // The parcels chosen (every drawn one when none is selected).
    RegistryMapChoice choice() const;
    QTableWidget* table() const { return table_; }
    QLineEdit* search() const { return search_; }

    // Shows the dialog; nothing when it was cancelled.
    static std::optional<RegistryMapChoice> Choose(QWidget* parent, const std::vector<RegistryMapParcelEntry>& parcels,
                                                   const QString& summary);
    // Test hook: the next Choose is not shown and answers this (once).
    static void setNextChoice(std::optional<RegistryMapChoice> choice);

private:
    void filter(const QString& text);

    std::vector<RegistryMapParcelEntry> parcels_;
    QLineEdit* search_;
    QTableWidget* table_;
    QCheckBox* adjacent_;
};

} // namespace vemo
