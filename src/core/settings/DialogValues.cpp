#include "core/settings/DialogValues.h"

#include <array>

namespace vemo {
namespace {

struct LookPreset {
    Color back, crossHair, circle, name, parcel, parcelHit, parcelEdited, listClick, zoomSign;
    std::array<Color, 3> initials;
    int smallCircle, smallFont, bigCircle, bigFont;
};

constexpr std::array<LookPreset, 3> kLookPresets = {{
    {4194304,
     4194368,
     16777215,
     12632256,
     12632256,
     16776960,
     8421631,
     33023,
     8388863,
     {65535, 16777088, 8454016},
     4,
     5,
     10,
     10},
    {16777215,
     8421504,
     8421440,
     4194368,
     12632256,
     16711680,
     255,
     255,
     4227072,
     {4227327, 16711935, 16744576},
     6,
     6,
     10,
     10},
    {8355711, 8404992, 8388672, 0, 16777215, 10485760, 255, 255, 8404992, {8454143, 16777088, 8454016}, 6, 6, 10, 10},
}};

} // namespace

void ApplyLookPreset(Settings::XyzImageKeys& look, int preset) {
    if (preset < 0 || preset >= static_cast<int>(kLookPresets.size())) {
        return;
    }
    const LookPreset& p = kLookPresets[static_cast<size_t>(preset)];
    look.ImageBackColor = p.back;
    look.CrCuColor = p.crossHair;
    look.Cir0Color = p.circle;
    look.No0Color = p.name;
    look.BlkListColor = p.parcel;
    look.BlkHitColor = p.parcelHit;
    look.BlkNoColor = p.parcelEdited;
    look.XyzLstDbClkColor = p.listClick;
    look.UpDwnSignColor = p.zoomSign;
    look.NoIniColor = p.initials;
    look.SCirSize = p.smallCircle;
    look.SFSize = p.smallFont;
    look.BCirSize = p.bigCircle;
    look.BFSize = p.bigFont;
}

void TakeDialogValues(Settings& target, const Settings& dialog) {
    target.Dir = dialog.Dir;
    const bool simaLink = target.Data.SIMALnk;
    const bool xyzLink = target.Data.XyzLnk;
    target.Data = dialog.Data;
    target.Data.SIMALnk = simaLink;
    target.Data.XyzLnk = xyzLink;
    target.Head = dialog.Head;
    target.Programs = dialog.Programs;
    const bool parcels = target.XyzImage.BlkDisp;
    const bool parcelNames = target.XyzImage.BlkNameDisp;
    target.XyzImage = dialog.XyzImage;
    target.XyzImage.BlkDisp = parcels;
    target.XyzImage.BlkNameDisp = parcelNames;
    target.Key = dialog.Key;
    target.Calc = dialog.Calc;
    target.XyzList.ChWidth = dialog.XyzList.ChWidth;
    target.Rs232c = dialog.Rs232c;
    target.Trvs = dialog.Trvs;
}

} // namespace vemo
