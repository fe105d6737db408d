// The coordinate selection panel driven by keys, buttons and plot clicks.
#include "ui/parcels/SelectionPanel.h"

#include "core/store/Store.h"
#include "ui/common/MessageBox.h"

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vemo {
namespace {

using Names = std::vector<std::string>;

class SelectionPanelTest : public ::testing::Test {
protected:
    SelectionPanelTest() {
        std::vector<XyzRow> points;
        for (const char* name : {"T1", "K1", "T2", "T3", "T5", "T7", "B", "A10", "A2"}) {
            points.push_back(XyzRow{"", name, "1.000", "2.000", "", "", ""});
        }
        store.xyz.ReplaceAll(std::move(points));
        store.blocks.Add(Block{"P", "K1,B,A2,K1,", 5, 0, 0});
        store.blocks.Add(Block{"Q", "T1,A10,B,T1,", 5, 0, 0});
        panel.resize(220, 500);
        panel.show();
        QApplication::setActiveWindow(&panel);
        panel.list()->setFocus();
        MessageBox::SetCapture(true);
        MessageBox::ClearShownTexts();
    }
    ~SelectionPanelTest() override { MessageBox::SetCapture(false); }

    void enter(const QString& text) {
        for (QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QStringList messages() {
        QStringList shown = MessageBox::ShownTexts();
        MessageBox::ClearShownTexts();
        return shown;
    }

    Store store;
    SelectionPanel panel{store};
};

TEST_F(SelectionPanelTest, TypedEntries) {
    enter("T*");
    EXPECT_EQ(panel.rows(), (Names{"T1", "T2", "T3", "T5", "T7", ""}));
    enter("T*"); // again: nothing new, the entry row stays empty
    EXPECT_EQ(panel.rows(), (Names{"T1", "T2", "T3", "T5", "T7", ""}));
    EXPECT_EQ(panel.list()->currentRow(), 5);
    EXPECT_EQ(panel.list()->item(4, 0)->text(), QStringLiteral("5"));

    enter("T3");
    enter("ZZ");
    EXPECT_EQ(messages(), (QStringList{QStringLiteral("№重複"), QStringLiteral("№ ZZ は見つかりません")}));
    enter("K1");
    panel.clearNames();
    enter("T1");
    enter("+T5"); // T4 is not in the list
    EXPECT_EQ(panel.rows(), (Names{"T1", "T2", "T3", "T5", ""}));
    enter("+K1"); // another prefix: nothing
    EXPECT_EQ(panel.rows(), (Names{"T1", "T2", "T3", "T5", ""}));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(SelectionPanelTest, ButtonsAndPlotClicks) {
    QTest::mouseClick(panel.button(QStringLiteral("選択画地挿入")), Qt::LeftButton); // no parcel source
    EXPECT_EQ(panel.rows(), Names{""});
    panel.setParcelSource([] { return std::vector<int>{0, 1}; });
    QTest::mouseClick(panel.button(QStringLiteral("選択画地挿入")), Qt::LeftButton);
    EXPECT_EQ(panel.rows(), (Names{"K1", "B", "A2", "T1", "A10", ""})); // B only once

    panel.togglePoint("B"); // a selected point clicked: out
    EXPECT_EQ(panel.rows(), (Names{"K1", "A2", "T1", "A10", ""}));
    panel.togglePoint("B"); // clicked again: in, at the end
    EXPECT_EQ(panel.rows(), (Names{"K1", "A2", "T1", "A10", "B", ""}));

    QTest::mouseClick(panel.button(QStringLiteral("整列")), Qt::LeftButton);
    EXPECT_EQ(panel.rows(), (Names{"A10", "A2", "B", "K1", "T1", ""}));

    panel.setImagePointSource([] { return Names{"T7", "B", "T5"}; }); // what the plot drew
    QTest::mouseClick(panel.button(QStringLiteral("測点ｲﾒｰｼﾞ挿入")), Qt::LeftButton);
    EXPECT_EQ(panel.rows(), (Names{"A10", "A2", "B", "K1", "T1", "T7", "T5", ""}));

    EXPECT_TRUE(panel.button(QStringLiteral("座標転送(ZUB)"))->isEnabled());
    QTest::mouseClick(panel.button(QStringLiteral("クリア")), Qt::LeftButton);
    EXPECT_EQ(panel.rows(), Names{""});
    EXPECT_FALSE(panel.button(QStringLiteral("座標転送(ZUB)"))->isEnabled()) << "nothing to send";
}

// Each of the nine buttons says what it does: the short hint as its tool tip, the long one for the
// status line.
TEST_F(SelectionPanelTest, ButtonHints) {
    const std::pair<const char*, const char*> hints[] = {{"測点ｲﾒｰｼﾞ挿入", "表示座標追加"},
                                                         {"選択画地挿入", "画地座標追加"},
                                                         {"整列", "並換"},
                                                         {"クリア", "クリア"},
                                                         {"印刷", "印刷"},
                                                         {"SIMA", "Save SIMA"},
                                                         {"日調連", "Save 日調連"},
                                                         {"座標転送(ZUB)", "ZUB転送"},
                                                         {"閉じる", "閉じる"}};
    for (const auto& [caption, tip] : hints) {
        QPushButton* button = panel.button(QString::fromUtf8(caption));
        ASSERT_NE(button, nullptr) << caption;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(tip));
        EXPECT_FALSE(button->statusTip().isEmpty()) << caption;
    }
    EXPECT_EQ(panel.button(QStringLiteral("閉じる"))->statusTip(), QStringLiteral("座標選択パネルを閉じます"));
}

} // namespace
} // namespace vemo
