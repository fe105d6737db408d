#pragma once

// The key names of "VEMO.ini", each written once: a visitor walks a group of keys and either reads
// them from the file or collects them for writing, so reading and writing cannot disagree on a name.
// The groups follow who writes them (the settings dialog, the association boxes, the close of the main
// window).  Internal to the settings module.

#include "core/settings/Settings.h"

#include <string>

namespace vemo::settings_keys {

inline std::string Numbered(const char* prefix, size_t index, const char* suffix = "") {
    return prefix + std::to_string(index + 1) + suffix;
}

template <class V> void VisitDir(V& v, Settings::DirKeys& k) {
    v.Section("Dir");
    v.Text("DatDir", k.DatDir);
    v.Text("DatDir2", k.DatDir2);
    v.Text("DatDir3", k.DatDir3);
    v.Text("TmpDir", k.TmpDir);
}

// The dialog's part of section Data, in the order it writes them.
template <class V> void VisitDataDialog(V& v, Settings::DataKeys& k) {
    v.Section("Data");
    v.Bool("AutoSave", k.AutoSave);
    v.Bool("Backup", k.Backup);
    v.DecimalText("AutoSaveInterval", k.AutoSaveInterval);
    v.Integer("XyzOutType", k.XyzOutType);
    v.Integer("BlkOutType", k.BlkOutType);
}

template <class V> void VisitDataLinks(V& v, Settings::DataKeys& k) {
    v.Section("Data");
    v.Bool("SIMALnk", k.SIMALnk);
    v.Bool("XyzLnk", k.XyzLnk);
}

template <class V> void VisitHead(V& v, Settings::HeadKeys& k) {
    v.Section("Head");
    for (size_t i = 0; i < k.Case.size(); ++i) {
        v.Text(Numbered("Case", i), k.Case[i]);
    }
    for (size_t i = 0; i < k.Xyz.size(); ++i) {
        v.Text(Numbered("Xyz", i), k.Xyz[i]);
    }
    for (size_t i = 0; i < k.Blk.size(); ++i) {
        v.Text(Numbered("Blk", i), k.Blk[i]);
    }
}

template <class V> void VisitPrograms(V& v, Settings::ProgramKeys& k) {
    v.Section("Programs");
    for (size_t i = 0; i < k.Title.size(); ++i) {
        v.Text(Numbered("Title", i), k.Title[i]);
    }
    for (size_t i = 0; i < k.Hint.size(); ++i) {
        v.Text(Numbered("Pro", i, "Hint"), k.Hint[i]);
    }
    for (size_t i = 0; i < k.Program.size(); ++i) {
        v.Text(Numbered("Program", i), k.Program[i]);
    }
}

template <class V> void VisitExit(V& v, Settings::ExitKeys& k) {
    v.Section("Exit");
    v.DecimalText("DatTreeWidth", k.DatTreeWidth);
    v.DecimalText("SelectedDat", k.SelectedDat);
    v.Integer("BlockEditWidth", k.BlockEditWidth);
    v.Integer("BlockNoWidth", k.BlockNoWidth);
    v.Bool("Normal", k.Normal);
}

// The plot's look, from NoStr to the sizes: what the dialog edits and the main window re-reads.
template <class V> void VisitXyzImageLook(V& v, Settings::XyzImageKeys& k) {
    v.Section("XyzImage");
    v.Bool("NoStr", k.NoStr);
    v.Bool("CrCur", k.CrCur);
    v.Integer("ImageBackColor", k.ImageBackColor);
    v.Integer("CrCuColor", k.CrCuColor);
    v.Integer("Cir0Color", k.Cir0Color);
    v.Integer("No0Color", k.No0Color);
    v.Integer("BlkListColor", k.BlkListColor);
    v.Integer("BlkHitColor", k.BlkHitColor);
    v.Integer("BlkNoColor", k.BlkNoColor);
    v.Integer("XyzLstDbClkColor", k.XyzLstDbClkColor);
    v.Integer("UpDwnSignColor", k.UpDwnSignColor);
    for (size_t i = 0; i < k.NoIniColor.size(); ++i) {
        v.Integer(Numbered("NoIni", i, "Color"), k.NoIniColor[i]);
    }
    for (size_t i = 0; i < k.NoIni.size(); ++i) {
        v.Text(Numbered("NoIni", i), k.NoIni[i]);
    }
    v.Integer("SCirSize", k.SCirSize);
    v.Integer("SFSize", k.SFSize);
    v.Integer("BCirSize", k.BCirSize);
    v.Integer("BFSize", k.BFSize);
}

template <class V> void VisitXyzImageDisplay(V& v, Settings::XyzImageKeys& k) {
    v.Section("XyzImage");
    v.Bool("BlkDisp", k.BlkDisp);
    v.Bool("BlkNameDisp", k.BlkNameDisp);
}

template <class V> void VisitKey(V& v, Settings::KeyboardKeys& k) {
    v.Section("Key");
    v.Bool("UpperChr", k.UpperChr);
}

template <class V> void VisitCalc(V& v, Settings::CalcKeys& k) {
    v.Section("Calc");
    v.Integer("BackWardType", k.BackWardType);
    v.Bool("TileDisp", k.TileDisp);
}

template <class V> void VisitXyzListChWidth(V& v, Settings::XyzListKeys& k) {
    v.Section("XyzList");
    v.Bool("ChWidth", k.ChWidth);
}

template <class V> void VisitXyzListWidth(V& v, Settings::XyzListKeys& k) {
    v.Section("XyzList");
    v.Integer("Width", k.Width);
}

template <class V> void VisitRs232c(V& v, Settings::Rs232cKeys& k) {
    v.Section("RS-232C");
    v.Text("Port", k.Port);
    v.Text("ByteSize", k.ByteSize);
    v.Text("Speed", k.Speed);
    v.Text("Parity", k.Parity);
    v.Text("StopBits", k.StopBits);
}

template <class V> void VisitTrvs(V& v, Settings::TrvsKeys& k) {
    v.Section("Trvs");
    v.Integer("ErrDiv", k.ErrDiv);
    v.Integer("Ver0", k.Ver0);
    v.Integer("HowDirAgl", k.HowDirAgl);
    v.Integer("InputTpBk", k.InputTpBk);
    v.Integer("InputVer", k.InputVer);
    v.Bool("ZUB", k.ZUB);
    v.Bool("ZCalc", k.ZCalc);
    v.Integer("TColor", k.TColor);
    v.Integer("OColor", k.OColor);
    v.Integer("KTColor", k.KTColor);
    v.Integer("KColor", k.KColor);
    v.Integer("DColor", k.DColor);
    v.Integer("BlunderAngle", k.BlunderAngle);
    v.Integer("BlunderRatio", k.BlunderRatio);
}

} // namespace vemo::settings_keys
