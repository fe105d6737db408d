#include "ui/traverse/TrvsWindow.h"

#include "core/settings/Settings.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/GridFont.h"
#include "ui/common/Workspace.h"
#include "ui/traverse/TrvsGrid.h"
#include "ui/traverse/TrvsHeaderPanel.h"
#include "ui/traverse/TrvsPlot.h"
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

namespace vemo {
namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

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

    auto* right = new QSplitter(Qt::Vertical, this);
    right->addWidget(listing_);
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
    traverseLayout->addWidget(split, 1);
    pages_ = new QStackedWidget(this);
    pages_->addWidget(traversePage_);
    pages_->addWidget(zub_);

    BuildMenus();
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
    layout->addWidget(status_);
    traverseTools_->installEventFilter(this);
    // The window is modal: while it is up, the wheel works the traverse plot wherever the pointer is.
    qApp->installEventFilter(new PlotWheelFilter(
        plot_, [plot = plot_](QPoint globalPos, int delta) { return plot->HandleWheel(globalPos, delta); }, plot_));

    connect(headerPanel_, &TrvsHeaderPanel::TypeChanged, this, [this](int type) { ApplyType(type); });
    connect(grid_, &TrvsGrid::SlopeDistanceLeft, this, [this] {
        if (plot_->RealTimeDrawing()) {
            Recompute();
        }
    });
    connect(plot_, &TrvsPlot::PointPicked, this, [this](const TrvsPick& pick) { TakePick(pick); });
    connect(plot_, &TrvsPlot::RecomputeRequested, this, &TrvsWindow::Recompute);
    connect(plot_, &TrvsPlot::HintChanged, status_,
            [this](const QString&, const QString& statusText) { status_->showMessage(statusText); });
    connect(zub_, &ZubEditorPanel::CaptionChanged, this, &TrvsWindow::SetCaption);
    connect(grid_, &TrvsGrid::Edited, this, &TrvsWindow::UpdateModifiedMark);
    connect(headerPanel_, &TrvsHeaderPanel::Edited, this, &TrvsWindow::UpdateModifiedMark);
    connect(zub_, &ZubEditorPanel::Edited, this, &TrvsWindow::UpdateModifiedMark);
    connect(headerPanel_, &TrvsHeaderPanel::Notice, status_,
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
    receiveZub_ = std::move(receive);
    UpdateEnabling();
}

QAction* TrvsWindow::AddAction(Command command, const char* caption, const QKeySequence& key,
                               std::function<void()> run) {
    auto* action = new QAction(U(caption), this);
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    connect(action, &QAction::triggered, this, [this, run = std::move(run)] { RunGuarded(run); });
    actions_[command] = action;
    addAction(action);
    return action;
}

void TrvsWindow::BuildMenus() {
    traverseMenus_ = new QMenuBar(this);
    zubMenus_ = new QMenuBar(this);
    traverseTools_ = new QToolBar(this);
    zubTools_ = new QToolBar(this);
    BuildTraverseMenus(traverseMenus_);
    BuildZubMenus(zubMenus_);
}

void TrvsWindow::BuildTraverseMenus(QMenuBar* bar) {
    using C = Command;
    QMenu* file = bar->addMenu(U("ファイル(&F)"));
    file->addAction(AddAction(C::New, "新規作成(&N)", {}, [this] {
        if (ConfirmDrop()) {
            NewTraverse();
        }
    }));
    file->addAction(AddAction(C::Open, "トラバースデータを開く(&O)", QKeySequence("Ctrl+O"), [this] {
        if (ConfirmDrop()) {
            OpenTrv();
        }
    }));
    file->addAction(AddAction(C::Save, "上書き保存(&S)", QKeySequence("Ctrl+S"), [this] { SaveTrv(false); }));
    file->addAction(AddAction(C::SaveAs, "名前を付けて保存(&A)...", {}, [this] { SaveTrv(true); }));
    file->addSeparator();
    file->addAction(AddAction(C::ToZub, "ZUB Editorへ移動(&C)", {}, [this] {
        if (ConfirmDrop()) {
            ShowZubEditor();
        }
    }));
    file->addSeparator();
    file->addAction(
        AddAction(C::InputListing, "入力データ印刷(&P)", QKeySequence("Ctrl+P"), [this] { AppendInputListing(); }));
    file->addAction(
        AddAction(C::ResultListing, "計算結果印刷", QKeySequence("Ctrl+Alt+P"), [this] { AppendResultListing(); }));
    file->addAction(AddAction(C::PrintListing, "リストの印刷...", {}, [this] { PrintListing(); }));
    file->addAction(AddAction(C::SaveListing, "リストをファイルに保存...", {}, [this] { SaveListing(); }));
    file->addSeparator();
    file->addAction(AddAction(C::AutoSave, "オートセーブファイルに強制保存", {}, [this] { ForceAutoSave(); }));
    file->addSeparator();
    file->addAction(AddAction(C::Close, "閉じる(&X)", {}, [this] { reject(); }));
    QMenu* edit = bar->addMenu(U("編集(&E)"));
    edit->addAction(AddAction(C::DeleteRow, "一行削除(&D)", QKeySequence("Ctrl+Delete"), [this] { DeleteRow(); }));
    edit->addAction(AddAction(C::InsertRow, "一行挿入(&I)", QKeySequence("Ctrl+Insert"), [this] { InsertRow(); }));
    edit->addAction(
        AddAction(C::ToggleTm, "タンニング・モード(&T)", QKeySequence(Qt::Key_Insert), [this] { ToggleTm(); }));
    QMenu* view = bar->addMenu(U("表示(&V)"));
    view->addAction(AddAction(C::ShowListing, "計算簿(&L)", QKeySequence("Ctrl+L"),
                              [this] { SetListingShown(Action(Command::ShowListing)->isChecked()); }));
    Action(C::ShowListing)->setToolTip(U("計算簿の表示(Ctrl+L)"));
    Action(C::ShowListing)
        ->setStatusTip(U("入力データと計算結果のリスト（計算簿）を表示します。印刷・保存はファイルメニューから"));
    view->addAction(AddAction(C::StationInput, "器械点・後視点入力", QKeySequence(Qt::Key_F5),
                              [this] { grid_->SetStationInput(Action(Command::StationInput)->isChecked()); }));
    view->addAction(AddAction(C::VerticalInput, "高度角入力", QKeySequence(Qt::Key_F6),
                              [this] { grid_->SetVerticalInput(Action(Command::VerticalInput)->isChecked()); }));
    view->addAction(AddAction(C::ZCalc, "Z 計算", QKeySequence(Qt::Key_F7),
                              [this] { SetZCalc(Action(Command::ZCalc)->isChecked()); }));
    view->addAction(AddAction(C::HeaderPanel, "基点データ", QKeySequence(Qt::Key_F8),
                              [this] { headerPanel_->setVisible(Action(Command::HeaderPanel)->isChecked()); }));
    for (Command c : {C::ShowListing, C::StationInput, C::VerticalInput, C::ZCalc, C::HeaderPanel}) {
        Action(c)->setCheckable(true);
    }
    Action(C::HeaderPanel)->setChecked(true);
    QMenu* calc = bar->addMenu(U("計算(&C)"));
    calc->addAction(AddAction(C::Precision, "精度計算(&P)", QKeySequence(Qt::Key_F9), [this] { ShowPrecision(); }));
    calc->addAction(AddAction(C::Register, "計算登録(&R)", QKeySequence(Qt::Key_F10), [this] { RegisterPoints(); }));
    Action(C::Register)->setToolTip(U("計算・座標登録(F10)"));
    Action(C::Register)->setStatusTip(U("トラバース計算後，座標をリストへ追加登録します"));

    const std::pair<Command, const char*> buttons[] = {
        {C::New, "新規"},     {C::ToggleTm, "TM切換"},    {C::StationInput, "基点入力"}, {C::VerticalInput, "高度入力"},
        {C::ZCalc, "Z 計算"}, {C::Precision, "精度計算"}, {C::Register, "計算登録"},     {C::ShowListing, "計算簿"},
        {C::Close, "閉じる"}};
    for (const auto& [command, caption] : buttons) {
        QAction* button = traverseTools_->addAction(U(caption));
        button->setCheckable(Action(command)->isCheckable());
        connect(button, &QAction::triggered, Action(command), [this, command] { Action(command)->trigger(); });
        connect(Action(command), &QAction::changed, button, [this, command, button] {
            button->setEnabled(Action(command)->isEnabled());
            button->setChecked(Action(command)->isChecked());
        });
    }
}

void TrvsWindow::BuildZubMenus(QMenuBar* bar) {
    using C = Command;
    QMenu* file = bar->addMenu(U("ファイル(&F)"));
    file->addAction(AddAction(C::ZubReceive, "野帳データ(ZUB)受信", {}, [this] {
        if (receiveZub_ && ConfirmDrop() && receiveZub_(workspace_.programFolder())) {
            zub_->Reload(workspace_.programFolder());
        }
    }));
    file->addAction(AddAction(C::ZubReload, "受信時に戻す", QKeySequence("Ctrl+Alt+Z"),
                              [this] { zub_->Reload(workspace_.programFolder()); }));
    file->addAction(AddAction(C::ZubOpen, "ZUBファイルを開く(&O)", QKeySequence("Ctrl+Alt+O"), [this] {
        if (ConfirmDrop()) {
            zub_->Open(SiteFolder());
        }
    }));
    file->addAction(AddAction(C::ZubSave, "上書き保存(&S)", QKeySequence("Ctrl+S"),
                              [this] { zub_->Save(SiteFolder(), workspace_.settings().Data.Backup, false); }));
    file->addAction(AddAction(C::ZubSaveAs, "名前を付けて保存(&A)...", QKeySequence("Ctrl+Alt+S"),
                              [this] { zub_->Save(SiteFolder(), workspace_.settings().Data.Backup, true); }));
    file->addSeparator();
    file->addAction(AddAction(C::ZubAutoSave, "オートセーブファイルに強制保存", {}, [this] { ForceAutoSave(); }));
    file->addSeparator();
    file->addAction(AddAction(C::ZubClose, "閉じる(&X)", {}, [this] { reject(); }));
    QMenu* edit = bar->addMenu(U("編集(&E)"));
    edit->addAction(AddAction(C::ZubDeleteRow, "一行削除", QKeySequence("Ctrl+Delete"), [this] { zub_->DeleteRow(); }));
    edit->addAction(AddAction(C::ZubInsertRow, "一行挿入", QKeySequence("Ctrl+Insert"), [this] { zub_->InsertRow(); }));
    QMenu* view = bar->addMenu(U("表示(&V)"));
    view->addAction(AddAction(C::ZubTransfer, "トラバー計算表へ転記(&T)", QKeySequence("Ctrl+T"), [this] {
        if (!ConfirmDrop()) {
            return;
        }
        zub_->Transfer(options_, known_, header_, table_);
        ShowTraverse();
        TraverseLoaded();
    }));
    view->addAction(AddAction(C::ZubToTraverse, "トラバー計算表へ移動(&C)", {}, [this] {
        if (!ConfirmDrop()) {
            return;
        }
        ShowTraverse();
        Reset();
    }));
    const std::pair<Command, const char*> buttons[] = {
        {C::ZubReceive, "受信"},  {C::ZubReload, "戻す"},     {C::ZubOpen, "開く"},   {C::ZubSave, "保存"},
        {C::ZubTransfer, "転記"}, {C::ZubToTraverse, "移動"}, {C::ZubClose, "閉じる"}};
    for (const auto& [command, caption] : buttons) {
        QAction* button = zubTools_->addAction(U(caption));
        connect(button, &QAction::triggered, Action(command), [this, command] { Action(command)->trigger(); });
        connect(Action(command), &QAction::changed, button,
                [this, command, button] { button->setEnabled(Action(command)->isEnabled()); });
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

// A new traverse of the current mode, the options read again.
void TrvsWindow::Reset() {
    ReadOptions();
    if (mode_ == Mode::ZubEditor) {
        zub_->Clear();
        return;
    }
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

void TrvsWindow::UpdateEnabling() {
    const bool traverse = mode_ == Mode::Traverse;
    for (auto& [command, action] : actions_) {
        action->setEnabled(traverse == (command < Command::ZubReceive));
    }
    const bool closedOrConnected = header_.TrvsType == kTrvsClosed || header_.TrvsType == kTrvsConnected;
    Action(Command::Precision)->setEnabled(traverse && closedOrConnected);
    Action(Command::ToggleTm)->setEnabled(traverse && header_.TrvsType != kTrvsRadial);
    // The listings show the panel when they write into it; printing and saving need it shown.
    for (Command c : {Command::PrintListing, Command::SaveListing}) {
        Action(c)->setEnabled(traverse && !listing_->isHidden());
    }
    Action(Command::ShowListing)->setChecked(!listing_->isHidden());
    Action(Command::ZubReceive)->setEnabled(!traverse && static_cast<bool>(receiveZub_));
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
    zub_->Clear();
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
    if (auto* split = qobject_cast<QSplitter*>(listing_->parentWidget()); split != nullptr && on) {
        const int height = split->height();
        split->setSizes({height * 2 / 5, height - height * 2 / 5}); // the listing above, the plot below
    }
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
