#include "ui/traverse/NetworkWindow.h"

#include "core/files/DataPaths.h"
#include "core/network/GkfReader.h"
#include "core/network/NetworkListing.h"
#include "core/network/RegisterNetwork.h"
#include "core/network/RouteNetwork.h"
#include "core/print/ReportLine.h"
#include "core/settings/ProgramFolder.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesNetwork.h"
#include "core/text/MessagesNotices.h"
#include "core/traverse/TrvsFile.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsTable.h"
#include "core/zub/ZubFile.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/StatusNotice.h"
#include "ui/common/Workspace.h"
#include "ui/help/HelpKey.h"
#include "ui/print/NetworkPlot.h"
#include "ui/print/ReportPrinter.h"
#include "ui/tree/FileDialog.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTextCursor>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>
#include <sstream>

namespace vemo {

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

constexpr double kSecondsPerRadian = 180.0 * 3600.0 / std::numbers::pi;

// A weight field: a positive number, or the message naming the field.
double PositiveField(const QLineEdit* field, const char* caption) {
    bool ok = false;
    const double value = field->text().trimmed().toDouble(&ok);
    if (!ok || !(value > 0.0) || !std::isfinite(value)) {
        throw Error(msg::NetworkWeightInvalid(Jp(caption), ToCp932OrThrow(field->text())));
    }
    return value;
}

} // namespace

NetworkWindow::NetworkWindow(Workspace& workspace, QWidget* parent)
    : QDialog(parent), workspace_(workspace), fileList_(new QListWidget(this)),
      angleSigma_(new QLineEdit(U("1.8"), this)), distanceSigma_(new QLineEdit(U("10"), this)),
      ppm_(new QLineEdit(U("5"), this)), class_(new QComboBox(this)), weightsNote_(new QLabel(this)),
      summary_(new QPlainTextEdit(this)), points_(new QTableWidget(this)), flagged_(new QPlainTextEdit(this)),
      verdict_(new QLabel(this)), compute_(new QPushButton(U("計算"), this)),
      register_(new QPushButton(U("登録"), this)), print_(new QPushButton(U("印刷..."), this)),
      pdf_(new QPushButton(U("PDF..."), this)) {
    setWindowTitle(U("網平均"));
    setProperty(HelpKey::kProperty, 91);
    resize(960, 680);

    auto* open = new QPushButton(U("開く..."), this);
    auto* clear = new QPushButton(U("クリア"), this);
    open->setObjectName("open");
    clear->setObjectName("clear");
    compute_->setObjectName("compute");
    register_->setObjectName("register");
    print_->setObjectName("print");
    pdf_->setObjectName("pdf");
    fileList_->setObjectName("files");
    fileList_->setMaximumHeight(90);

    auto* filesBox = new QGroupBox(U("網ファイル (.gkf)、または路線 (.Trv) と観測手簿 (.ZUB)"), this);
    auto* filesLayout = new QHBoxLayout(filesBox);
    filesLayout->addWidget(fileList_, 1);
    auto* fileButtons = new QVBoxLayout;
    fileButtons->addWidget(open);
    fileButtons->addWidget(clear);
    fileButtons->addStretch();
    filesLayout->addLayout(fileButtons);

    auto* weightsBox = new QGroupBox(U("観測の標準偏差と等級"), this);
    auto* weights = new QFormLayout(weightsBox);
    weights->addRow(U("角 M_T（秒）"), angleSigma_);
    weights->addRow(U("距離 M_S（mm）"), distanceSigma_);
    weights->addRow(U("距離の比例分 K（ppm）"), ppm_);
    class_->addItems({U("指定なし"), U("1級"), U("2級"), U("3級"), U("4級")});
    weights->addRow(U("基準点測量の等級"), class_);
    weightsNote_->setWordWrap(true);
    weights->addRow(weightsNote_);
    angleSigma_->setObjectName("angleSigma");
    distanceSigma_->setObjectName("distanceSigma");
    ppm_->setObjectName("ppm");
    class_->setObjectName("class");

    auto* top = new QHBoxLayout;
    top->addWidget(filesBox, 3);
    top->addWidget(weightsBox, 2);

    summary_->setReadOnly(true);
    summary_->setObjectName("summary");
    summary_->setLineWrapMode(QPlainTextEdit::NoWrap);
    flagged_->setReadOnly(true);
    flagged_->setObjectName("flagged");
    verdict_->setObjectName("verdict");
    verdict_->setWordWrap(true);

    points_->setObjectName("points");
    points_->setColumnCount(9);
    points_->setHorizontalHeaderLabels({U("点名"), U("X"), U("Y"), U("σX(mm)"), U("σY(mm)"), U("σP(mm)"),
                                        U("長半径a(mm)"), U("短半径b(mm)"), U("aの方向角")});
    points_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    points_->verticalHeader()->hide();
    points_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* pointsBox = new QGroupBox(U("平均した新点"), this);
    auto* pointsLayout = new QVBoxLayout(pointsBox);
    pointsLayout->addWidget(points_);
    auto* summaryBox = new QGroupBox(U("網の概要と検定"), this);
    auto* summaryLayout = new QVBoxLayout(summaryBox);
    summaryLayout->addWidget(summary_);
    summaryLayout->addWidget(verdict_);
    auto* flaggedBox = new QGroupBox(U("棄却限界を超えた観測"), this);
    auto* flaggedLayout = new QVBoxLayout(flaggedBox);
    flaggedLayout->addWidget(flagged_);

    auto* lower = new QSplitter(Qt::Horizontal, this);
    lower->addWidget(summaryBox);
    lower->addWidget(flaggedBox);
    auto* results = new QSplitter(Qt::Vertical, this);
    results->addWidget(lower);
    results->addWidget(pointsBox);
    results->setStretchFactor(1, 2);

    auto* close = new QPushButton(U("閉じる"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(compute_);
    buttons->addWidget(register_);
    buttons->addWidget(print_);
    buttons->addWidget(pdf_);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(results, 1);
    layout->addLayout(buttons);

    connect(open, &QPushButton::clicked, this, [this] { openFile(); });
    connect(clear, &QPushButton::clicked, this, [this] { clearFiles(); });
    connect(compute_, &QPushButton::clicked, this, [this] { compute(); });
    connect(register_, &QPushButton::clicked, this, [this] { registerPoints(); });
    connect(print_, &QPushButton::clicked, this, [this] { printReport(); });
    connect(pdf_, &QPushButton::clicked, this, [this] {
        const QString path =
            FileDialog::getSaveFileName(this, {U("平均計算書"), U("PDF files (*.pdf)|*.pdf"), U("pdf"), siteFolder()});
        if (!path.isEmpty() && RunCommand([&] { printReportToPdf(path); }, this)) {
            ShowStatusNotice(this, FileWrittenNotice(msg::PdfFileKind(), path));
        }
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(class_, &QComboBox::currentIndexChanged, this, [this] { showVerdict(); });
    updateButtons();
}

QString NetworkWindow::siteFolder() const {
    const CurrentNames& names = workspace_.store().names;
    return PathText(SiteFolder(PathFromCp932(names.DatDir), names.CaseName));
}

void NetworkWindow::openFile() {
    const QString path = FileDialog::getOpenFileName(
        this, {U("網平均の入力"),
               U("Network, route and field book files (*.gkf *.Trv *.ZUB)|*.gkf;*.Trv;*.ZUB|"
                 "Network files (*.gkf)|*.gkf|Route files (*.Trv)|*.Trv|Field books (*.ZUB)|*.ZUB"),
               {},
               siteFolder()});
    if (!path.isEmpty()) {
        openPath(path);
    }
}

void NetworkWindow::openPath(const QString& path) {
    const bool route = path.endsWith(U(".trv"), Qt::CaseInsensitive) || path.endsWith(U(".zub"), Qt::CaseInsensitive);
    // A network file stands alone; routes and field books gather until the surveyor clears them.
    if (!route || networkFile_) {
        files_.clear();
    }
    if (!route || !files_.contains(path)) {
        files_.append(path);
    }
    networkFile_ = !route;
    fileList_->clear();
    for (const QString& file : files_) {
        fileList_->addItem(QFileInfo(file).fileName());
    }
    adjustment_.reset();
    showResult();
}

void NetworkWindow::clearFiles() {
    files_.clear();
    networkFile_ = false;
    fileList_->clear();
    adjustment_.reset();
    showResult();
}

void NetworkWindow::setWeights(const QString& angleSeconds, const QString& distanceMm, const QString& ppm) {
    angleSigma_->setText(angleSeconds);
    distanceSigma_->setText(distanceMm);
    ppm_->setText(ppm);
}

void NetworkWindow::setSurveyClass(int surveyClass) {
    class_->setCurrentIndex(surveyClass);
}

// The network as the files give it: a ".gkf" with its own standard deviations, or the routes with the
// fields' M_T, M_S and K and the known points of the coordinate list.
void NetworkWindow::buildNetwork() {
    routeNotes_.clear();
    if (networkFile_) {
        GkfNetwork file = ReadGkfFile(ToCp932OrThrow(files_.front()));
        network_ = std::move(file.network);
        description_ = network_.description;
        return;
    }
    RouteSigmas sigmas;
    sigmas.angle = PositiveField(angleSigma_, "角 M_T") / kSecondsPerRadian;
    sigmas.distanceConstant = PositiveField(distanceSigma_, "距離 M_S") / 1000.0;
    sigmas.distanceRatio = PositiveField(ppm_, "距離の比例分 K") * 1e-6;
    const TrvsKnownPoints known(workspace_.store());
    RouteNetworkBuilder builder(sigmas);
    const TrvsOptions options;
    for (const QString& path : files_) {
        if (path.endsWith(U(".zub"), Qt::CaseInsensitive)) {
            // The book's notes name their record; the file name tells which book.
            const std::string book = ToCp932OrThrow(QFileInfo(path).fileName()) + ": ";
            for (const std::string& note : builder.AddFieldBook(LoadZubFile(ToCp932OrThrow(path)), known)) {
                routeNotes_.push_back(book + note);
            }
            continue;
        }
        TrvsHeader header;
        TrvsTable table;
        LoadTrvFile(ToCp932OrThrow(path), options, TodayText(), header, table);
        for (std::string& note : builder.AddRoute(header, table, options, known)) {
            routeNotes_.push_back(std::move(note));
        }
    }
    network_ = builder.network();
    description_.clear();
}

bool NetworkWindow::compute() {
    adjustment_.reset();
    const bool done = RunCommand(
        [this] {
            BusyCursor busy;
            buildNetwork();
            auto adjusted = AdjustNetwork(network_);
            if (!adjusted) {
                throw Error(adjusted.error());
            }
            adjustment_ = std::move(*adjusted);
        },
        this);
    showResult();
    return done && adjustment_.has_value();
}

void NetworkWindow::updateButtons() {
    compute_->setEnabled(!files_.isEmpty());
    register_->setEnabled(adjustment_.has_value());
    print_->setEnabled(adjustment_.has_value());
    pdf_->setEnabled(adjustment_.has_value());
    // A network file carries the standard deviation of every observation itself.
    for (QLineEdit* field : {angleSigma_, distanceSigma_, ppm_}) {
        field->setEnabled(!networkFile_);
    }
    weightsNote_->setText(networkFile_ ? U("網ファイルの観測は、ファイルにある標準偏差で平均します。") : QString());
}

void NetworkWindow::registerPoints() {
    if (!adjustment_) {
        return;
    }
    const auto askReplace = [this](const std::vector<std::string>& held) {
        return MessageBox::Ask(this, FromCp932(msg::ReplacePointsQuestion(held)), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
    };
    int count = 0;
    const std::string step = Jp("網平均");
    const bool done =
        RunCommand([&] { count = RegisterNetworkPoints(workspace_.store(), network_, *adjustment_, askReplace, step); },
                   this, FromCp932(step));
    if (done) {
        MessageBox::ShowCp932(this, msg::NetworkPointsRegistered(count), MessageBox::Kind::Information);
    }
}

} // namespace vemo
