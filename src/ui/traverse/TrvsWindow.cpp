#include "ui/traverse/TrvsWindow.h"

#include "core/settings/Settings.h"
#include "core/text/MessagesTrvsWindow.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/GridFont.h"
#include "ui/common/StatusNotice.h"
#include "ui/common/Workspace.h"
#include "ui/traverse/SurveyClassBox.h"
#include "ui/traverse/TrvsCommandRow.h"
#include "ui/traverse/TrvsGrid.h"
#include "ui/traverse/TrvsHeaderPanel.h"
#include "ui/traverse/TrvsPlot.h"
#include "ui/traverse/TrvsWindowMode.h"
#include "ui/traverse/ZubEditorController.h"
#include "ui/traverse/ZubEditorPanel.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace vemo {
namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

// The traverse mode's content: the header and table of the window.
class TrvsWindow::TraverseMode final : public TrvsWindowMode {
public:
    explicit TraverseMode(TrvsWindow& window) : window_(window) {}
    bool Modified() const override { return window_.TraverseBytes() != window_.savedTrvBytes_; }
    std::string UnsavedQuestion() const override { return msg::TraverseUnsaved(); }
    void Save() override { window_.SaveTrv(false); }
    void AutoSave(bool forced) override { window_.AutoSaveTraverse(forced); }
    void Clear() override { window_.ResetTraverse(); }

private:
    TrvsWindow& window_;
};

TrvsWindow::TrvsWindow(Workspace& workspace, QWidget* parent)
    : QDialog(parent), workspace_(workspace), known_(workspace.store()) {
    setObjectName("TrvsForm");
    setProperty("helpContext", 30); // F1: its page of the help book (the ZUB Editor has its own)
    setModal(true);
    resize(1180, 760);
    headerPanel_ = new TrvsHeaderPanel(header_, this);
    grid_ = new TrvsGrid(table_, header_, this);
    listing_ = new QPlainTextEdit(this);
    listing_->setLineWrapMode(QPlainTextEdit::NoWrap);
    listing_->setFont(GridFont(9));
    listing_->hide();
    plot_ = new TrvsPlot(workspace.store(), state_, header_, table_, this);
    zub_ = new ZubEditorPanel(this);
    // Made after the table, so that Enter from the last header field goes on into the table.
    classBox_ = new SurveyClassBox(this);
    traverseMode_ = std::make_unique<TraverseMode>(*this);
    zubEditor_ = std::make_unique<ZubEditorController>(workspace, *zub_, [this] { return SiteFolder(); });

    // The 計算簿 with its print and save buttons over it (they are added with the commands).
    listingPanel_ = new QWidget(this);
    auto* listingLayout = new QVBoxLayout(listingPanel_);
    listingLayout->setContentsMargins(0, 0, 0, 0);
    listingLayout->setSpacing(1);
    listingTools_ = new QToolBar(listingPanel_);
    listingLayout->addWidget(listingTools_);
    listingLayout->addWidget(listing_, 1);
    listingPanel_->hide();
    auto* right = new QSplitter(Qt::Vertical, this);
    right->addWidget(listingPanel_);
    auto* plotPanel = new QWidget(this);
    auto* plotLayout = new QVBoxLayout(plotPanel);
    plotLayout->setContentsMargins(0, 0, 0, 0);
    plotLayout->addWidget(plot_->ButtonBar());
    plotLayout->addWidget(plot_, 1);
    right->addWidget(plotPanel);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(grid_);
    split->addWidget(right);
    split->setSizes({560, 600});
    traversePage_ = new QWidget(this);
    auto* traverseLayout = new QVBoxLayout(traversePage_);
    traverseLayout->setContentsMargins(0, 0, 0, 0);
    traverseLayout->addWidget(headerPanel_);
    traverseLayout->addWidget(classBox_);
    traverseLayout->addWidget(split, 1);
    pages_ = new QStackedWidget(this);
    pages_->addWidget(traversePage_);
    pages_->addWidget(zub_);

    BuildCommands();
    listingTools_->addAction(Action(Command::PrintListing));
    listingTools_->addAction(Action(Command::SaveListing));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    layout->addWidget(traverseMenus_);
    layout->addWidget(zubMenus_);
    layout->addWidget(traverseTools_);
    layout->addWidget(zubTools_);
    layout->addWidget(pages_, 1);
    status_ = new QStatusBar(this);
    status_->setSizeGripEnabled(false);
    SetStatusNoticeSink(this, [this](const QString& text) { status_->showMessage(text); });
    layout->addWidget(status_);
    traverseTools_->installEventFilter(this);
    // The window is modal: while it is up, the wheel works the traverse plot wherever the pointer is.
    qApp->installEventFilter(new PlotWheelFilter(
        plot_, [plot = plot_](QPoint globalPos, int delta) { return plot->HandleWheel(globalPos, delta); }, plot_));

    connect(headerPanel_, &TrvsHeaderPanel::typeChanged, this, [this](int type) { ApplyType(type); });
    connect(grid_, &TrvsGrid::slopeDistanceLeft, this, [this] {
        if (plot_->RealTimeDrawing()) {
            Recompute();
        }
    });
    connect(plot_, &TrvsPlot::pointPicked, this, [this](const TrvsPick& pick) { TakePick(pick); });
    connect(plot_, &TrvsPlot::recomputeRequested, this, &TrvsWindow::Recompute);
    connect(plot_, &TrvsPlot::hintChanged, status_,
            [this](const QString&, const QString& statusText) { status_->showMessage(statusText); });
    connect(zub_, &ZubEditorPanel::captionChanged, this, &TrvsWindow::SetCaption);
    connect(grid_, &TrvsGrid::edited, this, &TrvsWindow::UpdateModifiedMark);
    connect(headerPanel_, &TrvsHeaderPanel::edited, this, &TrvsWindow::UpdateModifiedMark);
    connect(classBox_, &SurveyClassBox::edited, this, [this] { RunGuarded([this] { KeepSurveyClass(); }); });
    connect(zub_, &ZubEditorPanel::edited, this, &TrvsWindow::UpdateModifiedMark);
    connect(headerPanel_, &TrvsHeaderPanel::notice, status_,
            [this](const QString& text) { status_->showMessage(text); });
    Reset(); // reads the options first
}

TrvsWindow::~TrvsWindow() {
    // Children going down with the window may still emit (a field giving up its focus); no slot of
    // this window may answer them once it is being destroyed.
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
    }
}

void TrvsWindow::SetZubReceiver(std::function<bool(const std::string&)> receive) {
    zubEditor_->SetReceiver(std::move(receive));
    UpdateEnabling();
}

TrvsWindowMode& TrvsWindow::ShownMode() const {
    return mode_ == Mode::ZubEditor ? static_cast<TrvsWindowMode&>(*zubEditor_) : *traverseMode_;
}

QAction* TrvsWindow::AddAction(const TrvsCommandRow& row) {
    auto* action = new QAction(U(row.caption), this);
    if (!row.key.isEmpty()) {
        action->setShortcut(row.key);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    action->setCheckable(row.tick != TrvsCommandRow::Tick::None);
    action->setChecked(row.tick == TrvsCommandRow::Tick::On);
    if (row.toolTip != nullptr) {
        action->setToolTip(U(row.toolTip));
    }
    if (row.statusTip != nullptr) {
        action->setStatusTip(U(row.statusTip));
    }
    const QString stepName = row.stepName != nullptr ? U(row.stepName) : QString();
    connect(action, &QAction::triggered, this, [this, run = row.run, drops = row.dropsContent, stepName] {
        RunGuarded(
            [this, run, drops] {
                if (!drops || ConfirmDrop()) {
                    run(*this);
                }
            },
            stepName);
    });
    actions_[row.command] = action;
    addAction(action);
    return action;
}

// A tool button is an action of its own that triggers the command's and follows its state.
void TrvsWindow::AddToolButton(QToolBar* bar, const TrvsCommandRow& row) {
    QAction* command = Action(row.command);
    QAction* button = bar->addAction(U(row.button));
    button->setCheckable(command->isCheckable());
    connect(button, &QAction::triggered, command, [command] { command->trigger(); });
    connect(command, &QAction::changed, button, [command, button] {
        button->setEnabled(command->isEnabled());
        button->setChecked(command->isChecked());
    });
}

void TrvsWindow::BuildCommands() {
    traverseMenus_ = new QMenuBar(this);
    zubMenus_ = new QMenuBar(this);
    traverseTools_ = new QToolBar(this);
    zubTools_ = new QToolBar(this);
    std::map<std::pair<Mode, std::string>, QMenu*> menus;
    std::vector<const TrvsCommandRow*> buttons;
    for (const TrvsCommandRow& row : CommandTable()) {
        QMenu*& menu = menus[{row.mode, row.menu}];
        if (menu == nullptr) {
            menu = (row.mode == Mode::Traverse ? traverseMenus_ : zubMenus_)->addMenu(U(row.menu));
        }
        if (row.separatorBefore) {
            menu->addSeparator();
        }
        menu->addAction(AddAction(row));
        if (row.button != nullptr) {
            buttons.push_back(&row);
        }
    }
    std::ranges::stable_sort(buttons, {}, &TrvsCommandRow::buttonPlace);
    for (const TrvsCommandRow* row : buttons) {
        AddToolButton(row->mode == Mode::Traverse ? traverseTools_ : zubTools_, *row);
    }
}

void TrvsWindow::ReadOptions() {
    const Settings::TrvsKeys keys = LoadTrvsOptions(workspace_.settingsPath());
    options_.ErrDiv = keys.ErrDiv;
    options_.HowDirAgl = keys.HowDirAgl;
    options_.Ver0 = keys.Ver0;
    options_.InputTpBk = keys.InputTpBk;
    options_.InputVer = keys.InputVer;
    options_.ZCalc = keys.ZCalc;
    options_.DColor = keys.DColor;
    options_.TColor = keys.TColor;
    options_.OColor = keys.OColor;
    options_.KTColor = keys.KTColor;
    options_.KColor = keys.KColor;
    options_.BlunderAngle = keys.BlunderAngle;
    options_.BlunderRatio = keys.BlunderRatio;
    workspace_.settings().Trvs = keys;
    const bool upper = workspace_.settings().Key.UpperChr;
    headerPanel_->SetContext(&known_, upper);
    grid_->SetContext(&known_, &options_, upper);
    plot_->SetOptions(options_, workspace_.settings());
}

void TrvsWindow::Prepare() {
    ReadOptions();
    SetZCalc(options_.ZCalc);
    if (workspace_.settings().Trvs.ZUB) {
        ShowZubEditor();
    } else {
        ShowTraverse();
        plot_->NewShowing();
        Reset();
    }
}

void TrvsWindow::Exec() {
    Prepare();
    exec();
}

void TrvsWindow::Reset() {
    ReadOptions();
    ShownMode().Clear();
    status_->clearMessage(); // what the last showing did is not this traverse's
}

void TrvsWindow::ResetTraverse() {
    classBox_->setSurveyClass({});
    table_.Reset();
    header_.Reset(options_, TodayText());
    Action(Command::StationInput)->setChecked(options_.InputTpBk != 0);
    Action(Command::VerticalInput)->setChecked(options_.InputVer != 0);
    grid_->SetStationInput(options_.InputTpBk != 0);
    grid_->SetVerticalInput(options_.InputVer != 0);
    ApplyType(header_.TrvsType);
    grid_->SetCursor(1, kTrvColTarget);
    Recompute();
    MarkTraverseSaved();
}

void TrvsWindow::ApplyType(int trvsType) {
    header_.TrvsType = trvsType;
    table_.ApplyType(trvsType);
    ShowType();
}

// The header, table and commands follow the type as it stands; the rows keep their TM letters.
void TrvsWindow::ShowType() {
    headerPanel_->Push();
    grid_->Refill();
    UpdateEnabling();
    plot_->update();
}

void TrvsWindow::SetZCalc(bool on) {
    table_.SetZCalc(on);
    Action(Command::ZCalc)->setChecked(on);
    headerPanel_->SetZShown(on);
    grid_->Refill();
}

// The commands of the mode shown follow their rules; the other mode's are off, so that a key both
// modes use (Ctrl+S) reaches one command.
void TrvsWindow::UpdateEnabling() {
    for (const TrvsCommandRow& row : CommandTable()) {
        Action(row.command)->setEnabled(row.mode == mode_ && (row.enabled == nullptr || row.enabled(*this)));
    }
    Action(Command::ShowListing)->setChecked(!listing_->isHidden());
}

void TrvsWindow::SetCaption(const QString& caption) {
    caption_ = caption;
    UpdateModifiedMark();
}

void TrvsWindow::UpdateModifiedMark() {
    const bool modified = Modified();
    setWindowTitle(modified ? caption_ + U(" *") : caption_);
}

void TrvsWindow::ShowZubEditor() {
    mode_ = Mode::ZubEditor;
    ReadOptions();
    pages_->setCurrentWidget(zub_);
    traverseMenus_->hide();
    traverseTools_->hide();
    zubMenus_->show();
    zubTools_->show();
    zubEditor_->Clear();
    MarkZubByClass();
    SetCaption(zub_->Caption());
    UpdateEnabling();
}

void TrvsWindow::ShowTraverse() {
    mode_ = Mode::Traverse;
    ReadOptions();
    pages_->setCurrentWidget(traversePage_);
    zubMenus_->hide();
    zubTools_->hide();
    traverseMenus_->show();
    traverseTools_->show();
    SetCaption(U("トラバース計算"));
    UpdateEnabling();
}

void TrvsWindow::SetListingShown(bool on) {
    listing_->setVisible(on);
    listingPanel_->setVisible(on);
    if (auto* split = qobject_cast<QSplitter*>(listingPanel_->parentWidget()); split != nullptr && on) {
        const int height = split->height();
        split->setSizes({height * 2 / 5, height - height * 2 / 5}); // the listing above, the plot below
    }
    // The splitter gives the plot its new size when it next lays out (at once or after the events
    // already posted): the traverse is fitted to that size.
    QMetaObject::invokeMethod(
        plot_, [this] { plot_->KeepFitted(); }, Qt::QueuedConnection);
    UpdateEnabling();
}

bool TrvsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == traverseTools_ && event->type() == QEvent::MouseButtonDblClick) {
        SetListingShown(!!listing_->isHidden());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Enter moves to the next field and Esc to the previous one, as on a paper form; neither closes the
// window, which would lose the traverse.
void TrvsWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        focusNextChild();
        return;
    case Qt::Key_Escape:
        focusPreviousChild();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

// The status tips of the menus and buttons go to the window's own status bar.
bool TrvsWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        status_->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QDialog::event(event);
}

void TrvsWindow::done(int result) {
    if (!ConfirmDrop()) {
        return;
    }
    AutoSave();
    QDialog::done(result);
}

} // namespace vemo
