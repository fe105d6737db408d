#include "core/settings/DialogValues.h"
#include "core/settings/ProgramFolder.h"
#include "core/text/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

// The presets, worked out as red, green and blue: a swapped pair of columns or rows would show here.
TEST(LookPreset, EachKeyGivesItsColoursAndSizesAndKeepsInitialsAndSwitches) {
    struct Expected {
        int preset;
        Color back, crossHair, circle, name, parcelHit, zoomSign, initial1;
        int smallCircle, smallFont;
    };
    const Expected table[] = {
        {0, MakeColor(0, 0, 64), MakeColor(64, 0, 64), MakeColor(255, 255, 255), MakeColor(192, 192, 192),
         MakeColor(0, 255, 255), MakeColor(255, 0, 128), MakeColor(255, 255, 0), 4, 5},
        {1, MakeColor(255, 255, 255), MakeColor(128, 128, 128), MakeColor(64, 128, 128), MakeColor(64, 0, 64),
         MakeColor(0, 0, 255), MakeColor(0, 128, 64), MakeColor(255, 128, 64), 6, 6},
        {2, MakeColor(127, 127, 127), MakeColor(0, 64, 128), MakeColor(64, 0, 128), MakeColor(0, 0, 0),
         MakeColor(0, 0, 160), MakeColor(0, 64, 128), MakeColor(255, 255, 128), 6, 6},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.preset);
        Settings::XyzImageKeys look;
        look.NoIni = {"A", "B", "C"};
        look.CrCur = false;
        look.BFSize = 33;
        ApplyLookPreset(look, e.preset);
        EXPECT_EQ(look.ImageBackColor, e.back);
        EXPECT_EQ(look.CrCuColor, e.crossHair);
        EXPECT_EQ(look.Cir0Color, e.circle);
        EXPECT_EQ(look.No0Color, e.name);
        EXPECT_EQ(look.BlkHitColor, e.parcelHit);
        EXPECT_EQ(look.UpDwnSignColor, e.zoomSign);
        EXPECT_EQ(look.NoIniColor[0], e.initial1);
        EXPECT_EQ(look.SCirSize, e.smallCircle);
        EXPECT_EQ(look.SFSize, e.smallFont);
        EXPECT_EQ(look.BCirSize, 10);
        EXPECT_EQ(look.BFSize, 10);
        EXPECT_EQ(look.NoIni[1], "B");
        EXPECT_FALSE(look.CrCur);
    }
    Settings::XyzImageKeys untouched;
    ApplyLookPreset(untouched, 3);
    EXPECT_EQ(untouched.ImageBackColor, Settings::XyzImageKeys().ImageBackColor);
}

// OK takes what the dialog edits and nothing that other commands own.
TEST(TakeDialogValues, KeepsWindowStateAndAssociationFlags) {
    Settings target;
    target.Exit.DatTreeWidth = 300;
    target.XyzImage.BlkDisp = false;
    target.Data.SIMALnk = true;
    Settings dialog;
    dialog.Data.SIMALnk = false;
    dialog.Data.AutoSaveInterval = 3;
    dialog.XyzImage.ImageBackColor = 99;
    dialog.Programs.Title[4] = "CAD";
    TakeDialogValues(target, dialog);
    EXPECT_EQ(target.Data.AutoSaveInterval, 3);
    EXPECT_EQ(target.XyzImage.ImageBackColor, 99);
    EXPECT_EQ(target.Programs.Title[4], "CAD");
    EXPECT_TRUE(target.Data.SIMALnk);
    EXPECT_FALSE(target.XyzImage.BlkDisp);
    EXPECT_EQ(target.Exit.DatTreeWidth, 300);
}

} // namespace
} // namespace vemo
