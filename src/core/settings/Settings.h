#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vemo {

// A colour as the settings file stores it: blue * 65536 + green * 256 + red, each 0 - 255.
using Color = int;
constexpr Color MakeColor(int red, int green, int blue) {
    return blue * 65536 + green * 256 + red;
}
constexpr int RedOf(Color c) {
    return c & 0xFF;
}
constexpr int GreenOf(Color c) {
    return (c >> 8) & 0xFF;
}
constexpr int BlueOf(Color c) {
    return (c >> 16) & 0xFF;
}

// The values of "VEMO.ini" held in memory, one member per section and one field per key, named as in
// the file.  Text is CP932 as in the file; folders too (convert with PathFromCp932 to open files).
// Numbered keys are arrays: Head.Case[0] is "Case1", Programs.Title[4] is "Title5".  The member
// initialisers are the defaults a missing key reads as, except the folders, which default to the
// program folder (see DefaultSettings).
struct Settings {
    struct DirKeys {
        std::string DatDir;  // data folder root
        std::string DatDir2; // second and third data folders of the tree pop-up menu
        std::string DatDir3;
        std::string TmpDir; // folder of the link files "Xyz.txt", "Vemo_Blk.Txt"
    } Dir;

    struct DataKeys {
        bool AutoSave = true;
        int AutoSaveInterval = 15; // minutes; stored as decimal text
        bool Backup = true;        // keep a ".Bak" when a file is overwritten
        int XyzOutType = 1;        // coordinate link file: 0 never, 1 while the list is shown, 2 always
        int BlkOutType = 0;        // parcel link file: 0 all parcels when at most one is selected, 1 selected
        bool SIMALnk = false;      // ".sim" / ".xyz" associated with this program
        bool XyzLnk = false;
    } Data;

    // Labels of the profile lines of a site folder, a coordinate file and a parcel file.
    struct HeadKeys {
        std::array<std::string, 8> Case;
        std::array<std::string, 3> Xyz;
        std::array<std::string, 3> Blk;
        HeadKeys(); // Japanese defaults "口座名", "項目２" .. "項目８", "項目１" .. "項目３"
    } Head;

    // The five external-program commands; an empty title shows "未登録" and disables the command.
    struct ProgramKeys {
        std::array<std::string, 5> Title;
        std::array<std::string, 5> Hint; // keys "Pro1Hint" .. "Pro5Hint"
        std::array<std::string, 5> Program;
    } Programs;

    // Window state of the main window.
    struct ExitKeys {
        int DatTreeWidth = 225; // stored as decimal text
        int SelectedDat = 0;    // absolute index of the selected tree node; stored as decimal text
        int BlockEditWidth = 225;
        int BlockNoWidth = 85;
        bool Normal = true; // the last run ended by closing the main window
    } Exit;

    // The plot's look.
    struct XyzImageKeys {
        bool NoStr = true; // point names in the whole-area view
        bool CrCur = true; // cross-hair cursor
        Color ImageBackColor = 4194304;
        Color CrCuColor = 4194368;
        Color Cir0Color = 16777215;
        Color No0Color = 12632256;
        Color BlkListColor = 12632256;
        Color BlkHitColor = 16776960;
        Color BlkNoColor = 8421631;
        Color XyzLstDbClkColor = 33023;
        Color UpDwnSignColor = 8388863;
        std::array<Color, 3> NoIniColor = {65535, 16744703, 8454016}; // "NoIni1Color" .. "NoIni3Color"
        std::array<std::string, 3> NoIni = {"T", "K-", "B"};          // name initials with own colours
        int SCirSize = 6;                                             // circle size in dots, whole-area view
        int BCirSize = 10;                                            // circle size in dots, enlarged view
        int SFSize = 5;                                               // name font size in points, whole-area view
        int BFSize = 10;                                              // name font size in points, enlarged view
        bool BlkDisp = true;
        bool BlkNameDisp = true;
    } XyzImage;

    struct CalcKeys {
        int BackWardType = 0; // inverse calculation: 0 open (開放型), 1 radial (放射型)
        bool TileDisp = true; // written by the dialog; every run starts tiled, so it is never read back
    } Calc;

    struct KeyboardKeys {
        bool UpperChr = true; // typed letters become upper case
    } Key;

    struct XyzListKeys {
        bool ChWidth = false; // the list width follows its panel
        // Width of the coordinate list area in pixels.  0 means the file holds none: the window then
        // uses 62 widths of the digit "0" of the grid font + 50 pixels, which only it can measure.
        int Width = 0;
    } XyzList;

    // Section "RS-232C": the dialog's list texts, kept as text.
    struct Rs232cKeys {
        std::string Port = "COM1";
        std::string ByteSize = "8";
        std::string Speed = "9600";
        std::string Parity; // "ﾅｼ" (none), "偶数" (even) or "奇数" (odd); default "ﾅｼ"
        std::string StopBits = "2";
        Rs232cKeys();
    } Rs232c;

    // Traverse options, read each time the traverse window is shown.
    struct TrvsKeys {
        int ErrDiv = 1;    // error distribution: 0 transit rule, 1 compass rule
        int HowDirAgl = 1; // default direction angle: 0 outgoing, 1 incoming
        int Ver0 = 1;      // vertical angle zero: 0 horizontal, 1 zenith
        int InputTpBk = 0; // instrument and backsight point entry: 0 off, 1 on
        int InputVer = 0;  // vertical angle entry: 0 off, 1 on
        bool ZUB = false;  // open the traverse window as "ZUB Editor"
        bool ZCalc = false;
        Color DColor = 255;      // direction-angle line
        Color TColor = 8421376;  // closed and connecting traverse lines
        Color OColor = 16711935; // open traverse lines
        Color KTColor = 65535;   // radial move lines
        Color KColor = 32896;    // radial lines
        // Plausibility of a closed or connected traverse: beyond these the adjustment warns first.
        int BlunderAngle = 60;   // angular misclosure per station, seconds (0: no check)
        int BlunderRatio = 1000; // closure ratio 1 / N below which a distance is suspect (0: no check)
    } Trvs;
};

// The defaults of a first start: `DatDir` and `TmpDir` are the program folder (native path, held as
// CP932 like every folder setting).
Settings DefaultSettings(const std::string& exeDir);
// The same with the data folder root and the link-file folder given apart (native paths).
Settings DefaultSettings(const std::string& datDir, const std::string& tmpDir);

// What start-up reads.
struct LoadedSettings {
    Settings values;
    // Problems met while reading (CP932): a window size or interval that is not an integer, an
    // unreadable file.  The default is used instead; the main window shows these and carries on.
    std::vector<std::string> messages;
};

// Reads every key of the file at `iniPath` in one open and close.  Never throws for the file's
// content: a missing file gives the defaults.
LoadedSettings LoadSettings(const std::string& iniPath, const std::string& exeDir);
// The same with the default data folder root and link-file folder given apart (native paths).
LoadedSettings LoadSettings(const std::string& iniPath, const std::string& defaultDatDir,
                            const std::string& defaultTmpDir);

// Per-use reads.
Settings::TrvsKeys LoadTrvsOptions(const std::string& iniPath);
Settings::HeadKeys LoadHeadLabels(const std::string& iniPath);
Settings::ProgramKeys LoadPrograms(const std::string& iniPath);

// The settings dialog's OK: Dir, Data (without the association flags), Head, Programs, XyzImage
// from NoStr to the sizes, Key, Calc, XyzList.ChWidth, RS-232C, Trvs; one open and close.
void SaveDialogSettings(const std::string& iniPath, const Settings& settings);

// The association check boxes write their flag at once.
void SaveSimaLink(const std::string& iniPath, bool associated);
void SaveXyzLink(const std::string& iniPath, bool associated);

// The main window's state at close.
struct WindowState {
    std::optional<int> selectedDat; // absolute index of the selected tree node; nothing when none
    int datTreeWidth = 225;
    int blockEditWidth = 225;
    int blockNoWidth = 85;
    bool blkDisp = true;
    bool blkNameDisp = true;
    int xyzListWidth = 0;
};

// Close: Exit (SelectedDat when a node is selected, DatTreeWidth, Normal = true, BlockEditWidth,
// BlockNoWidth), XyzImage (BlkDisp, BlkNameDisp), XyzList (Width); one open and close.
void SaveWindowState(const std::string& iniPath, const WindowState& state);

// Start-up writes Normal = false at once, so a run that never closes its window leaves it false and
// the next start restores from the auto-save files.
void MarkRunStarted(const std::string& iniPath);

} // namespace vemo
