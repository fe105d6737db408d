#pragma once

#include <cstdint>
#include <string>

namespace vemo {

// The four kinds of traverse (radio group "トラバースの型"), by their index in the file and the group.
enum TrvsTypeIndex : int {
    kTrvsClosed = 0,    // 閉合: returns to the start point
    kTrvsConnected = 1, // 結合: runs from one known point to another
    kTrvsOpen = 2,      // 開放: ends at an unknown point, no check
    kTrvsRadial = 3,    // 放射: side shots only
};

// Columns of the traverse table.  Column 0 is the fixed row number; 8 and 9 exist only while Z
// calculation is on (their text is kept while they are hidden).
enum TrvsColumn : int {
    kTrvColNo = 0,
    kTrvColTm = 1,      // turning mode "T", "O" or "K"
    kTrvColInst = 2,    // 器械点, optional
    kTrvColBack = 3,    // 後視点, required with an instrument point
    kTrvColTarget = 4,  // 測点
    kTrvColHAngle = 5,  // 水平角, packed D.MMSS, clockwise from the backsight to the target
    kTrvColVAngle = 6,  // 高度角, packed D.MMSS, zenith or elevation angle by Ver0
    kTrvColSlope = 7,   // 斜距離, metres
    kTrvColInstH = 8,   // 器械高, metres
    kTrvColTargetH = 9, // 視準高, metres
};
constexpr int kTrvsCellCount = 10;
constexpr int kTrvsColumnsWithoutZ = 8;

// The computation works on 2,000 point slots; slot 0 is the start point, and the last two belong to
// the direction markers of the plot, so a table holds at most 1,997 observation rows.
constexpr int kTrvsSlots = 2000;
constexpr int kTrvsMaxRows = 1997;

// Section [Trvs] of the settings, filled by the caller (the window from Settings, vemo-cli from its
// options).  Integer keys count as on when they are not 0.
struct TrvsOptions {
    int ErrDiv = 1;    // 1 compass rule (コンパス法則), 0 transit rule (トランシット法則)
    int HowDirAgl = 1; // default start direction sense: 1 incoming (入射), 0 outgoing (出射)
    int Ver0 = 1;      // 1 zenith angles (天頂 0), 0 elevation angles (水平 0)
    int InputTpBk = 0; // instrument/backsight columns enabled at start
    int InputVer = 0;  // vertical angle column enabled at start
    bool ZCalc = false;
    std::uint32_t DColor = 255;      // direction markers (red in the low byte)
    std::uint32_t TColor = 8421376;  // legs of closed and connected traverses
    std::uint32_t OColor = 16711935; // legs of open traverses
    std::uint32_t KTColor = 65535;   // backsight lines of radial rows with their own instrument
    std::uint32_t KColor = 32896;    // radial lines
    int BlunderAngle = 60;           // warning limit: angular misclosure per station (seconds)
    int BlunderRatio = 1000;         // warning limit: closure ratio 1 / N

    bool CompassRule() const { return ErrDiv != 0; }
    bool ZenithAngles() const { return Ver0 != 0; }
    // The vertical angle of a level sight: 90° from the zenith, 0° from the horizon.
    std::string DefaultVerAngle() const { return Ver0 != 0 ? "90.0000" : "0.0000"; }
};

// The TM letter of a leg for each type: "T" closed and connected, "O" open, "K" radial.
std::string LegLetter(int trvsType);

} // namespace vemo
