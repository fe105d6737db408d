#pragma once

#include "core/surveymap/SiteSurveyInfo.h"
#include "core/surveymap/SurveyMapLayout.h"

#include <QDialog>

#include <filesystem>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace vemo {
class Workspace;
}

namespace vemo::surveymap {

class SurveyMapPreview;

// 地積測量図: the parcels of the open site with their role (対象 / 隣接) and 地目 (from the register's
// list), the scale, the paper and the title items; the preview follows every choice at once.  Prints
// through the program's print preview, writes a PDF at true scale, the register's TIFF or a DXF in
// ground coordinates, each after listing what the register would miss; keeps the choices in the site's
// "VemoSurveyMap.txt".
class SurveyMapWindow : public QDialog {
    Q_OBJECT
public:
    SurveyMapWindow(Workspace& workspace, QWidget* parent = nullptr);

    // Shows the window for the site folder (empty: data outside a site) and zone (0: unknown).
    void open(const std::filesystem::path& siteFolder, int zone);

    // What the preview shows; nothing when the choices cannot be drawn (the notes say why).
    const std::optional<SurveyMapLayout>& currentMap() const;
    QString notes() const;
    void writePdf(const QString& path);
    void writeTiff(const QString& path);
    void writeDxf(const QString& path);

    // Closing (the close button, Esc) with entries not yet saved asks whether to save them first.
    void reject() override;

private:
    void fixColumnWidths();
    void loadParcels();
    SiteSurveyInfo infoFromFields() const;
    SurveyMapOptions optionsFromFields() const;
    void refresh();
    void print();
    void askPdf() { askAndWrite(QStringLiteral("PDF"), &SurveyMapWindow::writePdf); }
    void askTiff() { askAndWrite(QStringLiteral("TIFF"), &SurveyMapWindow::writeTiff); }
    void askDxf() { askAndWrite(QStringLiteral("DXF"), &SurveyMapWindow::writeDxf); }
    bool confirmComplete();
    void askAndWrite(const QString& format, void (SurveyMapWindow::*write)(const QString&));
    void save() { saveEntries(); }
    bool saveEntries(); // false when nothing could be written (the reason shown)

    Workspace& workspace_;
    std::filesystem::path siteFolder_;
    int zone_ = 0;
    SiteSurveyInfo info_;
    QTableWidget* parcels_ = nullptr;
    QComboBox* scale_ = nullptr;
    QComboBox* paper_ = nullptr;
    QLineEdit* district_ = nullptr;
    QLineEdit* date_ = nullptr;
    QLineEdit* madeDate_ = nullptr;
    QLineEdit* surveyor_ = nullptr;
    QLineEdit* office_ = nullptr;
    QLineEdit* applicant_ = nullptr;
    QLabel* notes_ = nullptr;
    SurveyMapPreview* preview_ = nullptr;
    bool loading_ = false;
    bool unsaved_ = false; // title items, roles or 地目 changed since the site file was read or saved
    void markUnsaved() { unsaved_ = unsaved_ || !loading_; }
};

} // namespace vemo::surveymap
