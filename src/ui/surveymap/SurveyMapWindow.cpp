#include "ui/surveymap/SurveyMapWindow.h"

#include "core/parcels/LandCategoryChiseki.h"
#include "core/store/BlockList.h"
#include "core/store/Store.h"
#include "core/surveymap/SurveyMapDxf.h"
#include "core/surveymap/SurveyMapModel.h"
#include "core/text/Error.h"
#include "core/text/MessagesNotices.h"
#include "core/text/MessagesSurveyMap.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/StatusNotice.h"
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
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vemo::surveymap {

namespace {

enum Column { kNumber, kRole, kCategory };
const QStringList kRoles{QStringLiteral("－"), QStringLiteral("対象"), QStringLiteral("隣接")};
// B4 is the sheet the register takes; A4 and A3 stay for drafts and say so.
const char* const kPapers[] = {"B4", "B4L", "A4", "A4L", "A3", "A3L"};
const QStringList kPaperTexts{QStringLiteral("B4 縦"),           QStringLiteral("B4 横"),
                              QStringLiteral("A4 縦（下書き）"), QStringLiteral("A4 横（下書き）"),
                              QStringLiteral("A3 縦（下書き）"), QStringLiteral("A3 横（下書き）")};

std::string FieldText(const QLineEdit* field) {
    return ToCp932(field->text()).value_or("");
}

} // namespace

SurveyMapWindow::SurveyMapWindow(Workspace& workspace, QWidget* parent) : QDialog(parent), workspace_(workspace) {
    setWindowTitle(QStringLiteral("地積測量図"));
    setProperty("helpContext", 39); // F1: its page of the help book
    parcels_ = new QTableWidget(0, 3, this);
    parcels_->setHorizontalHeaderLabels({QStringLiteral("地番"), QStringLiteral("区分"), QStringLiteral("地目")});
    parcels_->verticalHeader()->hide();
    fixColumnWidths();
    parcels_->setObjectName(QStringLiteral("parcels"));
    scale_ = new QComboBox(this);
    scale_->setObjectName(QStringLiteral("scale"));
    scale_->addItem(QStringLiteral("自動（収まる最大の縮尺）"), 0);
    for (int scale : StandardScales()) {
        scale_->addItem(QStringLiteral("1/%1").arg(scale), scale);
    }
    paper_ = new QComboBox(this);
    paper_->setObjectName(QStringLiteral("paper"));
    paper_->addItems(kPaperTexts);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("縮尺"), scale_);
    form->addRow(QStringLiteral("用紙"), paper_);
    for (auto [field, label] : {std::pair{&district_, "地番区域"},
                                {&date_, "測量年月日"},
                                {&madeDate_, "作成年月日"},
                                {&surveyor_, "作成者"},
                                {&office_, "事務所"},
                                {&applicant_, "申請人"}}) {
        *field = new QLineEdit(this);
        (*field)->setObjectName(QString::fromUtf8(label));
        form->addRow(QString::fromUtf8(label), *field);
        connect(*field, &QLineEdit::textChanged, this, &SurveyMapWindow::refresh);
        connect(*field, &QLineEdit::textChanged, this, &SurveyMapWindow::markUnsaved);
        // Enter ends an entry and goes on to the next, as in every form of the program; it never prints.
        connect(*field, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    }
    notes_ = new QLabel(this);
    notes_->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    for (auto [text, slot] : {std::pair{"印刷...", &SurveyMapWindow::print},
                              {"PDF出力...", &SurveyMapWindow::askPdf},
                              {"TIFF 出力...", &SurveyMapWindow::askTiff},
                              {"DXF出力...", &SurveyMapWindow::askDxf},
                              {"保存", &SurveyMapWindow::save}}) {
        auto* button = new QPushButton(QString::fromUtf8(text), this);
        button->setAutoDefault(false);
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

// The table's columns get their widths once, before anything is drawn, from the widest entry of the
// role and 地目 lists; the vertical scroll bar is always there and the table exactly as wide as its
// columns, so neither the preview's first drawing, nor the notes growing, nor a parcel more moves one.
void SurveyMapWindow::fixColumnWidths() {
    QComboBox roles;
    roles.addItems(kRoles);
    QComboBox categories;
    for (const std::string& name : LandCategories()) {
        categories.addItem(FromCp932(name));
    }
    QHeaderView* header = parcels_->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    const int widths[] = {100, std::max(100, roles.sizeHint().width()), std::max(120, categories.sizeHint().width())};
    int total = 0;
    for (int column = 0; column < 3; ++column) {
        header->resizeSection(column, widths[column]);
        total += widths[column];
    }
    parcels_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    parcels_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    parcels_->setFixedWidth(total + parcels_->verticalScrollBar()->sizeHint().width() + 2 * parcels_->frameWidth());
}

void SurveyMapWindow::open(const std::filesystem::path& siteFolder, int zone) {
    siteFolder_ = siteFolder;
    zone_ = zone;
    info_ = siteFolder.empty() ? SiteSurveyInfo{} : ReadSiteSurveyInfo(siteFolder);
    loading_ = true;
    district_->setText(FromCp932(info_.title.district));
    date_->setText(FromCp932(info_.title.surveyDate));
    madeDate_->setText(FromCp932(info_.title.madeDate));
    surveyor_->setText(FromCp932(info_.title.surveyor));
    office_->setText(FromCp932(info_.title.office));
    applicant_->setText(FromCp932(info_.title.applicant));
    loading_ = false;
    loadParcels();
    unsaved_ = false;
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
        connect(role, &QComboBox::currentIndexChanged, this, &SurveyMapWindow::markUnsaved);
        parcels_->setCellWidget(row, kRole, role);
        // 地目 from the register's list only: a typed one could differ by a blank or a character.
        auto* category = new QComboBox(parcels_);
        category->addItem(QString());
        for (const std::string& name : LandCategories()) {
            category->addItem(FromCp932(name));
        }
        category->setCurrentIndex(
            std::max(0, category->findText(stated != nullptr ? FromCp932(stated->category) : "")));
        connect(category, &QComboBox::currentIndexChanged, this, &SurveyMapWindow::refresh);
        connect(category, &QComboBox::currentIndexChanged, this, &SurveyMapWindow::markUnsaved);
        parcels_->setCellWidget(row, kCategory, category);
    }
    loading_ = false;
    refresh();
}

SiteSurveyInfo SurveyMapWindow::infoFromFields() const {
    SiteSurveyInfo info = info_;
    info.title = {FieldText(district_), FieldText(date_),      FieldText(surveyor_),
                  FieldText(office_),   FieldText(applicant_), FieldText(madeDate_)};
    for (int row = 0; row < parcels_->rowCount(); ++row) {
        auto* role = qobject_cast<QComboBox*>(parcels_->cellWidget(row, kRole));
        auto* category = qobject_cast<QComboBox*>(parcels_->cellWidget(row, kCategory));
        QTableWidgetItem* number = parcels_->item(row, kNumber);
        if (number == nullptr || role == nullptr || category == nullptr) {
            continue;
        }
        ParcelSurveyInfo& entry = info.ParcelEntry(ToCp932(number->text()).value_or(""));
        entry.role = static_cast<ParcelRole>(role->currentIndex());
        entry.category = ToCp932(category->currentText()).value_or("");
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
        model.source = workspace_.store().names.Source;
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

// What the register requires and the drawing lacks, shown before it goes out; true to go on.
bool SurveyMapWindow::confirmComplete() {
    if (!currentMap()) {
        MessageBox::Show(this, notes());
        return false;
    }
    if (currentMap()->warnings.empty()) {
        return true;
    }
    std::string items;
    for (const std::string& warning : currentMap()->warnings) {
        items += (items.empty() ? "" : "\n") + warning;
    }
    return MessageBox::Ask(this, FromCp932(msg::MapItemsMissing(items)), QMessageBox::Ok | QMessageBox::Cancel,
                           QMessageBox::Cancel) == QMessageBox::Ok;
}

void SurveyMapWindow::print() {
    if (!confirmComplete()) {
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

void SurveyMapWindow::writeTiff(const QString& path) {
    if (!currentMap()) {
        throw Error(ToCp932(notes()).value_or(""));
    }
    WriteSurveyMapTiff(*currentMap(), NativePath(path));
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

// Asks for the file, then writes it as one command (its error shown once) and says what went where.
void SurveyMapWindow::askAndWrite(const QString& format, void (SurveyMapWindow::*write)(const QString&)) {
    if (!confirmComplete()) {
        return;
    }
    QString extension = format == QStringLiteral("TIFF") ? QStringLiteral("tif") : format.toLower();
    QString path = FileDialog::getSaveFileName(this, {QStringLiteral("地積測量図を%1に出力").arg(format),
                                                      QStringLiteral("%1 (*.%2)|*.%2").arg(format, extension),
                                                      extension, PathText(siteFolder_)});
    if (path.isEmpty()) {
        return;
    }
    const bool written = RunCommand(
        [&] {
            BusyCursor busy;
            (this->*write)(path);
        },
        this);
    if (written) {
        ShowStatusNotice(this, FileWrittenNotice(msg::SurveyMapFileKind(format.toStdString()), path));
    }
}

bool SurveyMapWindow::saveEntries() {
    if (siteFolder_.empty()) {
        MessageBox::ShowCp932(this, msg::NoSiteFolderToSave());
        return false;
    }
    bool saved = false;
    RunCommand(
        [&] {
            WriteSiteSurveyInfo(siteFolder_, infoFromFields());
            saved = true;
        },
        this);
    unsaved_ = unsaved_ && !saved;
    return saved;
}

void SurveyMapWindow::reject() {
    if (unsaved_) {
        QMessageBox::StandardButton answer =
            MessageBox::Ask(this, FromCp932(msg::SurveyMapUnsaved()),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Yes && !saveEntries())) {
            return; // stays open with its entries
        }
        unsaved_ = false;
    }
    QDialog::reject();
}

} // namespace vemo::surveymap
