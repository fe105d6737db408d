#pragma once

#include <QColor>

#include <array>
#include <string>

namespace vemo {

struct Settings;

// Colour as the settings file holds it (blue * 65536 + green * 256 + red) to a QColor.
QColor ColourFromBgr(int bgr);

// The look of the plot, taken from section [XyzImage] of the settings.  Colours stay in the file's
// integer form because one of them is derived arithmetically from two others (DimmedParcelColour).
struct PlotSettings {
    int backColour = 4194304;                               // ImageBackColor: background, also what erases
    int crossHairColour = 4194368;                          // CrCuColor
    int circleColour = 16777215;                            // Cir0Color: outline of every point circle
    int nameColour = 12632256;                              // No0Color: names matching no initial
    int parcelColour = 12632256;                            // BlkListColor
    int parcelHitColour = 16776960;                         // BlkHitColor: picked parcel and calculation overlays
    int ringColour = 8421631;                               // BlkNoColor: the ring being edited
    int highlightColour = 33023;                            // XyzLstDbClkColor
    int gestureColour = 8388863;                            // UpDwnSignColor
    std::array<std::string, 3> initials = {"T", "K-", "B"}; // NoIni1..3 (CP932 bytes)
    std::array<int, 3> initialColours = {65535, 16744703, 8454016};
    int smallCircle = 6;         // SCirSize: circle diameter in the overview
    int bigCircle = 10;          // BCirSize: circle diameter in detail
    int smallFont = 5;           // SFSize: name size (points) in the overview
    int bigFont = 10;            // BFSize: name size in detail
    bool crossHair = true;       // CrCur
    bool namesInOverview = true; // NoStr: initial state of ImgPNameDisp
    bool parcels = true;         // BlkDisp: initial state of ImgBlkDisp
    bool parcelNames = true;     // BlkNameDisp: initial state of ImgBlkNameDisp

    // Colour of a point name: the first of NoIni1, NoIni2, NoIni3 that the name begins with (byte-wise,
    // an empty initial matches nothing), otherwise No0Color.  Returns the index 0 (No0Color) .. 3.
    int NameColourIndex(const std::string& name) const;
    int NameColour(const std::string& name) const;

    // Registered parcels with the parcel editor hidden: the two 24-bit numbers of BlkListColor and
    // ImageBackColor added and halved, which gives a dimmed outline with the default colours.
    int DimmedParcelColour() const { return (parcelColour + backColour) / 2; }
};

// Fills the plot's settings from the settings file model.
PlotSettings PlotSettingsFrom(const Settings& settings);

} // namespace vemo
