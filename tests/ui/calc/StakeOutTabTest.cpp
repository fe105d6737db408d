// The stake-out tab, made from the registered calculation's inputs: names clicked on the plot fill its
// fields in order, 計算 shows the listing, and the points go to the instrument through the program's
// serial window.  On the fixture's square (X north): from A1 sighting A2 (north), A3 at (10, 10) lies
// at 45°, 14.142 m; A4 at (0, 10) due east, 10 m; A3 to A4 is 10 m.
#include "CalcFixture.h"
#include "core/text/Cp932.h"
#include "ui/calc/CalcTabs.h"
#include "ui/calc/FormPage.h"
#include "ui/common/StatusNotice.h"
#include "ui/tree/FileDialog.h"

#include <QPushButton>

namespace vemo::test {
namespace {

class StakeOutTab : public CalcFixture {
protected:
    void SetUp() override {
        CalcFixture::SetUp();
        window->host().sendPoints = [this](const std::vector<std::string>& names) { sent = names; };
        const auto tabs = CalcTabs();
        for (int tab = 0; tab < static_cast<int>(tabs.size()); ++tab) {
            if (std::string_view(tabs[tab].command) == "逆打ち計算") {
                index = tab;
            }
        }
        ASSERT_GE(index, 0);
        Open(index);
    }
    FormPage* Page() { return qobject_cast<FormPage*>(window->page(index)); }
    QPushButton* Button(const QString& text) {
        for (QPushButton* button : Page()->findChildren<QPushButton*>()) {
            if (button->text() == text) {
                return button;
            }
        }
        return nullptr;
    }
    int index = -1;
    std::vector<std::string> sent;
};

TEST_F(StakeOutTab, ClickedNamesFillStationBacksightAndTargetsThenListAndSend) {
    for (const char* name : {"A1", "A2", "A3", "A4"}) {
        window->takePointName(name);
    }
    EXPECT_EQ(Page()->field("station")->text(), QStringLiteral("A1"));
    EXPECT_EQ(Page()->field("backsight")->text(), QStringLiteral("A2"));
    EXPECT_EQ(Page()->field("targets")->text(), QStringLiteral("A3,A4"));
    ASSERT_TRUE(Page()->compute());
    const QStringList lines = Page()->listing().split('\n');
    EXPECT_TRUE(lines.contains(QStringLiteral("A3                  45-00-00    45-00-00      14.142")))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("A4                  90-00-00    90-00-00      10.000")));
    EXPECT_TRUE(lines.contains(QStringLiteral("A3 - A4                                       10.000")));
    EXPECT_FALSE(Page()->overlay().Empty());

    QPushButton* send = Button(QStringLiteral("送信..."));
    ASSERT_NE(send, nullptr);
    ASSERT_TRUE(send->isEnabled());
    send->click();
    EXPECT_EQ(sent, (std::vector<std::string>{"A1", "A2", "A3", "A4"}));
    EXPECT_TRUE(Button(QStringLiteral("印刷..."))->isEnabled());
}

TEST_F(StakeOutTab, NamesTheMissingFieldAndTheTargetAtTheStation) {
    Page()->field("station")->setText(QStringLiteral("A1"));
    Page()->field("backsight")->setText(QStringLiteral("A2"));
    EXPECT_FALSE(Page()->compute());
    EXPECT_EQ(MessageBox::ShownTexts().value(0), QStringLiteral("測設点 を入力してください"));
    // C1 stands where A1 stands.
    Page()->field("targets")->setText(QStringLiteral("A3,C1"));
    EXPECT_FALSE(Page()->compute());
    EXPECT_EQ(MessageBox::ShownTexts().value(1), QStringLiteral("C1 は器械点と同じ位置にあるため測設できません"));
    EXPECT_TRUE(Page()->listing().isEmpty());
}

// Enter goes on to the next field, so that station, backsight and targets are typed in one run (the
// fault: every name went into the station field).
TEST_F(StakeOutTab, EnterMovesFromFieldToField) {
    Page()->field("station")->setFocus();
    for (const char* text : {"A1", "A2", "A3,A4"}) {
        QWidget* field = QApplication::focusWidget();
        ASSERT_NE(field, nullptr);
        QTest::keyClicks(field, QString::fromLatin1(text));
        QTest::keyClick(field, Qt::Key_Return);
    }
    EXPECT_EQ(Page()->field("station")->text(), QStringLiteral("A1"));
    EXPECT_EQ(Page()->field("backsight")->text(), QStringLiteral("A2"));
    EXPECT_EQ(Page()->field("targets")->text(), QStringLiteral("A3,A4"));
    ASSERT_TRUE(Page()->compute());
}

// SIMA出力 writes the stake-out points and says in the window's status line what went where.
TEST_F(StakeOutTab, SimaOutputSaysWhatWentWhere) {
    for (const char* name : {"A1", "A2", "A3", "A4"}) {
        window->takePointName(name);
    }
    ASSERT_TRUE(Page()->compute());
    QString said;
    SetStatusNoticeSink(window.get(), [&](const QString& text) { said = text; });
    FileDialog::setNextFileName(QString::fromStdString(home.File("杭打ち")));
    Button(QStringLiteral("SIMA出力..."))->click();
    const std::string written = home.File("杭打ち.SIM");
    const std::string bytes = ReadBytes(written);
    EXPECT_NE(bytes.find("A01,    4,A4 "), std::string::npos) << bytes;
    EXPECT_EQ(said, QStringLiteral("SIMA ファイル（4 点）を書き出しました: ") + QString::fromStdString(written));
}

} // namespace
} // namespace vemo::test
