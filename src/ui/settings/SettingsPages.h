#pragma once

#include "core/settings/Settings.h"

#include <QString>
#include <QWidget>

#include <array>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace vemo {

class ColourButton;
class LookPreview;

// A page of the settings dialog (plain widgets: no signals of their own): shows its part of the settings and gives it
// back.  Text fields hold the CP932 settings as Unicode; what cannot be written in CP932 is refused by `collect` with a
// message.
class SettingsPage : public QWidget {
public:
    using QWidget::QWidget;
    virtual void fill(const Settings& values) = 0;
    virtual void collect(Settings& values) const = 0;
};

// "データ": folders, profile labels, backup and auto-save.
class DataPage : public SettingsPage {
public:
    // The captions of the four folder fields, in the order DatDir, TmpDir, DatDir2, DatDir3.
    static inline const std::array<QString, 4> kFolderCaptions = {
        QStringLiteral("ﾃﾞｰﾀﾌｫﾙﾀﾞ"), QStringLiteral("作業ﾌｫﾙﾀﾞ"), QStringLiteral("ﾃﾞｰﾀﾌｫﾙﾀﾞ2"),
        QStringLiteral("ﾃﾞｰﾀﾌｫﾙﾀﾞ3")};

    explicit DataPage(QWidget* parent = nullptr);
    void fill(const Settings& values) override;
    void collect(Settings& values) const override;
    QLineEdit* folderField(size_t index) const { return folders_[index]; }

private:
    std::string folderForSettings(size_t index) const;

    std::array<QLineEdit*, 4> folders_{};    // DatDir, TmpDir, DatDir2, DatDir3
    std::array<std::string, 4> heldFolders_; // as filled (CP932)
    std::array<QString, 4> shownFolders_;    // as shown then (the file system's names)
    std::array<QLineEdit*, 8> caseLabels_{};
    std::array<QLineEdit*, 3> xyzLabels_{};
    std::array<QLineEdit*, 3> blkLabels_{};
    QCheckBox* backup_ = nullptr;
    QCheckBox* autoSave_ = nullptr;
    QSpinBox* interval_ = nullptr;
};

// "実行ファイル": the five external programs.
class ProgramsPage : public SettingsPage {
public:
    explicit ProgramsPage(QWidget* parent = nullptr);
    void fill(const Settings& values) override;
    void collect(Settings& values) const override;

private:
    std::array<QLineEdit*, 5> titles_{};
    std::array<QLineEdit*, 5> programs_{};
    std::array<QLineEdit*, 5> hints_{};
};

// "測点イメージ": the plot's look with its preview.  The colours, initials and sizes are working values:
// every change shows at once in the preview.
class LookPage : public SettingsPage {
public:
    explicit LookPage(QWidget* parent = nullptr);
    void fill(const Settings& values) override;
    void collect(Settings& values) const override;
    // One of the three ready-made looks (0 - 2).
    void applyPreset(int preset);
    const Settings::XyzImageKeys& look() const { return look_; }
    LookPreview* preview() const { return preview_; }

private:
    QWidget* buildColours();
    QWidget* buildSizes();
    QWidget* buildParcelColours();
    ColourButton* addColour(const QString& caption, const char* key, Color Settings::XyzImageKeys::*member);
    void showLook();
    void changed();

    Settings::XyzImageKeys look_;
    LookPreview* preview_ = nullptr;
    QCheckBox* names_ = nullptr;
    QCheckBox* crossHair_ = nullptr;
    ColourButton* crossHairColour_ = nullptr;
    std::array<QLineEdit*, 3> initials_{};
    std::array<ColourButton*, 3> initialColours_{};
    std::array<QSpinBox*, 4> sizes_{}; // SCirSize, SFSize, BCirSize, BFSize
    std::vector<std::pair<ColourButton*, Color Settings::XyzImageKeys::*>> colours_;
    bool filling_ = false;
};

// "RS-232C/その他": inverse default, tiling, the serial line, capitals, link files, associations, list width.
class OtherPage : public SettingsPage {
public:
    explicit OtherPage(QWidget* parent = nullptr);
    void fill(const Settings& values) override;
    void collect(Settings& values) const override;
    QCheckBox* simaLink() const { return simaLink_; }
    QCheckBox* xyzLink() const { return xyzLink_; }

private:
    QWidget* buildSerial();
    QButtonGroup* backward_ = nullptr;
    QCheckBox* tile_ = nullptr;
    std::array<QComboBox*, 5> serial_{}; // Port, ByteSize, Speed, Parity, StopBits
    QCheckBox* upper_ = nullptr;
    QButtonGroup* xyzOut_ = nullptr;
    QButtonGroup* blkOut_ = nullptr;
    QCheckBox* simaLink_ = nullptr;
    QCheckBox* xyzLink_ = nullptr;
    QCheckBox* chWidth_ = nullptr;
};

// "トラバース計算": the traverse options and line colours.
class TraversePage : public SettingsPage {
public:
    explicit TraversePage(QWidget* parent = nullptr);
    void fill(const Settings& values) override;
    void collect(Settings& values) const override;

private:
    std::array<QButtonGroup*, 5> groups_{}; // ErrDiv, Ver0, HowDirAgl, InputTpBk, InputVer
    QCheckBox* zub_ = nullptr;
    QCheckBox* zCalc_ = nullptr;
    std::array<ColourButton*, 5> lines_{}; // TColor, OColor, KTColor, KColor, DColor
    QSpinBox* blunderAngle_ = nullptr;
    QSpinBox* blunderRatio_ = nullptr;
};

} // namespace vemo
