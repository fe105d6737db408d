#include "ui/main/ParcelEditorArea.h"

#include "core/files/FileFormat.h"
#include "core/parcels/AreaReports.h"
#include "core/parcels/ParcelArea.h"
#include "core/print/CoordinateListPrint.h"
#include "core/print/ReportHeading.h"
#include "ui/common/ApplicationTitle.h"
#include "ui/common/Cp932Text.h"
#include "ui/main/AreaSlot.h"
#include "ui/main/CommandSet.h"
#include "ui/main/KeyRules.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ToolRegistry.h"
#include "ui/main/TreeArea.h"
#include "ui/parcels/ParcelEditor.h"
#include "ui/parcels/SelectionPanel.h"
#include "ui/plot/PlotCanvas.h"
#include "ui/plot/PlotView.h"
#include "ui/print/ReportPrinter.h"
#include "ui/tree/ExchangeCommands.h"
#include "ui/tree/FileCommands.h"
#include "ui/tree/HeaderEditor.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPalette>
#include <QTableWidget>

namespace vemo {
namespace {

void PreviewLines(MainWindow& main, const QString& reportName, std::vector<ReportLine> lines,
                  const ReportHeading* heading = nullptr) {
    PreviewReport(
        &main, ApplicationTitle(),
        [&](QPrinter& printer, const PrintProgress& progress) {
            ReportPrinter::printLines(printer, lines, progress, heading);
        },
        reportName);
}

// 画地面積一覧 in the header editor, read-only on the button-face colour, without its cancel button.
void ShowAreaList(MainWindow& main, ParcelEditor* editor) {
    const Store& store = main.store();
    std::vector<int> covered = CoveredParcelPositions(store.blocks.Count(), editor->selectedPositions());
    QStringList lines;
    for (const std::string& line : AreaListLines(store.blocks, covered, store.Index())) {
        lines << FromCp932(line);
    }
    HeaderEditor& viewer = main.treeArea()->editor();
    // The editor last asked for a new folder's profile may still hold that question's line (a cancelled
    // 現場フォルダ作成 leaves it): the list shows under its own title only.
    viewer.prepareForEditing(QStringLiteral("画地面積一覧"));
    viewer.setText(lines.join(QChar('\n')));
    viewer.setReadOnly(true);
    viewer.setTextAreaColors(QApplication::palette().color(QPalette::Button),
                             QApplication::palette().color(QPalette::ButtonText));
    viewer.setCancelVisible(false);
    viewer.setCaret(0);
    viewer.run();
    viewer.prepareForEditing(QString());
}

// The parcel editor on the plot: the ring being typed dotted, the chosen parcel with its name, the
// point of the current row highlighted; a parcel clicked while the parcel list has the focus is loaded.
class ParcelPlotTool : public PlotLayer, public PlotClickTarget {
public:
    ParcelPlotTool(MainWindow& main, ParcelEditor* editor) : main_(main), editor_(editor) {}
    void PaintLayer(PlotCanvas& canvas) override {
        if (!main_.isAreaShown(Area::BlockEdit)) {
            return;
        }
        const PlotSettings& settings = canvas.Settings();
        int chosen = editor_->chosenParcel();
        const BlockList& blocks = main_.store().blocks;
        if (chosen >= 0 && chosen < blocks.Count()) {
            const Block& parcel = blocks.At(chosen);
            canvas.DrawOutline(ParcelRingNamesOf(parcel), settings.parcelHitColour, PlotPenMode::Copy,
                               PlotLineStyle::Solid);
            canvas.DrawParcelLabel(parcel.BlockName, settings.parcelHitColour, parcel.LabelX, parcel.LabelY);
        }
        canvas.DrawOutline(editor_->rows(), settings.ringColour, PlotPenMode::Copy, PlotLineStyle::Dotted);
        int row = editor_->grid()->currentRow();
        std::vector<std::string> rows = editor_->rows();
        if (row >= 0 && row < static_cast<int>(rows.size()) && !rows[row].empty()) {
            canvas.HighlightPoint(rows[row]);
        }
    }
    bool AcceptsParcelClick() const override {
        return main_.isAreaShown(Area::BlockEdit) && editor_->parcelList()->hasFocus();
    }
    void ParcelClicked(int position) override {
        editor_->parcelList()->setSelectionMode(QAbstractItemView::SingleSelection);
        editor_->loadParcel(position);
        editor_->parcelList()->setSelectionMode(QAbstractItemView::ExtendedSelection);
    }
    bool AcceptsPointClick() const override { return false; }
    void PointClicked(const std::string&) override {}

private:
    static std::vector<std::string> ParcelRingNamesOf(const Block& parcel) {
        std::vector<std::string> names = RingNames(parcel.NoList);
        if (!names.empty()) {
            names.push_back(names.front());
        }
        return names;
    }
    MainWindow& main_;
    ParcelEditor* editor_;
};

// The selection on the plot: every selected point highlighted while the panel is shown.
class SelectionPlotLayer : public PlotLayer {
public:
    SelectionPlotLayer(MainWindow& main, SelectionPanel* panel) : main_(main), panel_(panel) {}
    void PaintLayer(PlotCanvas& canvas) override {
        if (main_.isSelectionPanelShown()) {
            for (const std::string& name : panel_->names()) {
                canvas.HighlightPoint(name);
            }
        }
    }

private:
    MainWindow& main_;
    SelectionPanel* panel_;
};

void RepaintPlot(MainWindow& main) {
    if (PlotView* plot = main.plotView()) {
        plot->RePaint();
    }
}

// The editor's keys act only inside the editor (Ctrl+Home and Ctrl+Delete mean other things in the
// coordinate list), so the 画地 menu shows them without taking them over: a shortcut of an action that
// lives only in the menu.
void ShowEditorKeysInMenu(CommandSet& commands) {
    const std::pair<Cmd, const char*> keys[] = {
        {Cmd::BlkClear, "Ctrl+Home"}, {Cmd::BlkAdd, "Ctrl+Enter"}, {Cmd::BlkDel, "Ctrl+Del"}};
    for (const auto& [id, key] : keys) {
        QAction* action = commands.action(id);
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setShortcut(QKeySequence(QString::fromLatin1(key)));
    }
}

void ConnectParcelCommands(MainWindow& main, ParcelEditor* editor) {
    CommandSet& commands = main.commands();
    commands.connect(Cmd::BlkClear, [editor] { editor->clearParcel(); });
    commands.connect(Cmd::BlkAdd, [editor] { editor->addParcel(); });
    commands.connect(Cmd::BlkChange, [editor] { editor->changeParcel(); });
    commands.connect(Cmd::BlkDel, [editor] { editor->deleteParcel(); });
    commands.connect(Cmd::BlkAreaList, [&main, editor] { ShowAreaList(main, editor); });
    commands.connect(Cmd::BlkAreaPrint, [&main, editor] {
        const Store& store = main.store();
        std::vector<int> covered = CoveredParcelPositions(store.blocks.Count(), editor->selectedPositions());
        // A report handed to a client says on every sheet which site and data it is, when, and which sheet.
        const ReportHeading heading{store.names.CaseName, store.names.XyzName, ReportDateToday(), store.names.Source};
        PreviewLines(main, QStringLiteral("面積計算書"), AreaReportLines(store.blocks, covered, store.Index()),
                     &heading);
    });
    commands.connect(Cmd::BlkPrint, [&main] {
        PreviewLines(main, QStringLiteral("画地一覧"), ParcelListPrintLines(main.store().blocks));
    });
    commands.connect(Cmd::ListPrintAll, [&main] {
        CoordinateListPrint report = CoordinateListPrint::WholeList(main.store().xyz);
        PreviewReport(
            &main, ApplicationTitle(),
            [&](QPrinter& printer, const PrintProgress& progress) {
                ReportPrinter::printPages(printer, report, progress, main.store().names.Source);
            },
            QStringLiteral("座標リスト"));
    });
    QObject::connect(editor, &ParcelEditor::ringChanged, editor, [&main] { RepaintPlot(main); });
    QObject::connect(editor, &ParcelEditor::chosenParcelChanged, editor, [&main] { RepaintPlot(main); });
    QObject::connect(editor, &ParcelEditor::currentPointChanged, editor, [&main] { RepaintPlot(main); });
}

} // namespace

ParcelEditor* InstallParcelEditorArea(MainWindow& main) {
    auto* editor = new ParcelEditor(main.store());
    main.area(Area::BlockEdit)->setContent(editor);
    ConnectParcelCommands(main, editor);
    main.keyRules().leaveEnterAndEscapeTo(editor->grid());
    auto* tool = new ParcelPlotTool(main, editor);
    QObject::connect(editor, &QObject::destroyed, [tool] { delete tool; });
    ToolRegistration registration;
    registration.layer = tool;
    registration.layerOrder = PlotLayerOrder::kParcelEditor;
    registration.clickTarget = tool;
    registration.clickOrder = PlotClickOrder::kParcelEditor;
    PointNameTaker taker;
    taker.order = PlotClickOrder::kParcelEditor;
    taker.accepts = [&main, editor](PointSource) {
        return main.isAreaShown(Area::BlockEdit) && editor->grid()->hasFocus();
    };
    taker.take = [editor](const std::string& name) { editor->takePointName(name); };
    registration.pointNames = std::move(taker);
    registration.idle = [&main] {
        bool any = main.store().blocks.Count() > 0;
        main.commands().setEnabled(Cmd::BlkChange, any);
        main.commands().setEnabled(Cmd::BlkDel, any);
    };
    // New or loaded parcels empty the vertex editor; the link file takes the selected parcels.
    registration.files.newParcels = [editor] { editor->clearParcel(); };
    registration.files.parcelsLoaded = [editor] { editor->clearParcel(); };
    registration.files.selectedParcels = [editor] { return editor->selectedPositions(); };
    main.tools().add(editor, std::move(registration));
    ShowEditorKeysInMenu(main.commands());
    return editor;
}

SelectionPanel* InstallSelectionPanel(MainWindow& main, ParcelEditor* editor) {
    auto* panel = new SelectionPanel(main.store());
    main.selectionPanel()->setContent(panel);
    panel->setParcelSource([editor] { return editor->selectedPositions(); });
    panel->setImagePointSource([&main] {
        const PlotView* plot = main.plotView();
        return plot ? plot->DrawnPoints().names : std::vector<std::string>{};
    });
    main.keyRules().leaveEnterAndEscapeTo(panel->list());
    main.commands().connect(Cmd::EditXyzSelect, [&main, panel] {
        main.setSelectionPanelShown(!main.isSelectionPanelShown());
        if (main.isSelectionPanelShown()) {
            main.setAreaShown(Area::Plot, true);
            panel->list()->setFocus();
            // The panel takes the left edge of the plot area: lay it out now and put the pixel centre
            // in the middle of what is left, so the drawing does not hang off to one side.
            QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            if (PlotView* plot = main.plotView()) {
                plot->CentrePixelsOnNewArea();
            }
        }
        RepaintPlot(main);
    });
    QObject::connect(panel, &SelectionPanel::closeRequested, panel, [&main] {
        main.setSelectionPanelShown(false);
        RepaintPlot(main);
    });
    QObject::connect(panel, &SelectionPanel::selectionChanged, panel, [&main] { RepaintPlot(main); });
    QObject::connect(panel, &SelectionPanel::saveSimaRequested, panel, [&main](const std::vector<std::string>& names) {
        main.treeArea()->commands().exchange().saveSelection(FileKind::Sima, names);
    });
    QObject::connect(panel, &SelectionPanel::saveNichorenRequested, panel,
                     [&main](const std::vector<std::string>& names) {
                         main.treeArea()->commands().exchange().saveSelection(FileKind::Nichoren, names);
                     });
    auto* layer = new SelectionPlotLayer(main, panel);
    QObject::connect(panel, &QObject::destroyed, [layer] { delete layer; });
    ToolRegistration registration;
    registration.layer = layer;
    registration.layerOrder = PlotLayerOrder::kSelection;
    PointNameTaker taker;
    taker.order = PlotClickOrder::kSelection;
    taker.accepts = [&main, panel](PointSource source) {
        return source == PointSource::PlotClick && main.isSelectionPanelShown() && panel->list()->hasFocus();
    };
    taker.take = [panel](const std::string& name) { panel->togglePoint(name); };
    registration.pointNames = std::move(taker);
    // New coordinates empty the selection and close its panel; the link file takes its names.
    registration.files.clearSelection = [&main, panel] {
        panel->clearNames();
        main.setSelectionPanelShown(false);
    };
    registration.files.selectionNames = [panel] { return panel->names(); };
    main.tools().add(panel, std::move(registration));
    return panel;
}

} // namespace vemo
