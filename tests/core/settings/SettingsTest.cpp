#include "core/settings/Settings.h"
#include "core/settings/IniFile.h"
#include "core/settings/ProgramFolder.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace vemo {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(Settings, FirstStartWithoutAFileGivesTheDefaults) {
    TempDir dir;
    std::string ini = SettingsFilePath(dir.Str());
    LoadedSettings loaded = LoadSettings(ini, dir.Str());
    const Settings& s = loaded.values;
    EXPECT_EQ(s.Dir.DatDir, dir.Str());
    EXPECT_EQ(s.Dir.TmpDir, dir.Str());
    EXPECT_EQ(s.Dir.DatDir2, "");
    EXPECT_TRUE(s.Data.AutoSave);
    EXPECT_EQ(s.Data.AutoSaveInterval, 15);
    EXPECT_TRUE(s.Data.Backup);
    EXPECT_EQ(s.Data.XyzOutType, 1);
    EXPECT_EQ(s.Data.BlkOutType, 0);
    EXPECT_TRUE(s.Exit.Normal); // no restore from the auto-save files
    EXPECT_EQ(s.Exit.DatTreeWidth, 225);
    EXPECT_EQ(s.Exit.BlockNoWidth, 85);
    EXPECT_EQ(s.Head.Case[0], Jp("口座名"));
    EXPECT_EQ(s.Head.Case[7], Jp("項目８"));
    EXPECT_EQ(s.Head.Blk[2], Jp("項目３"));
    EXPECT_EQ(s.XyzImage.ImageBackColor, MakeColor(0, 0, 64)); // dark blue
    EXPECT_EQ(s.XyzImage.NoIniColor[1], MakeColor(255, 128, 255));
    EXPECT_EQ(s.XyzImage.NoIni[1], "K-");
    EXPECT_EQ(s.Rs232c.Parity, Jp("ﾅｼ"));
    EXPECT_EQ(s.Trvs.TColor, MakeColor(0, 128, 128)); // teal
    EXPECT_EQ(s.XyzList.Width, 0);                    // the window measures its own default
    EXPECT_TRUE(loaded.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(ini)); // reading creates nothing
}

TEST(Settings, CleanExitMarkerIsFalseWhileRunningAndTrueAfterTheCloseSave) {
    TempDir dir;
    std::string ini = SettingsFilePath(dir.Str());
    MarkRunStarted(ini);
    EXPECT_FALSE(LoadSettings(ini, dir.Str()).values.Exit.Normal); // a killed run restores next time

    WindowState state;
    state.selectedDat = 4;
    state.datTreeWidth = 180;
    state.blockEditWidth = 300;
    state.blockNoWidth = 90;
    state.blkDisp = false;
    state.xyzListWidth = 650;
    SaveWindowState(ini, state);
    EXPECT_EQ(ReadBytes(ini),
              "[Exit]\r\nNormal=1\r\nSelectedDat=4\r\nDatTreeWidth=180\r\nBlockEditWidth=300\r\n"
              "BlockNoWidth=90\r\n[XyzImage]\r\nBlkDisp=0\r\nBlkNameDisp=1\r\n[XyzList]\r\nWidth=650\r\n");
    Settings s = LoadSettings(ini, dir.Str()).values;
    EXPECT_TRUE(s.Exit.Normal);
    EXPECT_EQ(s.Exit.SelectedDat, 4);
    EXPECT_EQ(s.Exit.DatTreeWidth, 180);
    EXPECT_FALSE(s.XyzImage.BlkDisp);
    EXPECT_EQ(s.XyzList.Width, 650);

    // With no node selected the stored index stays.
    state.selectedDat.reset();
    SaveWindowState(ini, state);
    EXPECT_EQ(LoadSettings(ini, dir.Str()).values.Exit.SelectedDat, 4);
}

TEST(Settings, ABadWindowWidthOrIntervalIsReportedAndTheDefaultUsed) {
    TempDir dir;
    std::string ini = dir.File("VEMO.ini");
    WriteBytes(ini,
               "[Data]\r\nAutoSaveInterval=15min\r\nXyzOutType=abc\r\n[Exit]\r\nDatTreeWidth=\r\nSelectedDat=$10\r\n");
    LoadedSettings loaded = LoadSettings(ini, dir.Str());
    EXPECT_EQ(loaded.values.Data.AutoSaveInterval, 15);
    EXPECT_EQ(loaded.values.Exit.DatTreeWidth, 225);
    EXPECT_EQ(loaded.values.Exit.SelectedDat, 16);
    EXPECT_EQ(loaded.values.Data.XyzOutType, 1); // a plain integer key falls back silently
    ASSERT_EQ(loaded.messages.size(), 2u);
    std::string first = Cp932ToUtf8(loaded.messages[0]);
    EXPECT_EQ(first.rfind("'15min' は整数ではありません", 0), 0u) << first;
    EXPECT_NE(first.find("AutoSaveInterval"), std::string::npos);
    EXPECT_EQ(Cp932ToUtf8(loaded.messages[1]).rfind("'' は整数ではありません", 0), 0u);
}

// The dialog offers sizes 1 - 50, intervals 0 - 120 and two or three choices per group: a file that
// holds more is brought into range with one message naming each value, and a file in range says nothing.
TEST(Settings, OutOfRangeValuesAreBroughtIntoRangeAndReportedOnce) {
    TempDir dir;
    std::string ini = dir.File("VEMO.ini");
    WriteBytes(ini, "[Data]\r\nAutoSaveInterval=500\r\n[XyzImage]\r\nSCirSize=0\r\nBFSize=200\r\n"
                    "[Trvs]\r\nErrDiv=7\r\nVer0=-1\r\n");
    LoadedSettings loaded = LoadSettings(ini, dir.Str());
    EXPECT_EQ(loaded.values.Data.AutoSaveInterval, 120);
    EXPECT_EQ(loaded.values.XyzImage.SCirSize, 1);
    EXPECT_EQ(loaded.values.XyzImage.BFSize, 50);
    EXPECT_EQ(loaded.values.Trvs.ErrDiv, 1);
    EXPECT_EQ(loaded.values.Trvs.Ver0, 0);
    ASSERT_EQ(loaded.messages.size(), 1u);
    const std::string text = Cp932ToUtf8(loaded.messages[0]);
    for (const char* part : {"範囲外", "[Data] AutoSaveInterval=500 -> 120", "[XyzImage] SCirSize=0 -> 1",
                             "[XyzImage] BFSize=200 -> 50", "[Trvs] ErrDiv=7 -> 1", "[Trvs] Ver0=-1 -> 0"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    }
    WriteBytes(ini, "[Data]\r\nAutoSaveInterval=120\r\n[XyzImage]\r\nSCirSize=50\r\nBFSize=1\r\n");
    EXPECT_TRUE(LoadSettings(ini, dir.Str()).messages.empty());
}

TEST(Settings, DialogValuesRoundTripAndOtherKeysSurvive) {
    TempDir dir;
    std::string ini = dir.File("VEMO.ini");
    WriteBytes(ini, "; keep me\r\n[Exit]\r\nNormal=0\r\n[Mine]\r\nx=1\r\n");
    Settings s = DefaultSettings(dir.Str());
    s.Dir.DatDir = PathToCp932("/data/測量");
    s.Data.AutoSaveInterval = 0;
    s.Head.Case[2] = Jp("依頼者");
    s.Programs.Title[4] = Jp("エディタ");
    s.Programs.Program[4] = "C:\\Windows\\notepad.exe %1";
    s.XyzImage.NoIni[0] = "P";
    s.XyzImage.NoIniColor[2] = MakeColor(1, 2, 3);
    s.XyzImage.BFSize = 12;
    s.XyzImage.BlkDisp = false; // belongs to the close, not the dialog
    s.Rs232c.Parity = Jp("偶数");
    s.Trvs.InputVer = 1;
    s.Trvs.DColor = 0;
    SaveDialogSettings(ini, s);

    std::string bytes = ReadBytes(ini);
    EXPECT_EQ(bytes.rfind("; keep me\r\n[Exit]\r\nNormal=0\r\n[Mine]\r\nx=1\r\n[Dir]\r\nDatDir=", 0), 0u);
    EXPECT_NE(bytes.find("AutoSaveInterval=0\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("BlkDisp"), std::string::npos);
    EXPECT_EQ(bytes.find("SIMALnk"), std::string::npos);

    LoadedSettings loaded = LoadSettings(ini, "/elsewhere");
    const Settings& r = loaded.values;
    EXPECT_EQ(PathFromCp932(r.Dir.DatDir), "/data/測量");
    EXPECT_EQ(r.Dir.TmpDir, dir.Str());
    EXPECT_EQ(r.Data.AutoSaveInterval, 0);
    EXPECT_EQ(r.Head.Case[2], Jp("依頼者"));
    EXPECT_EQ(r.Programs.Title[4], Jp("エディタ"));
    EXPECT_EQ(r.Programs.Program[4], "C:\\Windows\\notepad.exe %1");
    EXPECT_EQ(r.XyzImage.NoIni[0], "P");
    EXPECT_EQ(r.XyzImage.NoIniColor[2], MakeColor(1, 2, 3));
    EXPECT_EQ(r.XyzImage.BFSize, 12);
    EXPECT_TRUE(r.XyzImage.BlkDisp);
    EXPECT_EQ(r.Rs232c.Parity, Jp("偶数"));
    EXPECT_FALSE(r.Exit.Normal);

    Settings::TrvsKeys trvs = LoadTrvsOptions(ini);
    EXPECT_EQ(trvs.InputVer, 1);
    EXPECT_EQ(trvs.DColor, 0);
    EXPECT_EQ(trvs.KColor, 32896);
    EXPECT_EQ(LoadHeadLabels(ini).Case[2], Jp("依頼者"));
    EXPECT_EQ(LoadPrograms(ini).Title[4], Jp("エディタ"));
}

TEST(Settings, EveryRunStartsWithTheCalculationWindowTiled) {
    TempDir dir;
    std::string ini = dir.File("VEMO.ini");
    Settings s = DefaultSettings(dir.Str());
    s.Calc.TileDisp = false;
    SaveDialogSettings(ini, s);
    EXPECT_EQ(IniFile(ini).ReadBool("Calc", "TileDisp", true), false);
    EXPECT_TRUE(LoadSettings(ini, dir.Str()).values.Calc.TileDisp);
}

TEST(Settings, AFileWithoutDatDirIsNotTheDialogsAndEmptyFoldersMeanTheProgramFolder) {
    TempDir dir;
    std::string ini = dir.File("VEMO.ini");
    WriteBytes(ini, "[Dir]\r\nDatDir=  \r\nTmpDir=\r\n[Head]\r\nCase1=x\r\n");
    LoadedSettings loaded = LoadSettings(ini, dir.Str());
    EXPECT_EQ(loaded.values.Dir.DatDir, dir.Str());
    EXPECT_EQ(loaded.values.Dir.TmpDir, dir.Str());
    EXPECT_EQ(loaded.values.Head.Case[0], "x"); // start-up still reads what is there
}

TEST(Settings, AssociationFlagsAreWrittenOnTheirOwn) {
    TempDir dir;
    std::string ini = dir.File("VEMO.ini");
    SaveSimaLink(ini, true);
    SaveXyzLink(ini, false);
    EXPECT_EQ(ReadBytes(ini), "[Data]\r\nSIMALnk=1\r\nXyzLnk=0\r\n");
    Settings s = LoadSettings(ini, dir.Str()).values;
    EXPECT_TRUE(s.Data.SIMALnk);
    EXPECT_FALSE(s.Data.XyzLnk);
}

TEST(Settings, AnUnreadableFileIsReportedAndNeverOverwritten) {
    ::alarm(20); // a reader that blocks on the FIFO ends the test program instead of hanging it
    TempDir dir;
    const std::string folder = dir.File("folder.ini");
    std::filesystem::create_directory(folder); // exists, but cannot be read as a file, even by root
    const std::string fifo = dir.File("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = dir.File("huge.ini");
    WriteBytes(huge, "[Data]\r\n");
    std::filesystem::resize_file(huge, 64u << 20); // sparse: no disk used
    const struct {
        std::string path;
        const char* expected;
    } cases[] = {{folder, "を読めません"}, {fifo, "を読めません"}, {huge, "大きすぎる"}};
    for (const auto& c : cases) {
        LoadedSettings loaded = LoadSettings(c.path, dir.Str());
        ASSERT_EQ(loaded.messages.size(), 1u) << c.path;
        EXPECT_NE(Cp932ToUtf8(loaded.messages[0]).find(c.expected), std::string::npos) << c.path;
        EXPECT_EQ(loaded.values.Data.AutoSaveInterval, 15);
        EXPECT_THROW(MarkRunStarted(c.path), Error);
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(std::filesystem::file_size(huge), 64u << 20);
    ::alarm(0);
}

} // namespace
} // namespace vemo
