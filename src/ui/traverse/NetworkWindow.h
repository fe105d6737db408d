#pragma once

#include "core/network/AdjustNetwork.h"
#include "core/network/Network.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace vemo {

class Workspace;

// The network adjustment (網平均) of several traverse routes or of a network file: the surveyor opens a
// ".gkf" network, or one or more ".Trv" routes and ".ZUB" field books (their known points from the
// coordinate list), sets the a priori standard deviations of the survey (M_T, M_S, K) and the class, and
// computes.  The window shows the summary with σ0 and its test, the adjusted points with σ and ellipses
// and the flagged observations; 登録 writes the new points as one undo step and 印刷 prints the
// 平均計算書 with the plot of the network.
class NetworkWindow : public QDialog {
public:
    explicit NetworkWindow(Workspace& workspace, QWidget* parent = nullptr);

    // Asks for a file: a ".gkf" replaces what was open, a ".Trv" or ".ZUB" joins the routes and books
    // open so far.
    void openFile();
    void openPath(const QString& path);
    void clearFiles();
    QStringList files() const { return files_; }

    // Reads the files and adjusts; a failure is shown and leaves no result.  Answers whether it adjusted.
    bool compute();
    bool hasResult() const { return adjustment_.has_value(); }
    // Writes the adjusted new points into the coordinate list (one undo step 網平均).
    void registerPoints();
    // The 平均計算書: the print preview, or straight into a PDF file.
    void printReport();
    void printReportToPdf(const QString& path);
    // What the 平均計算書 prints (CP932 lines, the title first).
    std::vector<std::string> reportLines() const;

    // The weights and the class as the fields hold them (M_T seconds, M_S mm, K ppm; class 0 = none).
    void setWeights(const QString& angleSeconds, const QString& distanceMm, const QString& ppm);
    void setSurveyClass(int surveyClass);

    QTableWidget* pointTable() const { return points_; }
    QString summaryText() const;
    QString flaggedText() const;
    QString verdictText() const;

private:
    void buildNetwork();
    void showResult();
    void showVerdict();
    void updateButtons();
    QString siteFolder() const;

    Workspace& workspace_;
    QStringList files_;
    bool networkFile_ = false; // the files are one ".gkf" (its own standard deviations), not routes
    Network network_;
    std::string description_;
    std::vector<std::string> routeNotes_;
    std::optional<NetworkAdjustment> adjustment_;

    QListWidget* fileList_;
    QLineEdit* angleSigma_;
    QLineEdit* distanceSigma_;
    QLineEdit* ppm_;
    QComboBox* class_;
    QLabel* weightsNote_;
    QPlainTextEdit* summary_;
    QTableWidget* points_;
    QPlainTextEdit* flagged_;
    QLabel* verdict_;
    QPushButton* compute_;
    QPushButton* register_;
    QPushButton* print_;
    QPushButton* pdf_;
};

} // namespace vemo
