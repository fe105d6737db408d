// The help names buttons, menu entries, labels and window titles in 「」 as the surveyor sees them.  A
// caption renamed in the program, or a button the help invents, sends the reader looking for something
// that is not there: every 「…」 of every page must be a caption of the running program.  The captions
// are read from the program's own widgets and command tables, built as at start-up, not from a list.
#include "MainFixture.h"

#include "core/division/Division.h"
#include "core/serial/ZubLine.h"
#include "core/settings/Settings.h"
#include "core/transform/Transformation.h"
#include "support/WhenShown.h"
#include "ui/calc/DivisionDialog.h"
#include "ui/calc/TransformDialog.h"
#include "ui/gis/LatLonDialog.h"
#include "ui/gis/ZoneBox.h"
#include "ui/grid/XyzCleanDialog.h"
#include "ui/main/CalcArea.h"
#include "ui/main/GisArea.h"
#include "ui/main/OptionTools.h"
#include "ui/main/ParcelEditorArea.h"
#include "ui/main/SerialTransfer.h"
#include "ui/main/SurveyMapArea.h"
#include "ui/main/TraverseTool.h"
#include "ui/main/UndoCommands.h"
#include "ui/serial/ZubTransferDialog.h"
#include "ui/traverse/NetworkWindow.h"
#include "ui/traverse/TrvsHeaderPanel.h"
#include "ui/traverse/TrvsWindow.h"
#include "ui/tree/RegistryMapDialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QTableView>
#include <QTextDocument>

namespace vemo::test {
namespace {

// A caption as the help writes it: without its accelerator ("(&S)", "&"), the key after a tab, the
// dots of a command that asks first, a colon after a label, and spaces around.
QString Plain(QString caption) {
    static const QRegularExpression accelerator(QStringLiteral("\\(&.\\)"));
    caption = caption.section(QLatin1Char('\t'), 0, 0);
    caption.remove(accelerator);
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    caption = caption.trimmed();
    for (const QString& end : {QStringLiteral("..."), QStringLiteral("…"), QStringLiteral(":"), QStringLiteral("：")}) {
        if (caption.endsWith(end)) {
            caption.chop(end.size());
        }
    }
    return caption.trimmed();
}

class Captions {
public:
    void Add(const QString& text) {
        if (!text.isEmpty()) {
            set_.insert(Plain(Qt::mightBeRichText(text) ? PlainOf(text) : text));
        }
    }
    // Every caption a widget of the application shows now.
    void AddAllWidgets() {
        for (QWidget* widget : QApplication::allWidgets()) {
            if (widget->isWindow()) {
                Add(widget->windowTitle());
            }
            for (QAction* action : widget->actions()) {
                Add(action->text());
                Add(action->iconText());
            }
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                Add(button->text());
            } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                Add(label->text());
            } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
                Add(box->title());
            } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
                for (int i = 0; i < tabs->count(); ++i) {
                    Add(tabs->tabText(i));
                }
            } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                for (int i = 0; i < combo->count(); ++i) {
                    Add(combo->itemText(i));
                }
            } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
                for (int i = 0; i < list->count(); ++i) {
                    Add(list->item(i)->text());
                }
            } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
                Add(menu->title());
            } else if (auto* table = qobject_cast<QTableView*>(widget); table != nullptr && table->model()) {
                for (int c = 0; c < table->model()->columnCount(); ++c) {
                    Add(table->model()->headerData(c, Qt::Horizontal).toString());
                }
            }
        }
    }
    bool Has(const QString& caption) const { return set_.contains(Plain(caption)); }
    qsizetype Size() const { return set_.size(); }

    static QString PlainOf(const QString& html) {
        QTextDocument document;
        document.setHtml(html);
        return document.toPlainText();
    }

private:
    QSet<QString> set_;
};

// The program as StartUp builds it, with every window that start-up creates.
class HelpCaptions : public MainFixture {
protected:
    void BuildProgram() {
        MainWindow& main = OpenWithAreas();
        ParcelEditor* parcelEditor = InstallParcelEditorArea(main);
        SelectionPanel* selection = InstallSelectionPanel(main, parcelEditor);
        InstallUndoCommands(main);
        InstallSettingsDialog(main);
        InstallExternalPrograms(main);
        InstallHelp(main);
        InstallCalcWindow(main, parcelEditor);
        serial = InstallSerialTransfer(main, selection);
        traverse = InstallTraverseWindow(main, serial);
        InstallGis(main);
        InstallSurveyMap(main);
    }
    // The captions of the windows a command builds when it runs, and of the states a window switches
    // between (the two senses of the traverse directions, the three serial transfers).
    void AddCommandWindows(Captions& captions) {
        {
            DivisionDialog division(main().store(), DivisionResult{}, window.get());
            TransformDialog transform(main().store(), TransformRun{}, {}, window.get());
            XyzCleanDialog clean(window.get());
            LatLonDialog latLon(window.get());
            ZoneBox zone(window.get());
            NetworkWindow network(main().workspace(), window.get());
            RegistryMapDialog registryMap({}, QString(), window.get());
            captions.AddAllWidgets();
        }
        TrvsHeader& header = traverse->Header();
        header.ToggleStartLabel();
        header.ToggleEndLabel();
        traverse->HeaderPanel()->Push();
        captions.AddAllWidgets();
        header.ToggleStartLabel();
        header.ToggleEndLabel();
        traverse->HeaderPanel()->Push();

        const auto title = [&captions](ZubTransferDialog* dialog) {
            captions.Add(dialog->windowTitle());
            captions.AddAllWidgets(); // its button: 送信 or 受信
            dialog->close();          // as Esc or the title bar close it
        };
        const Settings::Rs232cKeys keys;
        WhenShown<ZubTransferDialog>(title);
        serial->ExecSend(ZubSendList{}, keys);
        WhenShown<ZubTransferDialog>(title);
        serial->ExecReceiveCoordinates(main().store().xyz, keys);
        WhenShown<ZubTransferDialog>(title);
        serial->ExecReceiveObservations(home.Str(), keys);
    }
    MainWindow& main() { return *window; }

    ZubTransferDialog* serial = nullptr;
    TrvsWindow* traverse = nullptr;
};

struct HelpText {
    QString file;
    QString text;
};

std::vector<HelpText> HelpPages() {
    std::vector<HelpText> pages;
    const QDir folder(QStringLiteral(VEMO_SOURCE_DIR "/help"));
    for (const QString& name : folder.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        pages.push_back({name, Captions::PlainOf(QString::fromUtf8(file.readAll()))});
    }
    return pages;
}

TEST_F(HelpCaptions, EveryCaptionTheHelpNamesIsOneTheProgramShows) {
    BuildProgram();
    Captions captions;
    captions.AddAllWidgets();
    AddCommandWindows(captions);
    ASSERT_GT(captions.Size(), 300); // the collection reached every window

    const std::vector<HelpText> pages = HelpPages();
    ASSERT_GE(pages.size(), 19u);
    static const QRegularExpression quoted(QStringLiteral("「([^」]+)」"));
    int named = 0;
    for (const HelpText& page : pages) {
        for (const QRegularExpressionMatch& match : quoted.globalMatch(page.text)) {
            ++named;
            EXPECT_TRUE(captions.Has(match.captured(1)))
                << page.file.toStdString() << " names 「" << match.captured(1).toStdString()
                << "」, which the program shows nowhere";
        }
    }
    EXPECT_GT(named, 80);
}

// The two senses of the known directions are explained by the labels' own tool tips, and the help
// explains them in the same words; the closing angle at the end point is said in both places too.
TEST_F(HelpCaptions, TraversePageWordsTheDirectionsAndTheClosingAngleAsTheWindow) {
    BuildProgram();
    QString traversePage;
    for (const HelpText& page : HelpPages()) {
        if (page.file == QStringLiteral("traverse.html")) {
            traversePage = page.text;
        }
    }
    ASSERT_FALSE(traversePage.isEmpty());
    traversePage.remove(QLatin1Char('\n'));
    std::vector<QString> tips;
    for (QLabel* label : traverse->HeaderPanel()->findChildren<QLabel*>()) {
        if (label->text().contains(QStringLiteral("方向角")) || label->text().contains(QStringLiteral("視準点"))) {
            tips.push_back(label->toolTip().section(QStringLiteral("（ダブルクリック"), 0, 0));
        }
    }
    ASSERT_EQ(tips.size(), 3u); // 入射方向角, 視準点, 終点入射方向角
    for (const QString& tip : tips) {
        ASSERT_FALSE(tip.isEmpty());
        EXPECT_TRUE(traversePage.contains(tip)) << "the help does not say: " << tip.toStdString();
    }
}

} // namespace
} // namespace vemo::test
