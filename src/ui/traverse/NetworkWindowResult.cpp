// What the network window shows and prints of an adjustment: the summary, the table of the new points,
// the flagged observations, the judgement of the class and the 平均計算書 with the plot.
#include "ui/traverse/NetworkWindow.h"

#include "core/network/NetworkListing.h"
#include "core/print/ReportLine.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"
#include "ui/common/Cp932Text.h"
#include "ui/print/NetworkPlot.h"
#include "ui/print/ReportPrinter.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTableWidget>
#include <QTextCursor>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

namespace vemo {

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// 新点位置の標準偏差: at most 10 cm for every class of control point survey.
constexpr double kPositionLimit = 0.10;
constexpr double kSecondsPerRadian = 180.0 * 3600.0 / std::numbers::pi;

QString Millimetres(double metres) {
    return QString::number(metres * 1000.0, 'f', 1);
}

std::string PointName(const Network& network, int index) {
    return index >= 0 && index < static_cast<int>(network.points.size())
               ? network.points[static_cast<size_t>(index)].name
               : std::string();
}

QString KindText(ObservationKind kind) {
    switch (kind) {
    case ObservationKind::Direction:
        return U("方向");
    case ObservationKind::Angle:
        return U("角");
    case ObservationKind::Distance:
        return U("距離");
    case ObservationKind::Azimuth:
        return U("方向角");
    }
    return {};
}

} // namespace

void NetworkWindow::showResult() {
    summary_->clear();
    flagged_->clear();
    points_->setRowCount(0);
    if (adjustment_) {
        std::vector<std::string> lines = routeNotes_;
        for (const std::string& line : NetworkSummaryLines(network_, *adjustment_)) {
            lines.push_back(line);
        }
        for (const std::string& line : lines) {
            summary_->appendPlainText(FromCp932(line));
        }
        const auto& adjusted = adjustment_->points;
        points_->setRowCount(static_cast<int>(adjusted.size()));
        for (int row = 0; row < static_cast<int>(adjusted.size()); ++row) {
            const AdjustedNetworkPoint& p = adjusted[static_cast<size_t>(row)];
            const QStringList cells{FromCp932(PointName(network_, p.point)),
                                    QString::number(p.x, 'f', 3),
                                    QString::number(p.y, 'f', 3),
                                    Millimetres(p.sigmaX),
                                    Millimetres(p.sigmaY),
                                    Millimetres(p.sigmaPosition),
                                    Millimetres(p.ellipseA),
                                    Millimetres(p.ellipseB),
                                    FromCp932(FormatDms(p.ellipseBearing))};
            for (int col = 0; col < cells.size(); ++col) {
                auto* item = new QTableWidgetItem(cells[col]);
                item->setTextAlignment(col == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
                points_->setItem(row, col, item);
            }
        }
        // Every observation beyond the critical value of the data snooping, the probable blunder first.
        const auto& results = adjustment_->observations;
        std::vector<int> beyond;
        for (int i = 0; i < static_cast<int>(results.size()); ++i) {
            if (std::abs(results[static_cast<size_t>(i)].standardized) > adjustment_->snoopingCritical) {
                beyond.push_back(i);
            }
        }
        std::stable_partition(beyond.begin(), beyond.end(), [&](int i) { return i == adjustment_->suspect; });
        for (const int i : beyond) {
            const Observation& o = network_.observations[static_cast<size_t>(i)];
            const ObservationResult& r = results[static_cast<size_t>(i)];
            const bool distance = o.kind == ObservationKind::Distance;
            const QString residual = distance ? Millimetres(r.residual) + U(" mm")
                                              : QString::number(r.residual * kSecondsPerRadian, 'f', 1) + U("″");
            flagged_->appendPlainText((i == adjustment_->suspect ? U("過誤の疑い  ") : U("            ")) +
                                      KindText(o.kind) + U("  ") + FromCp932(PointName(network_, o.from)) + U("→") +
                                      FromCp932(PointName(network_, o.to)) + U("  残差 ") + residual +
                                      U("  標準化残差 ") + QString::number(r.standardized, 'f', 2));
        }
        if (beyond.empty()) {
            flagged_->appendPlainText(U("なし（棄却限界 %1）").arg(adjustment_->snoopingCritical, 0, 'f', 2));
        }
    }
    // The list opens at its head: the summary's first line and the probable blunder.
    summary_->moveCursor(QTextCursor::Start);
    flagged_->moveCursor(QTextCursor::Start);
    points_->resizeRowsToContents();
    showVerdict();
    updateButtons();
}

// The judgement against the class: σ0 by its χ² test, every new point's position σ at most 10 cm.
void NetworkWindow::showVerdict() {
    if (!adjustment_) {
        verdict_->clear();
        return;
    }
    double largest = 0.0;
    std::string worst;
    for (const AdjustedNetworkPoint& p : adjustment_->points) {
        if (p.sigmaPosition > largest) {
            largest = p.sigmaPosition;
            worst = PointName(network_, p.point);
        }
    }
    QString text = adjustment_->chiPassed ? U("単位重量当たりの標準偏差: χ二乗検定 合格")
                                          : U("単位重量当たりの標準偏差: χ二乗検定 不合格");
    if (class_->currentIndex() > 0) {
        text += U("\n%1: 新点位置の標準偏差 最大 %2 cm（%3）、制限 10 cm  %4")
                    .arg(class_->currentText())
                    .arg(largest * 100.0, 0, 'f', 1)
                    .arg(FromCp932(worst))
                    .arg(largest <= kPositionLimit ? U("適") : U("超過"));
    }
    verdict_->setText(text);
}

std::vector<std::string> NetworkWindow::reportLines() const {
    std::vector<std::string> lines{Jp("平均計算書")};
    if (!adjustment_) {
        return lines;
    }
    std::istringstream description(description_);
    for (std::string line; std::getline(description, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    for (const std::string& line : routeNotes_) {
        lines.push_back(line);
    }
    for (const auto& part : {NetworkSummaryLines(network_, *adjustment_), NetworkPointLines(network_, *adjustment_),
                             NetworkResidualLines(network_, *adjustment_)}) {
        lines.insert(lines.end(), part.begin(), part.end());
        lines.emplace_back();
    }
    lines.push_back(ToCp932OrThrow(verdict_->text().replace(QChar('\n'), QChar(' '))));
    return lines;
}

namespace {

// The listing, then the plot of the network with its error ellipses on a sheet of its own.
std::function<void(QPrinter&, const PrintProgress&)>
ReportPainter(const std::vector<std::string>& text, const Network& network, const NetworkAdjustment& adjustment) {
    std::vector<ReportLine> lines;
    for (size_t i = 0; i < text.size(); ++i) {
        lines.push_back(i == 0 ? TitleLine(text[i]) : ReportLine{text[i]});
    }
    return [lines, &network, &adjustment](QPrinter& printer, const PrintProgress& progress) {
        ReportPrinter::printLines(printer, lines, progress, nullptr, [&](QPainter& painter, const QRectF& area) {
            PaintNetworkPlot(painter, area, network, adjustment);
        });
    };
}

} // namespace

void NetworkWindow::printReport() {
    if (adjustment_) {
        PreviewReport(this, U("平均計算書"), ReportPainter(reportLines(), network_, *adjustment_));
    }
}

void NetworkWindow::printReportToPdf(const QString& path) {
    if (adjustment_) {
        PrintReportToPdf(path, U("平均計算書"), ReportPainter(reportLines(), network_, *adjustment_));
    }
}

QString NetworkWindow::summaryText() const {
    return summary_->toPlainText();
}

QString NetworkWindow::flaggedText() const {
    return flagged_->toPlainText();
}

QString NetworkWindow::verdictText() const {
    return verdict_->text();
}

} // namespace vemo
