// The pages "データ" and "実行ファイル" of the settings dialog.
#include "core/settings/ProgramFolder.h"
#include "core/text/Error.h"
#include "core/text/MessagesSettings.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/Hint.h"
#include "ui/settings/PageParts.h"
#include "ui/settings/SettingsPages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vemo {
namespace {

constexpr int kMaxIntervalMinutes = 120;
const char* const kDigits[] = {"１", "２", "３", "４", "５", "６", "７", "８"};

template <size_t N> QGroupBox* LabelGroup(const QString& title, std::array<QLineEdit*, N>& fields, const char* name) {
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    for (size_t i = 0; i < N; ++i) {
        fields[i] = new QLineEdit;
        fields[i]->setObjectName(QStringLiteral("%1%2").arg(QString::fromLatin1(name)).arg(i + 1));
        grid->addWidget(new QLabel(QStringLiteral("項目") + QString::fromUtf8(kDigits[i])), static_cast<int>(i), 0);
        grid->addWidget(fields[i], static_cast<int>(i), 1);
    }
    return box;
}

template <size_t N> void FillFields(std::array<QLineEdit*, N>& fields, const std::array<std::string, N>& values) {
    for (size_t i = 0; i < N; ++i) {
        fields[i]->setText(FromCp932(values[i]));
    }
}

template <size_t N> void CollectFields(const std::array<QLineEdit*, N>& fields, std::array<std::string, N>& values) {
    for (size_t i = 0; i < N; ++i) {
        values[i] = ToCp932OrThrow(fields[i]->text());
    }
}

} // namespace

DataPage::DataPage(QWidget* parent) : SettingsPage(parent) {
    auto* folderBox = new QGroupBox(QStringLiteral("ﾌｫﾙﾀﾞ"));
    auto* folderGrid = new QGridLayout(folderBox);
    const char* const names[] = {"DatDir", "TmpDir", "DatDir2", "DatDir3"};
    for (int i = 0; i < 4; ++i) {
        folders_[static_cast<size_t>(i)] = AddBrowseRow(folderGrid, i, kFolderCaptions[static_cast<size_t>(i)],
                                                        ChooseFolderInto, QString::fromLatin1(names[i]));
    }

    auto* labelBox = new QGroupBox(QStringLiteral("項目"));
    auto* labelRow = new QHBoxLayout(labelBox);
    labelRow->addWidget(LabelGroup(QStringLiteral("現場"), caseLabels_, "Case"));
    auto* fileLabels = new QVBoxLayout;
    fileLabels->addWidget(LabelGroup(QStringLiteral("座標"), xyzLabels_, "Xyz"));
    fileLabels->addWidget(LabelGroup(QStringLiteral("画地"), blkLabels_, "Blk"));
    fileLabels->addStretch();
    labelRow->addLayout(fileLabels);

    backup_ = new QCheckBox(QStringLiteral("ﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙを作成する(&B)"));
    backup_->setObjectName(QStringLiteral("Backup"));
    SetHint(backup_,
            QStringLiteral("上書保存の際のバックアップ|上書保存をするときに既存ファイルを「.Bak」としてリネーム"
                           "して残し，万一の際に備えます"));
    autoSave_ = new QCheckBox(QStringLiteral("オートセーブ(&S)"));
    autoSave_->setObjectName(QStringLiteral("AutoSave"));
    SetHint(autoSave_,
            QStringLiteral("停電などの異常終了のためのバックアップ|ボックスに入力した間隔ごとに，座標データと"
                           "画地データをバックアップし，異常終了の際に自動復元します"));
    interval_ = new QSpinBox;
    interval_->setObjectName(QStringLiteral("AutoSaveInterval"));
    interval_->setRange(0, kMaxIntervalMinutes);
    auto* autoSaveRow = new QHBoxLayout;
    autoSaveRow->addWidget(autoSave_);
    autoSaveRow->addWidget(interval_);
    autoSaveRow->addWidget(new QLabel(QStringLiteral("分ごとに行う")));
    autoSaveRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folderBox);
    layout->addWidget(labelBox);
    layout->addWidget(backup_);
    layout->addLayout(autoSaveRow);
    layout->addStretch();
}

// Folders are shown as the file system names them (a folder "現場〜2024" shows its 〜, which CP932
// holds as ～); the CP932 value is taken back unchanged while the field is.
void DataPage::fill(const Settings& values) {
    heldFolders_ = {values.Dir.DatDir, values.Dir.TmpDir, values.Dir.DatDir2, values.Dir.DatDir3};
    for (size_t i = 0; i < folders_.size(); ++i) {
        shownFolders_[i] = PathText(PathFromCp932(heldFolders_[i]));
        folders_[i]->setText(shownFolders_[i]);
    }
    FillFields(caseLabels_, values.Head.Case);
    FillFields(xyzLabels_, values.Head.Xyz);
    FillFields(blkLabels_, values.Head.Blk);
    backup_->setChecked(values.Data.Backup);
    autoSave_->setChecked(values.Data.AutoSave);
    interval_->setValue(values.Data.AutoSaveInterval);
}

void DataPage::collect(Settings& values) const {
    std::array<std::string, 4> folders;
    for (size_t i = 0; i < folders_.size(); ++i) {
        folders[i] = folders_[i]->text() == shownFolders_[i] ? heldFolders_[i] : folderForSettings(i);
    }
    values.Dir.DatDir = folders[0];
    values.Dir.TmpDir = folders[1];
    values.Dir.DatDir2 = folders[2];
    values.Dir.DatDir3 = folders[3];
    CollectFields(caseLabels_, values.Head.Case);
    CollectFields(xyzLabels_, values.Head.Xyz);
    CollectFields(blkLabels_, values.Head.Blk);
    values.Data.Backup = backup_->isChecked();
    values.Data.AutoSave = autoSave_->isChecked();
    values.Data.AutoSaveInterval = interval_->value();
}

// VEMO.ini is CP932: a folder whose name has no CP932 form cannot be kept there.
std::string DataPage::folderForSettings(size_t index) const {
    const QString text = folders_[index]->text().trimmed();
    if (auto bytes = ToCp932(text)) {
        return *bytes;
    }
    throw Error(msg::FolderNameNotCp932(ToCp932(kFolderCaptions[index]).value_or(std::string())));
}

ProgramsPage::ProgramsPage(QWidget* parent) : SettingsPage(parent) {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("タイトル")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("プログラム")), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("ヒント")), 0, 4);
    for (int n = 0; n < 5; ++n) {
        const size_t i = static_cast<size_t>(n);
        const int row = n + 1;
        grid->addWidget(new QLabel(QString::number(n + 1)), row, 0);
        titles_[i] = new QLineEdit;
        titles_[i]->setObjectName(QStringLiteral("Title%1").arg(n + 1));
        titles_[i]->setMaximumWidth(120);
        SetHint(titles_[i], QStringLiteral("|ボタンとメニューに表示する名前．空にすると「未登録」になります"));
        grid->addWidget(titles_[i], row, 1);
        // The path and its "参照" button take columns 2 and 3 (AddBrowseRow puts them at 1 and 2).
        auto* pathGrid = new QGridLayout;
        pathGrid->setContentsMargins(0, 0, 0, 0);
        programs_[i] = AddBrowseRow(pathGrid, 0, QString(), ChooseProgramInto, QStringLiteral("Program%1").arg(n + 1));
        grid->addLayout(pathGrid, row, 2, 1, 2);
        hints_[i] = new QLineEdit;
        hints_[i]->setObjectName(QStringLiteral("Pro%1Hint").arg(n + 1));
        grid->addWidget(hints_[i], row, 4);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(QStringLiteral("登録したプログラムは ｵﾌﾟｼｮﾝ メニュー，ツールバーのボタン，"
                                                "Ctrl+Shift+F1 ～ F5 で起動します．")));
    layout->addStretch();
}

void ProgramsPage::fill(const Settings& values) {
    FillFields(titles_, values.Programs.Title);
    FillFields(programs_, values.Programs.Program);
    FillFields(hints_, values.Programs.Hint);
}

void ProgramsPage::collect(Settings& values) const {
    CollectFields(titles_, values.Programs.Title);
    CollectFields(programs_, values.Programs.Program);
    CollectFields(hints_, values.Programs.Hint);
}

} // namespace vemo
