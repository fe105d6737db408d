#include "ui/plot/PlotSettings.h"

#include "core/settings/Settings.h"

namespace vemo {

QColor ColourFromBgr(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int PlotSettings::NameColourIndex(const std::string& name) const {
    for (int i = 0; i < 3; ++i) {
        const std::string& initial = initials[i];
        if (!initial.empty() && name.compare(0, initial.size(), initial) == 0) {
            return i + 1;
        }
    }
    return 0;
}

int PlotSettings::NameColour(const std::string& name) const {
    const int index = NameColourIndex(name);
    return index == 0 ? nameColour : initialColours[index - 1];
}

PlotSettings PlotSettingsFrom(const Settings& settings) {
    const auto& keys = settings.XyzImage;
    PlotSettings s;
    s.backColour = keys.ImageBackColor;
    s.crossHairColour = keys.CrCuColor;
    s.circleColour = keys.Cir0Color;
    s.nameColour = keys.No0Color;
    s.parcelColour = keys.BlkListColor;
    s.parcelHitColour = keys.BlkHitColor;
    s.ringColour = keys.BlkNoColor;
    s.highlightColour = keys.XyzLstDbClkColor;
    s.gestureColour = keys.UpDwnSignColor;
    s.initials = keys.NoIni;
    s.initialColours = keys.NoIniColor;
    s.smallCircle = keys.SCirSize;
    s.bigCircle = keys.BCirSize;
    s.smallFont = keys.SFSize;
    s.bigFont = keys.BFSize;
    s.crossHair = keys.CrCur;
    s.namesInOverview = keys.NoStr;
    s.parcels = keys.BlkDisp;
    s.parcelNames = keys.BlkNameDisp;
    return s;
}

} // namespace vemo
