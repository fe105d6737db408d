#include "core/settings/Settings.h"

#include "core/settings/IniFile.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/SettingsKeys.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesSettings.h"
#include "core/text/Numbers.h"

#include <algorithm>

namespace vemo {
using namespace settings_keys;

namespace {

// Reads a group of keys from the file; a missing key keeps the value it had, the default.
class KeyReader {
public:
    KeyReader(const IniDocument& document, std::vector<std::string>* messages)
        : document_(document), messages_(messages) {}

    void Section(std::string_view name) { section_ = name; }
    void Text(const std::string& key, std::string& value) { value = document_.ReadString(section_, key, value); }
    void Integer(const std::string& key, int& value) { value = document_.ReadInteger(section_, key, value); }
    void Bool(const std::string& key, bool& value) { value = document_.ReadBool(section_, key, value); }

    // Text that the program converts with the strict conversion: a value that is not an integer is a
    // damaged file, which the user is told about; the default keeps the program usable.
    void DecimalText(const std::string& key, int& value) {
        auto text = document_.Find(section_, key);
        if (!text) {
            return;
        }
        try {
            value = StrToInt(*text);
        } catch (const Error& e) {
            if (messages_ != nullptr) {
                messages_->push_back(msg::SettingUnreadable(e.what(), section_, key, value));
            }
        }
    }

private:
    const IniDocument& document_;
    std::vector<std::string>* messages_;
    std::string section_;
};

// Collects a group of keys for one write of the file.
class KeyWriter {
public:
    void Section(std::string_view name) { section_ = name; }
    void Text(const std::string& key, const std::string& value) { batch_.String(section_, key, value); }
    void Integer(const std::string& key, int value) { batch_.Integer(section_, key, value); }
    void Bool(const std::string& key, bool value) { batch_.Bool(section_, key, value); }
    void DecimalText(const std::string& key, int value) { batch_.Integer(section_, key, value); }

    const IniBatch& Batch() const { return batch_; }

private:
    IniBatch batch_;
    std::string section_;
};

IniDocument LoadForReading(const std::string& iniPath) {
    try {
        return IniFile(iniPath).Load();
    } catch (const Error&) {
        return IniDocument();
    }
}

void ReadAll(KeyReader& r, Settings& s) {
    VisitDir(r, s.Dir);
    VisitDataDialog(r, s.Data);
    VisitDataLinks(r, s.Data);
    VisitHead(r, s.Head);
    VisitPrograms(r, s.Programs);
    VisitExit(r, s.Exit);
    VisitXyzImageLook(r, s.XyzImage);
    VisitXyzImageDisplay(r, s.XyzImage);
    VisitCalc(r, s.Calc);
    VisitKey(r, s.Key);
    VisitXyzListChWidth(r, s.XyzList);
    VisitXyzListWidth(r, s.XyzList);
    VisitRs232c(r, s.Rs232c);
    VisitTrvs(r, s.Trvs);
}

// Values the dialog can only offer within a range (its step buttons, its radio groups).  A value
// outside is brought to the nearest end, and the surveyor is told once, in one message naming each.
void ClampToRanges(Settings& s, std::vector<std::string>& messages) {
    struct Range {
        const char* section;
        const char* key;
        int* value;
        int low, high;
    };
    const Range ranges[] = {
        {"Data", "AutoSaveInterval", &s.Data.AutoSaveInterval, 0, 120},
        {"Data", "XyzOutType", &s.Data.XyzOutType, 0, 2},
        {"XyzImage", "SCirSize", &s.XyzImage.SCirSize, 1, 50},
        {"XyzImage", "SFSize", &s.XyzImage.SFSize, 1, 50},
        {"XyzImage", "BCirSize", &s.XyzImage.BCirSize, 1, 50},
        {"XyzImage", "BFSize", &s.XyzImage.BFSize, 1, 50},
        {"Calc", "BackWardType", &s.Calc.BackWardType, 0, 1},
        {"Trvs", "ErrDiv", &s.Trvs.ErrDiv, 0, 1},
        {"Trvs", "Ver0", &s.Trvs.Ver0, 0, 1},
        {"Trvs", "HowDirAgl", &s.Trvs.HowDirAgl, 0, 1},
        {"Trvs", "InputTpBk", &s.Trvs.InputTpBk, 0, 1},
        {"Trvs", "InputVer", &s.Trvs.InputVer, 0, 1},
    };
    std::string changed;
    for (const Range& r : ranges) {
        const int kept = std::clamp(*r.value, r.low, r.high);
        if (kept != *r.value) {
            changed += Sprintf("\n[%s] %s=%d -> %d", r.section, r.key, *r.value, kept);
            *r.value = kept;
        }
    }
    if (!changed.empty()) {
        messages.push_back(msg::SettingsOutOfRange(changed));
    }
}

} // namespace

Settings::HeadKeys::HeadKeys() {
    static const char* const kDigits[] = {"１", "２", "３", "４", "５", "６", "７", "８"};
    Case[0] = Jp("口座名");
    for (size_t i = 1; i < Case.size(); ++i) {
        Case[i] = Jp(std::string("項目") + kDigits[i]);
    }
    for (size_t i = 0; i < Xyz.size(); ++i) {
        Xyz[i] = Jp(std::string("項目") + kDigits[i]);
        Blk[i] = Xyz[i];
    }
}

Settings::Rs232cKeys::Rs232cKeys() : Parity(Jp("ﾅｼ")) {}

Settings DefaultSettings(const std::string& exeDir) {
    return DefaultSettings(exeDir, exeDir);
}

Settings DefaultSettings(const std::string& datDir, const std::string& tmpDir) {
    Settings s;
    s.Dir.DatDir = PathToCp932(datDir);
    s.Dir.TmpDir = PathToCp932(tmpDir);
    return s;
}

LoadedSettings LoadSettings(const std::string& iniPath, const std::string& exeDir) {
    return LoadSettings(iniPath, exeDir, exeDir);
}

LoadedSettings LoadSettings(const std::string& iniPath, const std::string& defaultDatDir,
                            const std::string& defaultTmpDir) {
    LoadedSettings result;
    result.values = DefaultSettings(defaultDatDir, defaultTmpDir);
    IniDocument document;
    try {
        document = IniFile(iniPath).Load();
    } catch (const Error& e) {
        result.messages.push_back(e.what());
    }
    KeyReader reader(document, &result.messages);
    ReadAll(reader, result.values);
    ClampToRanges(result.values, result.messages);
    Settings& s = result.values;
    // Every run starts with the calculation window tiled, whatever the file holds.
    s.Calc.TileDisp = true;
    // An empty folder would put the data tree and the link files in whatever folder is current; the
    // default folders are the only sound places.
    if (TrimView(s.Dir.DatDir).empty()) {
        s.Dir.DatDir = PathToCp932(defaultDatDir);
    }
    if (TrimView(s.Dir.TmpDir).empty()) {
        s.Dir.TmpDir = PathToCp932(defaultTmpDir);
    }
    return result;
}

namespace {

// One group of keys read on its own, in one open of the file.
template <typename Keys, typename Visit> Keys LoadGroup(const std::string& iniPath, Visit visit) {
    IniDocument document = LoadForReading(iniPath);
    KeyReader reader(document, nullptr);
    Keys keys;
    visit(reader, keys);
    return keys;
}

} // namespace

Settings::TrvsKeys LoadTrvsOptions(const std::string& iniPath) {
    return LoadGroup<Settings::TrvsKeys>(iniPath, [](KeyReader& r, Settings::TrvsKeys& k) { VisitTrvs(r, k); });
}

Settings::HeadKeys LoadHeadLabels(const std::string& iniPath) {
    return LoadGroup<Settings::HeadKeys>(iniPath, [](KeyReader& r, Settings::HeadKeys& k) { VisitHead(r, k); });
}

Settings::ProgramKeys LoadPrograms(const std::string& iniPath) {
    return LoadGroup<Settings::ProgramKeys>(iniPath,
                                            [](KeyReader& r, Settings::ProgramKeys& k) { VisitPrograms(r, k); });
}

void SaveDialogSettings(const std::string& iniPath, const Settings& settings) {
    // The visitors take the groups by reference for reading; writing only looks at the copy.
    Settings s = settings;
    KeyWriter w;
    VisitDir(w, s.Dir);
    VisitDataDialog(w, s.Data);
    VisitHead(w, s.Head);
    VisitPrograms(w, s.Programs);
    VisitXyzImageLook(w, s.XyzImage);
    VisitKey(w, s.Key);
    VisitCalc(w, s.Calc);
    VisitXyzListChWidth(w, s.XyzList);
    VisitRs232c(w, s.Rs232c);
    VisitTrvs(w, s.Trvs);
    IniFile(iniPath).Write(w.Batch());
}

void SaveSimaLink(const std::string& iniPath, bool associated) {
    IniFile(iniPath).WriteBool("Data", "SIMALnk", associated);
}

void SaveXyzLink(const std::string& iniPath, bool associated) {
    IniFile(iniPath).WriteBool("Data", "XyzLnk", associated);
}

void SaveWindowState(const std::string& iniPath, const WindowState& state) {
    IniBatch batch;
    if (state.selectedDat) {
        batch.Integer("Exit", "SelectedDat", *state.selectedDat);
    }
    batch.Integer("Exit", "DatTreeWidth", state.datTreeWidth)
        .Bool("Exit", "Normal", true)
        .Integer("Exit", "BlockEditWidth", state.blockEditWidth)
        .Integer("Exit", "BlockNoWidth", state.blockNoWidth)
        .Bool("XyzImage", "BlkDisp", state.blkDisp)
        .Bool("XyzImage", "BlkNameDisp", state.blkNameDisp)
        .Integer("XyzList", "Width", state.xyzListWidth);
    IniFile(iniPath).Write(batch);
}

void MarkRunStarted(const std::string& iniPath) {
    IniFile(iniPath).WriteBool("Exit", "Normal", false);
}

} // namespace vemo
