// The settings dialog as the surveyor uses it: fields filled in, OK or ｷｬﾝｾﾙ, the preset keys.
#include "SettingsDialogFixture.h"

#include "core/settings/AppLocations.h"
#include "core/settings/ProgramFolder.h"
#include "core/text/Cp932.h"
#include "ui/settings/LookPreview.h"
#include "ui/settings/SettingsPages.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <tuple>

namespace vemo::test {
namespace {

struct KeyCase {
    std::string section;
    std::string key;
    Field kind;
    QString value;    // what the surveyor enters
    std::string file; // what the file then holds (UTF-8 here, CP932 in the file)
};

void AddNumbered(std::vector<KeyCase>& cases, const char* section, const char* prefix, const char* suffix, int count,
                 const char* valuePrefix) {
    for (int n = 1; n <= count; ++n) {
        const std::string key = prefix + std::to_string(n) + suffix;
        const std::string value = valuePrefix + std::to_string(n);
        cases.push_back({section, key, Field::Text, QString::fromUtf8(value), value});
    }
}

// Every key the dialog edits, each given a value other than its first-run value.  A colour (red r,
// green 30, blue 40) is stored as 40 * 65536 + 30 * 256 + r = 2629120 + r.
// The folders are made below `base` (a folder that is missing stops OK with a question).
std::vector<KeyCase> EveryDialogKey(const std::string& base) {
    for (const char* name : {"測量", "link", "two", "three"}) {
        std::filesystem::create_directories(base + "/" + name);
    }
    auto folder = [&](const char* name) { return base + "/" + name; };
    std::vector<KeyCase> cases = {
        {"Dir", "DatDir", Field::Text, QString::fromStdString(folder("測量")), folder("測量")},
        {"Dir", "TmpDir", Field::Text, QString::fromStdString(folder("link")), folder("link")},
        {"Dir", "DatDir2", Field::Text, QString::fromStdString(folder("two")), folder("two")},
        {"Dir", "DatDir3", Field::Text, QString::fromStdString(folder("three")), folder("three")},
        {"Data", "AutoSave", Field::Check, "0", "0"},
        {"Data", "Backup", Field::Check, "0", "0"},
        {"Data", "AutoSaveInterval", Field::Spin, "42", "42"},
        {"Data", "XyzOutType", Field::Radio, "2", "2"},
        {"Data", "BlkOutType", Field::Radio, "1", "1"},
    };
    AddNumbered(cases, "Head", "Case", "", 8, "区分");
    AddNumbered(cases, "Head", "Xyz", "", 3, "座標");
    AddNumbered(cases, "Head", "Blk", "", 3, "画地");
    AddNumbered(cases, "Programs", "Title", "", 5, "CAD");
    AddNumbered(cases, "Programs", "Pro", "Hint", 5, "作図");
    AddNumbered(cases, "Programs", "Program", "", 5, "/usr/bin/prog");
    const char* const colourKeys[] = {"ImageBackColor", "CrCuColor",   "Cir0Color",   "No0Color",
                                      "BlkListColor",   "BlkHitColor", "BlkNoColor",  "XyzLstDbClkColor",
                                      "UpDwnSignColor", "NoIni1Color", "NoIni2Color", "NoIni3Color"};
    int red = 1;
    for (const char* key : colourKeys) {
        cases.push_back({"XyzImage", key, Field::Colour, QColor(red, 30, 40).name(), std::to_string(2629120 + red)});
        ++red;
    }
    for (const char* key : {"TColor", "OColor", "KTColor", "KColor", "DColor"}) {
        cases.push_back({"Trvs", key, Field::Colour, QColor(red, 30, 40).name(), std::to_string(2629120 + red)});
        ++red;
    }
    const std::vector<KeyCase> rest = {
        {"XyzImage", "NoStr", Field::Check, "0", "0"},
        {"XyzImage", "NoIni1", Field::Text, "T", "T"},
        {"XyzImage", "NoIni2", Field::Text, "K-", "K-"},
        {"XyzImage", "NoIni3", Field::Text, "Ｂ", "Ｂ"},
        {"XyzImage", "SCirSize", Field::Spin, "7", "7"},
        {"XyzImage", "SFSize", Field::Spin, "8", "8"},
        {"XyzImage", "BCirSize", Field::Spin, "12", "12"},
        {"XyzImage", "BFSize", Field::Spin, "14", "14"},
        // After the cross-hair colour: the colour button is disabled while the box is clear.
        {"XyzImage", "CrCur", Field::Check, "0", "0"},
        {"Key", "UpperChr", Field::Check, "0", "0"},
        {"Calc", "BackWardType", Field::Radio, "1", "1"},
        {"Calc", "TileDisp", Field::Check, "0", "0"},
        {"XyzList", "ChWidth", Field::Check, "1", "1"},
        {"RS-232C", "Port", Field::Combo, "/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"RS-232C", "ByteSize", Field::Combo, "7", "7"},
        {"RS-232C", "Speed", Field::Combo, "4800", "4800"},
        {"RS-232C", "Parity", Field::Combo, "偶数", "偶数"},
        {"RS-232C", "StopBits", Field::Combo, "1", "1"},
        {"Trvs", "ErrDiv", Field::Radio, "0", "0"},
        {"Trvs", "Ver0", Field::Radio, "0", "0"},
        {"Trvs", "HowDirAgl", Field::Radio, "0", "0"},
        {"Trvs", "InputTpBk", Field::Radio, "0", "0"},
        {"Trvs", "InputVer", Field::Radio, "0", "0"},
        {"Trvs", "ZUB", Field::Check, "1", "1"},
        {"Trvs", "ZCalc", Field::Check, "1", "1"},
    };
    cases.insert(cases.end(), rest.begin(), rest.end());
    return cases;
}

TEST_F(SettingsDialogTest, EveryKeyGoesThroughOkIntoTheFileAndBackAtTheNextStart) {
    Start();
    TempDir folders;
    const std::vector<KeyCase> cases = EveryDialogKey(folders.Str());
    for (const KeyCase& c : cases) {
        Set(c.kind, QString::fromStdString(c.key), c.value);
    }
    dialog->okButton()->click();

    for (const KeyCase& c : cases) {
        EXPECT_EQ(FileValue(c.section, c.key), Jp(c.file)) << c.section << " " << c.key;
    }
    // The sections in the order the dialog writes them.
    const std::string text = ReadBytes(IniPath());
    size_t previous = 0;
    for (const char* section : {"[Dir]", "[Data]", "[Head]", "[Programs]", "[XyzImage]", "[Key]", "[Calc]", "[XyzList]",
                                "[RS-232C]", "[Trvs]"}) {
        const size_t at = text.find(section);
        ASSERT_NE(at, std::string::npos) << section;
        EXPECT_GE(at, previous) << section;
        previous = at;
    }

    // Every run starts with the calculation window tiled, whatever the file says.
    Start();
    for (const KeyCase& c : cases) {
        const QString shown = c.key == "TileDisp" ? QStringLiteral("1") : c.value;
        EXPECT_EQ(Get(c.kind, QString::fromStdString(c.key)).toStdString(), shown.toStdString()) << c.key;
    }
}

TEST_F(SettingsDialogTest, CancelWritesNothingAndKeepsTheChangedFieldsForTheNextShowing) {
    Start();
    dialog->show();
    Set(Field::Colour, "ImageBackColor", "#102030");
    Set(Field::Text, "Title1", "CAD");
    Set(Field::Spin, "SCirSize", "9");
    dialog->findChild<QPushButton*>("CancelButton")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
    EXPECT_EQ(workspace->settings().Programs.Title[0], "");

    dialog->show();
    EXPECT_EQ(Get(Field::Colour, "ImageBackColor"), "#102030");
    EXPECT_EQ(Get(Field::Text, "Title1"), "CAD");
    EXPECT_EQ(dialog->lookPage().preview()->look().SCirSize, 9);
    dialog->okButton()->click();
    EXPECT_EQ(FileValue("XyzImage", "ImageBackColor"), std::to_string(0x302010));
    EXPECT_EQ(FileValue("Programs", "Title1"), "CAD");
    EXPECT_EQ(workspace->settings().Programs.Title[0], "CAD");
}

// A settings file that cannot be written (its folder is gone) stops OK with the reason shown, and the
// program runs on with the settings it had; once the folder is back, OK writes and takes the fields.
TEST_F(SettingsDialogTest, AFailedWriteLeavesTheSettingsAsTheyWere) {
    const std::string settingsFolder = home.File("設定");
    workspace = std::make_unique<Workspace>(AppLocations{settingsFolder, home.Str(), home.Str(), {}});
    dialog = std::make_unique<SettingsDialog>(*workspace);
    const std::string tmpDirBefore = workspace->settings().Dir.TmpDir;
    QSignalSpy announced(workspace.get(), &Workspace::settingsChanged);
    TempDir link;
    dialog->show();
    Set(Field::Text, "Title1", "CAD");
    Set(Field::Text, "TmpDir", QString::fromStdString(link.Str()));

    dialog->okButton()->click();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::ShownTexts().front().contains(QString::fromStdString(workspace->settingsPath())))
        << MessageBox::ShownTexts().front().toStdString();
    EXPECT_EQ(workspace->settings().Programs.Title[0], "");
    EXPECT_EQ(workspace->settings().Dir.TmpDir, tmpDirBefore);
    EXPECT_EQ(workspace->store().names.TmpDir, tmpDirBefore);
    EXPECT_EQ(announced.count(), 0);

    std::filesystem::create_directory(settingsFolder);
    dialog->okButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(IniDocument(ReadBytes(workspace->settingsPath())).Find("Programs", "Title1"), "CAD");
    EXPECT_EQ(workspace->settings().Programs.Title[0], "CAD");
    EXPECT_EQ(workspace->store().names.TmpDir, PathToCp932(link.Str()));
    EXPECT_EQ(announced.count(), 1);
}

// The presets answer only on the OK button; Ctrl+F2 turns the preview white.
TEST_F(SettingsDialogTest, PresetKeysOnTheOkButtonRecolourThePreview) {
    Start();
    dialog->pages()->setCurrentIndex(2);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    auto* title = Find<QLineEdit>("Title1");
    title->setFocus();
    QTest::keyClick(title, Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(Get(Field::Colour, "ImageBackColor"), "#000040"); // the dark blue the plot uses
    dialog->okButton()->setFocus();
    QTest::keyClick(dialog->okButton(), Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(Get(Field::Colour, "ImageBackColor"), "#ffffff");
    EXPECT_EQ(Get(Field::Colour, "BlkHitColor"), "#0000ff");
    EXPECT_EQ(Get(Field::Spin, "SCirSize"), "6");
    const QImage picture = dialog->lookPage().preview()->grab().toImage();
    EXPECT_EQ(QColor(picture.pixel(picture.width() - 5, 5)), QColor(Qt::white));
    QTest::keyClick(dialog->okButton(), Qt::Key_F3, Qt::ControlModifier);
    EXPECT_EQ(Get(Field::Colour, "ImageBackColor"), "#7f7f7f");

    const QByteArray folder = qgetenv("VEMO_SCREENSHOT_DIR");
    QTest::keyClick(dialog->okButton(), Qt::Key_F2, Qt::ControlModifier);
    if (!folder.isEmpty()) {
        dialog->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/settings-look.png"));
    }
    dialog->okButton()->click();
    EXPECT_EQ(FileValue("XyzImage", "ImageBackColor"), "16777215");
    EXPECT_EQ(FileValue("XyzImage", "SFSize"), "6");
}

// The dialog shows the values the program is using: OK at once on a first run changes nothing, and a
// file that was readable only in part (here without a data folder) keeps every value it had.
TEST_F(SettingsDialogTest, OkWithoutAChangeChangesNothing) {
    Start();
    const Settings before = workspace->settings();
    dialog->okButton()->click();
    const Settings& after = workspace->settings();
    EXPECT_EQ(after.XyzImage.ImageBackColor, before.XyzImage.ImageBackColor);
    EXPECT_EQ(after.XyzImage.NoIni, before.XyzImage.NoIni);
    EXPECT_EQ(after.XyzImage.NoIniColor, before.XyzImage.NoIniColor);
    EXPECT_EQ(after.XyzImage.CrCuColor, before.XyzImage.CrCuColor);
    EXPECT_EQ(after.XyzImage.SCirSize, before.XyzImage.SCirSize);
    EXPECT_EQ(after.Trvs.InputTpBk, before.Trvs.InputTpBk);
    EXPECT_EQ(after.Trvs.InputVer, before.Trvs.InputVer);
    EXPECT_EQ(after.Trvs.TColor, before.Trvs.TColor);
    EXPECT_EQ(after.Trvs.KTColor, before.Trvs.KTColor);
    // As written, read back by the next start.
    EXPECT_EQ(FileValue("XyzImage", "ImageBackColor"), "4194304");
    EXPECT_EQ(FileValue("XyzImage", "NoIni1"), "T");
    EXPECT_EQ(FileValue("XyzImage", "NoIni2"), "K-");
    EXPECT_EQ(FileValue("XyzImage", "NoIni3"), "B");
    EXPECT_EQ(FileValue("Trvs", "InputTpBk"), "0");
    EXPECT_EQ(FileValue("Trvs", "InputVer"), "0");
    EXPECT_EQ(FileValue("Trvs", "KTColor"), "65535");

    WriteBytes(IniPath(), "[Dir]\r\nDatDir=\r\n[Programs]\r\nTitle1=CAD\r\nProgram1=/usr/bin/cad\r\n"
                          "[XyzImage]\r\nImageBackColor=255\r\nNoIni1=Q\r\n[RS-232C]\r\nPort=/dev/ttyUSB0\r\n"
                          "[Trvs]\r\nErrDiv=0\r\nDColor=123\r\n");
    Start();
    dialog->okButton()->click();
    for (auto [section, key, value] : {std::tuple{"Programs", "Title1", "CAD"},
                                       {"Programs", "Program1", "/usr/bin/cad"},
                                       {"XyzImage", "ImageBackColor", "255"},
                                       {"XyzImage", "NoIni1", "Q"},
                                       {"RS-232C", "Port", "/dev/ttyUSB0"},
                                       {"Trvs", "ErrDiv", "0"},
                                       {"Trvs", "DColor", "123"}}) {
        EXPECT_EQ(FileValue(section, key), value) << section << " " << key;
    }
}

// An emptied data folder is refused with a message and nothing is written; a missing one is made when
// the surveyor agrees, and not when he declines.
TEST_F(SettingsDialogTest, AnEmptyOrMissingFolderIsRefusedOrMade) {
    Start();
    dialog->pages()->setCurrentIndex(3);
    dialog->show();
    Set(Field::Text, "DatDir", "  ");
    dialog->okButton()->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->pages()->currentIndex(), 0);
    EXPECT_EQ(MessageBox::ShownTexts(),
              QStringList{QStringLiteral("ﾃﾞｰﾀﾌｫﾙﾀﾞ が空です。データを置くフォルダを指定して下さい。")});
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
    EXPECT_EQ(workspace->settings().Dir.DatDir, home.Str());

    MessageBox::ClearShownTexts();
    const std::string missing = home.File("現場〜2024");
    Set(Field::Text, "DatDir", QString::fromStdString(missing));
    MessageBox::SetNextAnswer(QMessageBox::No);
    dialog->okButton()->click();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_EQ(MessageBox::ShownTexts().front(),
              QStringLiteral("ﾃﾞｰﾀﾌｫﾙﾀﾞ「%1」がありません。\n作成しますか？").arg(QString::fromStdString(missing)));
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_FALSE(std::filesystem::exists(IniPath()));

    MessageBox::SetNextAnswer(QMessageBox::Yes);
    dialog->okButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(std::filesystem::is_directory(missing));
    // The folder is found again under its own name (〜, not the ～ that CP932 gives back).
    Start();
    EXPECT_EQ(Get(Field::Text, "DatDir"), QString::fromStdString(missing));
}

// Enter moves to the next field wherever the focus is, buttons included; only Space presses a button.
TEST_F(SettingsDialogTest, EnterMovesOnAndNeverPressesOk) {
    Start();
    dialog->pages()->setCurrentIndex(2);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    auto* colour = Find<ColourButton>("ImageBackColor");
    const QString before = Get(Field::Colour, "ImageBackColor");
    ColourButton::setNextChoice(QColor(255, 255, 255));
    colour->setFocus();
    QTest::keyClick(colour, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
    EXPECT_EQ(Get(Field::Colour, "ImageBackColor"), before);
    EXPECT_NE(QApplication::focusWidget(), colour);

    colour->setFocus();
    QTest::keyClick(colour, Qt::Key_Space);
    EXPECT_EQ(Get(Field::Colour, "ImageBackColor"), "#ffffff");

    dialog->pages()->setCurrentIndex(0);
    auto* folder = Find<QLineEdit>("DatDir");
    folder->setFocus();
    QTest::keyClick(folder, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
    EXPECT_NE(QApplication::focusWidget(), folder);
}

// The surveyor knows the ports by their COM names; the page says which device each one opens.
TEST_F(SettingsDialogTest, ThePortNamesTheDeviceItOpens) {
    Start();
    const std::pair<const char*, const char*> ports[] = {
        {"COM1", "/dev/ttyS0"}, {"COM8", "/dev/ttyS7"}, {"/dev/ttyUSB0", "/dev/ttyUSB0"}};
    for (const auto& [port, device] : ports) {
        Set(Field::Combo, "Port", QString::fromLatin1(port));
        EXPECT_EQ(Find<QLabel>("PortDevice")->text(), QStringLiteral("開く装置：") + QString::fromLatin1(device));
    }
    const QByteArray folder = qgetenv("VEMO_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        dialog->pages()->setCurrentIndex(3);
        dialog->show();
        dialog->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/settings-other.png"));
    }
}

} // namespace
} // namespace vemo::test
