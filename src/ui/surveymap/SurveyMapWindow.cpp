#include "ui/surveymap/SurveyMapWindow.h"

#include "core/store/BlockList.h"
#include "core/store/Store.h"
#include "core/surveymap/SurveyMapDxf.h"
#include "core/surveymap/SurveyMapModel.h"
#include "core/text/Error.h"
#include "core/text/MessagesSurveyMap.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Workspace.h"
#include "ui/print/ReportPrinter.h"
#include "ui/surveymap/SurveyMapPainter.h"
#include "ui/surveymap/SurveyMapPreview.h"
#include "ui/tree/FileDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vemo::surveymap {

namespace {

enum Column { kNumber, kRole, kCategory };
const QStringList kRoles{QStringLiteral("－"), QStringLiteral("対象"), QStringLiteral("隣接")};
const char* const kPapers[] = {"A4", "A4L", "A3", "A3L"};
const QStringList kPaperTexts{QStringLiteral("A4 縦"), QStringLiteral("A4 横"), QStringLiteral("A3 縦"),
                              QStringLiteral("A3 横")};

std::string FieldText(const QLineEdit* field) {
    return ToCp932(field->text()).value_or("");
}

} // namespace

SurveyMapWindow::SurveyMapWindow(Workspace& workspace, QWidget* parent) : QDialog(parent), workspace_(workspace) {
    setWindowTitle(QStringLiteral("地積測量図"));
    parcels_ = new QTableWidget(0, 3, this);
    parcels_->setHorizontalHeaderLabels({QStringLiteral("地番"), QStringLiteral("区分"), QStringLiteral("地目")});
    parcels_->horizontalHeader()->setStretchLastSection(true);
    parcels_->verticalHeader()->hide();
    parcels_->setObjectName(QStringLiteral("parcels"));
    scale_ = new QComboBox(this);
    scale_->setObjectName(QStringLiteral("scale"));
    for (int scale : StandardScales()) {
        scale_->addItem(QStringLiteral("1/%1").arg(scale), scale);
    }
    scale_->setCurrentIndex(2); // 1/250
    paper_ = new QComboBox(this);
    paper_->setObjectName(QStringLiteral("paper"));
    paper_->addItems(kPaperTexts);
    paper_->setCurrentIndex(3); // A3 横
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("縮尺"), scale_);
    form->addRow(QStringLiteral("用紙"), paper_);
    for (auto [field, label] : {std::pair{&district_, "地番区域"},
                                {&date_, "測量年月日"},
                                {&surveyor_, "作成者"},
                                {&office_, "事務所"},
                                {&applicant_, "申請人"}}) {
        *field = new QLineEdit(this);
        (*field)->setObjectName(QString::fromUtf8(label));
        form->addRow(QString::fromUtf8(label), *field);
        connect(*field, &QLineEdit::textChanged, this, &SurveyMapWindow::refresh);
    }
    notes_ = new QLabel(this);
    notes_->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    for (auto [text, slot] : {std::pair{"印刷...", &SurveyMapWindow::print},
                              {"PDF出力...", &SurveyMapWindow::askPdf},
                              {"DXF出力...", &SurveyMapWindow::askDxf},
                              {"保存", &SurveyMapWindow::save}}) {
        auto* button = new QPushButton(QString::fromUtf8(text), this);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    }
    auto* side = new QVBoxLayout;
    side->addWidget(parcels_, 1);
    side->addLayout(form);
    side->addWidget(notes_);
    side->addLayout(buttons);
    preview_ = new SurveyMapPreview(this);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(side);
    layout->addWidget(preview_, 1);
    resize(1200, 760);
    connect(scale_, &QComboBox::currentIndexChanged, this, &SurveyMapWindow::refresh);
    connect(paper_, &QComboBox::currentIndexChanged, this, &SurveyMapWindow::refresh);
    connect(parcels_, &QTableWidget::itemChanged, this, &SurveyMapWindow::refresh);
    for (auto signal : {&Workspace::pointsChanged, &Workspace::pointsReplaced}) {
        connect(&workspace_, signal, this, [this] { isVisible() ? refresh() : void(); });
    }
    for (auto signal : {&Workspace::parcelsChanged, &Workspace::parcelsReplaced}) {
        connect(&workspace_, signal, this, [this] { isVisible() ? loadParcels() : void(); });
    }
}

void SurveyMapWindow::open(const std::filesystem::path& siteFolder, int zone) {
    siteFolder_ = siteFolder;
    zone_ = zone;
    info_ = siteFolder.empty() ? SiteSurveyInfo{} : ReadSiteSurveyInfo(siteFolder);
    loading_ = true;
    district_->setText(FromCp932(info_.title.district));
    date_->setText(FromCp932(info_.title.surveyDate));
    surveyor_->setText(FromCp932(info_.title.surveyor));
    office_->setText(FromCp932(info_.title.office));
    applicant_->setText(FromCp932(info_.title.applicant));
    loading_ = false;
    loadParcels();
    show();
    raise();
}

// Every registered parcel, with the role and 地目 the site file (or the table so far) gives it.
void SurveyMapWindow::loadParcels() {
    info_ = infoFromFields();
    loading_ = true;
    const BlockList& blocks = workspace_.store().blocks;
    parcels_->setRowCount(blocks.Count());
    for (int row = 0; row < blocks.Count(); ++row) {
        const std::string& name = blocks.At(row).BlockName;
        const ParcelSurveyInfo* stated = info_.Parcel(name);
        auto* number = new QTableWidgetItem(FromCp932(name));
        number->setFlags(number->flags() & ~Qt::ItemIsEditable);
        parcels_->setItem(row, kNumber, number);
        auto* role = new QComboBox(parcels_);
        role->addItems(kRoles);
        role->setCurrentIndex(stated != nullptr ? static_cast<int>(stated->role) : 0);
        connect(role, &QComboBox::currentIndexChanged, this, &SurveyMapWindow::refresh);
        parcels_->setCellWidget(row, kRole, role);
        parcels_->setItem(row, kCategory,
                          new QTableWidgetItem(stated != nullptr ? FromCp932(stated->category) : QString()));
    }
    loading_ = false;
    refresh();
}

SiteSurveyInfo SurveyMapWindow::infoFromFields() const {
    SiteSurveyInfo info = info_;
    info.title = {FieldText(district_), FieldText(date_), FieldText(surveyor_), FieldText(office_),
                  FieldText(applicant_)};
    for (int row = 0; row < parcels_->rowCount(); ++row) {
        auto* role = qobject_cast<QComboBox*>(parcels_->cellWidget(row, kRole));
        QTableWidgetItem* number = parcels_->item(row, kNumber);
        QTableWidgetItem* category = parcels_->item(row, kCategory);
        if (number == nullptr || role == nullptr) {
            continue;
        }
        ParcelSurveyInfo& entry = info.ParcelEntry(ToCp932(number->text()).value_or(""));
        entry.role = static_cast<ParcelRole>(role->currentIndex());
        entry.category = category != nullptr ? ToCp932(category->text().trimmed()).value_or("") : "";
    }
    return info;
}

SurveyMapOptions SurveyMapWindow::optionsFromFields() const {
    SurveyMapOptions options;
    options.scale = scale_->currentData().toInt();
    ParsePaper(kPapers[std::max(0, paper_->currentIndex())], options);
    return options;
}

// Draws the choices at once; what cannot be drawn is said under the fields, never in a message box
// at every key.
void SurveyMapWindow::refresh() {
    if (loading_) {
        return;
    }
    SurveyMapRequest request;
    request.zone = zone_;
    try {
        SurveyMapModel model =
            BuildSurveyMapModel(workspace_.store().xyz, workspace_.store().blocks, request, infoFromFields());
        SurveyMapLayout layout = LayOutSurveyMap(model, optionsFromFields());
        QStringList warnings;
        for (const std::string& warning : layout.warnings) {
            warnings << FromCp932(warning);
        }
        notes_->setText(warnings.join(QLatin1Char('\n')));
        preview_->showMap(std::move(layout));
    } catch (const Error& e) {
        notes_->setText(FromCp932(e.what()));
        preview_->showMap(std::nullopt);
    }
}

const std::optional<SurveyMapLayout>& SurveyMapWindow::currentMap() const {
    return preview_->shownMap();
}

QString SurveyMapWindow::notes() const {
    return notes_->text();
}

void SurveyMapWindow::print() {
    if (!currentMap()) {
        MessageBox::Show(this, notes());
        return;
    }
    SurveyMapLayout layout = *currentMap();
    PreviewReport(this, windowTitle(),
                  [&](QPrinter& printer, const PrintProgress&) { PrintSurveyMap(printer, layout); });
}

void SurveyMapWindow::writePdf(const QString& path) {
    if (!currentMap()) {
        throw Error(ToCp932(notes()).value_or(""));
    }
    SurveyMapLayout layout = *currentMap();
    PrintReportToPdf(path, windowTitle(),
                     [&](QPrinter& printer, const PrintProgress&) { PrintSurveyMap(printer, layout); });
}

void SurveyMapWindow::writeDxf(const QString& path) {
    if (!currentMap()) {
        throw Error(ToCp932(notes()).value_or(""));
    }
    WriteSurveyMapDxf(*currentMap(), NativePath(path));
    QStringList limits;
    for (const std::string& limit : DxfLimitations()) {
        limits << FromCp932(limit);
    }
    // The path as chosen in place of "%1" (its CP932 form may stand for another character).
    MessageBox::Show(this, FromCp932(msg::MapWritten("%1", "%2")).arg(path, limits.join(QLatin1Char('\n'))));
}

// Asks for the file, then writes it as one command (its error shown once).
void SurveyMapWindow::askAndWrite(const QString& format, void (SurveyMapWindow::*write)(const QString&)) {
    QString extension = format.toLower();
    QString path = FileDialog::getSaveFileName(this, {QStringLiteral("地積測量図を%1に出力").arg(format),
                                                      QStringLiteral("%1 (*.%2)|*.%2").arg(format, extension),
                                                      extension, PathText(siteFolder_)});
    if (!path.isEmpty()) {
        RunCommand(
            [&] {
                BusyCursor busy;
                (this->*write)(path);
            },
            this);
    }
}

void SurveyMapWindow::save() {
    if (siteFolder_.empty()) {
        MessageBox::ShowCp932(this, msg::NoSiteFolderToSave());
        return;
    }
    RunCommand([&] { WriteSiteSurveyInfo(siteFolder_, infoFromFields()); }, this);
}

} // namespace vemo::surveymap
