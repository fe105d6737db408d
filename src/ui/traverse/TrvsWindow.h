#pragma once

#include "core/print/ReportLine.h"
#include "core/traverse/TrvsBlunder.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenuBar;
class QPlainTextEdit;
class QStackedWidget;
class QStatusBar;
class QToolBar;

namespace vemo {

class SurveyClassBox;
struct TrvsCommandRow;
class TrvsGrid;
class TrvsHeaderPanel;
class TrvsPlot;
struct TrvsPick;
class TrvsWindowMode;
class Workspace;
class ZubEditorController;
class ZubEditorPanel;

// The traverse window: the traverse table with its header, the listing panel and the traverse plot,
// or, in its second mode, the ZUB Editor showing a field book one record per row.  A modal window
// opened from the calculation menu; every showing starts a new traverse, so whatever the surveyor
// wants to keep is saved as a ".Trv" file: unsaved work is marked in the caption and asked about
// before it is dropped.  "Auto.Trv" (or "Auto.ZUB") is written when the content changed since it was
// loaded, saved or auto-saved: at a computation, at the main window's tick and at close.
// The commands of both modes are the rows of CommandTable(); the ZUB Editor mode is a
// ZubEditorController, and what differs between the modes goes through TrvsWindowMode.
class TrvsWindow : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Traverse, ZubEditor };
    enum class Command {
        New,
        Open,
        Save,
        SaveAs,
        ToZub,
        InputListing,
        AutoSave,
        DeleteRow,
        InsertRow,
        ToggleTm,
        StationInput,
        VerticalInput,
        ZCalc,
        HeaderPanel,
        Precision,
        Register,
        ResultListing,
        ShowListing,
        PrintListing,
        SaveListing,
        Close,
        ZubReceive,
        ZubReload,
        ZubOpen,
        ZubSave,
        ZubSaveAs,
        ZubTransfer,
        ZubToTraverse,
        PrecisionSheet,
        PrecisionSheetHeading,
        ZubCheck,
        ZubTransferDirect,
        ZubAutoSave,
        ZubDeleteRow,
        ZubInsertRow,
        ZubClose
    };

    explicit TrvsWindow(Workspace& workspace, QWidget* parent = nullptr);
    ~TrvsWindow() override;

    // Receiving a field book over the serial line into "Temp.ZUB"; true when it ended complete.
    // Without a receiver the command stays disabled.
    void SetZubReceiver(std::function<bool(const std::string& exeDir)> receive);

    // The calculation menu's command: options read, mode from [Trvs] ZUB, a fresh table, shown modally.
    void Exec();
    // Everything Exec does before the modal loop (tests show the window without blocking).
    void Prepare();

    Mode CurrentMode() const { return mode_; }
    QAction* Action(Command command) const { return actions_.at(command); }
    TrvsHeader& Header() { return header_; }
    TrvsTable& Table() { return table_; }
    const TrvsState& State() const { return state_; }
    const TrvsOptions& Options() const { return options_; }
    TrvsGrid* Grid() const { return grid_; }
    TrvsHeaderPanel* HeaderPanel() const { return headerPanel_; }
    TrvsPlot* Plot() const { return plot_; }
    ZubEditorPanel* ZubEditor() const { return zub_; }
    QPlainTextEdit* ListingPanel() const { return listing_; }
    // The class the traverse is judged by, kept beside its ".Trv".
    SurveyClassBox* ClassBox() const { return classBox_; }
    // The buttons over the listing: リストの印刷..., リストをファイルに保存...
    QToolBar* ListingTools() const { return listingTools_; }
    // The long parts of the hints of the window and its plot.
    QStatusBar* StatusBar() const { return status_; }
    const std::string& TrvPath() const { return trvPath_; }

    // The commands with a file named (the dialogs' part is left out).
    void OpenTrvFile(const std::string& path);
    void SaveTrvFile(const std::string& path);
    void SetListingShown(bool on);
    // The listing panel's lines (CP932), and printed straight into a PDF file.
    std::vector<std::string> ListingLines() const;
    void PrintListingToPdf(const QString& path);
    // The 精度管理表 of the traverse (and of the field book held by the ZUB Editor) into a PDF file.
    void PrintPrecisionSheetToPdf(const QString& path);
    void ShowZubEditor();
    void ShowTraverse();
    // After a ZUB transfer or a load: the table shows the traverse held, the plot follows.
    void TraverseLoaded();
    void SetZCalc(bool on);
    // The auto-save of the current mode ("Auto.Trv", "Auto.ZUB"): written only when the content
    // changed since it was loaded, saved or auto-saved, and never with an empty table.
    void AutoSave();
    // The forced auto-save command: also an unchanged content, never an empty table.
    void ForceAutoSave();
    // The current mode's content differs from the file last opened or saved (the caption shows " *").
    bool Modified() const;
    // Recomputes the unadjusted traverse and fits the plot (real-time drawing, "描画").
    void Recompute();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TraverseMode;

    // TrvsCommandTable.cpp: every command of both modes.
    static const std::vector<TrvsCommandRow>& CommandTable();

    // TrvsWindow.cpp: layout, menus, mode and reset.
    void BuildCommands();
    QAction* AddAction(const TrvsCommandRow& row);
    void AddToolButton(QToolBar* bar, const TrvsCommandRow& row);
    TrvsWindowMode& ShownMode() const;
    void ReadOptions();
    // A new traverse or field book in the mode shown, the options read again.
    void Reset();
    void ResetTraverse();
    void ApplyType(int trvsType);
    void ShowType();
    void UpdateEnabling();
    void SetCaption(const QString& caption);
    void UpdateModifiedMark();
    // Before the current content is dropped (close, new, open, mode change): asks 保存 / 保存しない /
    // キャンセル when it is unsaved; true when the command may go on.
    bool ConfirmDrop();
    void MarkTraverseSaved();
    std::string TraverseBytes() const;

    // TrvsWindowCommands.cpp: the commands.
    // A command of the window; what it changes in the coordinate list is one undo step (`stepName`).
    void RunGuarded(const std::function<void()>& command, const QString& stepName = {});
    TrvsInput Input() const;
    QString SiteFolder() const;
    void NewTraverse();
    void OpenTrv();
    void SaveTrv(bool askName);
    void ShowPrecision();
    void WarnOfBlunder(const TrvsPrecision& precision);
    TrvsBlunderLimits BlunderLimits() const;
    bool AcceptUnplacedEnds(bool ask);
    void RegisterPoints();
    void AppendInputListing();
    void AppendResultListing();
    void AppendListing(const std::vector<std::string>& lines);
    // After 精度計算 and 計算登録: the computation's input data and results into the 計算簿, shown.
    void WriteComputationListing();
    void PrintListing();
    void SaveListing();
    void InsertRow();
    void DeleteRow();
    void ToggleTm();
    void AutoSaveTraverse(bool forced);

    // TrvsWindowPrecision.cpp: the judgement by the class of the traverse.
    // The judgement lines of the current traverse (with the located blunder when it fails); nothing
    // without a class or without a closed or connected result.
    std::vector<std::string> JudgementListing() const;
    // The located blunder when the traverse fails its class (or, without one, the gross check).
    std::string LocatedBlunder() const;
    // Before registering: a traverse failing its class asks first, naming what fails.  True to go on.
    bool AcceptFailingClass();
    // The class kept beside the traverse file, when there is one.
    void KeepSurveyClass();
    void LoadSurveyClass();
    // The 精度管理表: previewed for printing; the field book's check table in a box.
    void PrintPrecisionSheet();
    // The heading of the 精度管理表 typed in its dialog and kept beside the traverse file.
    void EditPrecisionSheetHeading();
    std::vector<ReportLine> PrecisionSheetReport() const;
    void ShowZubCheck();
    // The ZUB Editor marks the readings over the limits of the traverse's class.
    void MarkZubByClass();
    // After a transfer: the stations of the field book that exceed the limits of the class, if any.
    void WarnOfFailingStations();

    // TrvsPickDispatch.cpp: a point picked on the plot.
    void TakePick(const TrvsPick& pick);

    Workspace& workspace_;
    TrvsHeader header_;
    TrvsTable table_;
    TrvsState state_;
    TrvsOptions options_;
    TrvsKnownPoints known_;
    Mode mode_ = Mode::Traverse;
    std::string trvPath_;
    QString caption_;
    std::string savedTrvBytes_; // the traverse as last opened or saved (or reset)
    std::string autoTrvBytes_;  // ... or as last written to "Auto.Trv"
    std::unique_ptr<TrvsWindowMode> traverseMode_;
    std::unique_ptr<ZubEditorController> zubEditor_;

    std::map<Command, QAction*> actions_;
    QMenuBar* traverseMenus_ = nullptr;
    QMenuBar* zubMenus_ = nullptr;
    QToolBar* traverseTools_ = nullptr;
    QToolBar* zubTools_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QWidget* traversePage_ = nullptr;
    TrvsHeaderPanel* headerPanel_ = nullptr;
    SurveyClassBox* classBox_ = nullptr;
    TrvsGrid* grid_ = nullptr;
    QPlainTextEdit* listing_ = nullptr;
    QWidget* listingPanel_ = nullptr; // the listing under its print and save buttons
    QToolBar* listingTools_ = nullptr;
    TrvsPlot* plot_ = nullptr;
    ZubEditorPanel* zub_ = nullptr;
    QStatusBar* status_ = nullptr;
};

} // namespace vemo
