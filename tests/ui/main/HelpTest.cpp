// F1 opens the help topic of the window or area the surveyor is working in; the book has a real page
// for every topic, an index and a search.
#include "MainFixture.h"
#include "ui/grid/XyzListPanel.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/help/HelpWindow.h"
#include "ui/main/OptionTools.h"
#include "ui/plot/PlotView.h"
#include "ui/settings/SettingsDialog.h"
#include "ui/tree/DataTree.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace vemo::test {
namespace {

class Help : public MainFixture {
protected:
    HelpWindow& OpenAll() {
        MainWindow& main = OpenWithAreas();
        dialog = InstallSettingsDialog(main);
        HelpWindow* help = InstallHelp(main);
        for (Area area : {Area::XyzList, Area::Plot, Area::BlockEdit}) {
            main.setAreaShown(area, true);
        }
        main.resize(1200, 700);
        main.show();
        main.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
        return *help;
    }
    // F1 where a user would press it: on the widget holding the focus.
    int PressF1On(QWidget* widget, HelpWindow& help) {
        help.hide();
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_F1);
        EXPECT_TRUE(help.isVisible());
        return help.currentContext();
    }
    SettingsDialog* dialog = nullptr;
};

TEST_F(Help, F1OpensTheTopicOfTheAreaOrSettingsPageHoldingTheFocus) {
    HelpWindow& help = OpenAll();
    EXPECT_EQ(PressF1On(window.get(), help), 1000);
    EXPECT_EQ(PressF1On(window->treeArea()->tree().view(), help), 37);
    EXPECT_EQ(PressF1On(window->xyzListPanel()->grid(), help), 46);
    EXPECT_EQ(PressF1On(window->plotView(), help), 48);

    const std::pair<const char*, int> pages[] = {
        {"DatDir", 11}, {"Title1", 12}, {"SCirSize", 13}, {"Port", 14}, {"ZUB", 15}};
    dialog->show();
    for (size_t i = 0; i < std::size(pages); ++i) {
        SCOPED_TRACE(pages[i].first);
        dialog->pages()->setCurrentIndex(static_cast<int>(i));
        QWidget* field = dialog->findChild<QWidget*>(QString::fromLatin1(pages[i].first));
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(PressF1On(field, help), pages[i].second);
        // On the OK button the page in front decides.
        EXPECT_EQ(PressF1On(dialog->okButton(), help), pages[i].second);
    }
    dialog->hide();

    // F1 inside the help keeps the page being read.
    QTest::keyClick(help.searchField(), Qt::Key_F1);
    EXPECT_EQ(help.currentContext(), 15);
}

// Each topic is a page of its own that explains its window (no placeholder), reachable from the contents,
// the index and the search.
TEST_F(Help, EveryTopicHasItsOwnExplainingPageFoundByIndexAndSearch) {
    HelpWindow& help = OpenAll();
    const HelpBook& book = help.book();
    // Each window and tab has its topic; a page may serve several (the calculation window's inverse and
    // construction tabs, the traverse window and its precision box, the ZUB Editor and the serial dialog).
    const std::pair<int, const char*> topics[] = {{1000, "メインウィンドウ"},
                                                  {37, "データツリー"},
                                                  {46, "座標リスト"},
                                                  {47, "画地"},
                                                  {48, "測点イメージ"},
                                                  {11, "データ"},
                                                  {12, "実行ファイル"},
                                                  {13, "測点イメージ"},
                                                  {14, "RS-232C"},
                                                  {15, "トラバース"},
                                                  {20, "逆座標"},
                                                  {21, "交点"},
                                                  {22, "ヘルマート"},
                                                  {23, "定面積分割"},
                                                  {24, "逆打ち"},
                                                  {39, "地積測量図"},
                                                  {30, "トラバース"},
                                                  {32, "トラバース"},
                                                  {34, "精度の点検"},
                                                  {31, "野帳"},
                                                  {40, "RS-232C"},
                                                  {50, "GIS/CAD"},
                                                  {60, "座標リスト"},
                                                  {70, "データと設定の場所"},
                                                  {90, "登記所備付地図データ"},

                                                  {80, "トラバース計算"},
                                                  {91, "網平均"}};
    QStringList files;
    for (const auto& [context, titleWord] : topics) {
        SCOPED_TRACE(context);
        const QString file = book.FileOfContext(context);
        ASSERT_FALSE(file.isEmpty());
        if (!files.contains(file)) {
            files.append(file);
        }
        const HelpPage* page = book.Page(file);
        EXPECT_TRUE(page->title.contains(QString::fromUtf8(titleWord))) << page->title.toStdString();
        EXPECT_GT(page->text.size(), 300) << "a page that explains its window";
        EXPECT_FALSE(page->keywords.isEmpty());
    }
    EXPECT_EQ(book.Pages().front().file, QStringLiteral("index.html"));
    // Every page with a topic is the page of a window above; the others are reference pages (a file
    // format) reached from the contents and the links.
    const auto topicPages =
        std::count_if(book.Pages().begin(), book.Pages().end(), [](const HelpPage& page) { return page.context != 0; });
    EXPECT_EQ(topicPages, files.size());

    help.showContents();
    help.searchField()->setText(QStringLiteral("ヘルマート 残差"));
    help.runSearch();
    ASSERT_EQ(help.searchResults()->count(), 1);
    QTest::mouseClick(help.searchResults()->viewport(), Qt::LeftButton, {},
                      help.searchResults()->visualItemRect(help.searchResults()->item(0)).center());
    EXPECT_EQ(help.currentContext(), 22);

    const auto index = book.Index();
    const auto ttyUsb = std::find_if(index.begin(), index.end(), [](const auto& e) { return e.first == "ttyUSB0"; });
    ASSERT_NE(ttyUsb, index.end());
    EXPECT_EQ(ttyUsb->second, book.FileOfContext(14));

    const QByteArray folder = qgetenv("VEMO_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        help.navigation()->setCurrentIndex(1);
        help.showTopic(13);
        help.grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("help-window.png")));
    }
}

} // namespace
} // namespace vemo::test
