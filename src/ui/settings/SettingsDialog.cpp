#include "ui/settings/SettingsDialog.h"

#include "core/settings/DialogValues.h"
#include "core/text/MessagesSettings.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Workspace.h"
#include "ui/settings/FileAssociation.h"
#include "ui/settings/FolderCheck.h"
#include "ui/settings/SettingsPages.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace vemo {
namespace {

// The preset keys work while the OK button has the focus, so that they never collide with the keys
// of a field.
std::optional<int> PresetOfKey(const QKeyEvent& key) {
    if (key.modifiers() != Qt::ControlModifier) {
        return std::nullopt;
    }
    switch (key.key()) {
    case Qt::Key_F1:
        return 0;
    case Qt::Key_F2:
        return 1;
    case Qt::Key_F3:
        return 2;
    default:
        return std::nullopt;
    }
}

} // namespace

SettingsDialog::SettingsDialog(Workspace& workspace, QWidget* parent) : QDialog(parent), workspace_(workspace) {
    setObjectName(QStringLiteral("SettingsDialog"));
    setWindowTitle(QStringLiteral("環境設定"));
    setModal(true);
    data_ = new DataPage;
    look_ = new LookPage;
    other_ = new OtherPage;
    all_ = {data_, new ProgramsPage, look_, other_, new TraversePage};
    pages_ = new QTabWidget;
    const char* const titles[] = {"データ", "実行ファイル", "測点イメージ", "RS-232C/その他", "トラバース計算"};
    for (size_t i = 0; i < all_.size(); ++i) {
        all_[i]->setProperty("helpContext", kPageHelpContexts[i]);
        pages_->addTab(all_[i], QString::fromUtf8(titles[i]));
    }
    auto* buttons = new QDialogButtonBox;
    ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("OkButton"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    // F1 on the buttons shows the topic of the page in front.
    setProperty("helpContext", kPageHelpContexts[0]);
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(kPageHelpContexts.size())) {
            setProperty("helpContext", kPageHelpContexts[static_cast<size_t>(index)]);
        }
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SettingsDialog::reject);
    ok_->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(buttons);

    // The fields are filled once, with the values the program is using: an OK without a change
    // changes nothing (a first run included, and a file that was readable only in part).
    fill(workspace_.settings());

    connect(other_->simaLink(), &QCheckBox::toggled, this, [this](bool on) { associate(0, on); });
    connect(other_->xyzLink(), &QCheckBox::toggled, this, [this](bool on) { associate(1, on); });
}

void SettingsDialog::fill(const Settings& values) {
    for (SettingsPage* page : all_) {
        page->fill(values);
    }
}

Settings SettingsDialog::fieldValues() const {
    Settings values = workspace_.settings();
    for (SettingsPage* page : all_) {
        page->collect(values);
    }
    return values;
}

void SettingsDialog::accept() {
    if (writeAndApply()) {
        QDialog::accept();
    }
}

bool SettingsDialog::writeAndApply() {
    const BusyCursor busy;
    bool written = true;
    return RunCommand(
               [this, &written] {
                   // Every field is read before anything changes: a field that cannot be stored stops OK
                   // with nothing applied and nothing written.
                   const Settings values = fieldValues();
                   if (QLineEdit* refused = CheckFolders(*data_, values.Dir)) {
                       pages_->setCurrentWidget(data_);
                       refused->setFocus();
                       refused->selectAll();
                       written = false;
                       return;
                   }
                   // The workspace takes the values only once they are in the file: a file that
                   // cannot be written leaves the program running on what it had.
                   Settings taken = workspace_.settings();
                   TakeDialogValues(taken, values);
                   SaveDialogSettings(workspace_.settingsPath(), taken);
                   workspace_.settings() = std::move(taken);
                   workspace_.store().names.TmpDir = workspace_.settings().Dir.TmpDir;
                   workspace_.announceSettings();
               },
               this) &&
           written;
}

// An association box: registered or withdrawn at once; the flag is written only when that worked,
// otherwise the box goes back and the surveyor is told why.
void SettingsDialog::associate(int type, bool on) {
    Settings& settings = workspace_.settings();
    // The boxes stand for SIMA files and the program's own coordinate files, in this order.
    const FileKind changed = type == 0 ? FileKind::Sima : FileKind::Native;
    const bool sima = changed == FileKind::Sima ? on : settings.Data.SIMALnk;
    const bool xyz = changed == FileKind::Native ? on : settings.Data.XyzLnk;
    std::vector<FileKind> wanted;
    if (sima) {
        wanted.push_back(FileKind::Sima);
    }
    if (xyz) {
        wanted.push_back(FileKind::Native);
    }
    const BusyCursor busy;
    const QString failure = UpdateFileAssociation(changed, wanted, QCoreApplication::applicationFilePath());
    if (!failure.isEmpty()) {
        QCheckBox* box = changed == FileKind::Sima ? other_->simaLink() : other_->xyzLink();
        const QSignalBlocker quiet(box);
        box->setChecked(!on);
        MessageBox::Show(this, FromCp932(msg::AssociationFailed(on, "%1")).arg(failure), MessageBox::Kind::Error);
        return;
    }
    RunCommand(
        [&] {
            if (changed == FileKind::Sima) {
                settings.Data.SIMALnk = on;
                SaveSimaLink(workspace_.settingsPath(), on);
            } else {
                settings.Data.XyzLnk = on;
                SaveXyzLink(workspace_.settingsPath(), on);
            }
        },
        this);
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ok_ && event->type() == QEvent::KeyPress) {
        if (auto preset = PresetOfKey(*static_cast<QKeyEvent*>(event))) {
            look_->applyPreset(*preset);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Enter moves on to the next field, as in the rest of the program, whatever has the focus; a button
// (参照, a colour, OK) is pressed with Space.  Buttons here are never default buttons, so Enter in a
// field never writes every page and closes the dialog.
void SettingsDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SettingsDialog::showEvent(QShowEvent* event) {
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    QDialog::showEvent(event);
}

} // namespace vemo
