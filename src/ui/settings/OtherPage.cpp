// The pages "RS-232C/その他" and "トラバース計算" of the settings dialog.
#include "core/serial/SerialPortName.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/Hint.h"
#include "ui/settings/ColourButton.h"
#include "ui/settings/PageParts.h"
#include "ui/settings/SettingsPages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vemo {
namespace {

const QString kLinkHint = QStringLiteral("|Vemoがフォーカスを失ったとき座標ファイルを出力するかどうかを指定します");

QComboBox* EditableList(std::initializer_list<const char*> choices, const char* name) {
    auto* list = new QComboBox;
    list->setEditable(true);
    list->setObjectName(QString::fromLatin1(name));
    for (const char* choice : choices) {
        list->addItem(QString::fromUtf8(choice));
    }
    return list;
}

// The Windows port names the surveyor knows, and the Linux devices they stand for.
QString PortMappingText() {
    return QStringLiteral("COM1～COM8 は /dev/ttyS0～/dev/ttyS7 を開きます．\n"
                          "USB 変換ケーブルは /dev/ttyUSB0 のように装置名を入力します．");
}

} // namespace

OtherPage::OtherPage(QWidget* parent) : SettingsPage(parent) {
    QGroupBox* backward = MakeRadioGroup(QStringLiteral("逆座標卦算のデフォルト型"), "BackWardType",
                                         {"開放型(&O)", "放射型(&R)"}, backward_, Qt::Horizontal);
    tile_ = new QCheckBox(QStringLiteral("計算ウィンドウをタイル表示する"));
    tile_->setObjectName(QStringLiteral("TileDisp"));
    upper_ = new QCheckBox(QStringLiteral("Caps キーの On / Off にかかわらず，大文字入力する"));
    upper_->setObjectName(QStringLiteral("UpperChr"));
    QGroupBox* xyzOut =
        MakeRadioGroup(QStringLiteral("フォーカスを失ったときのXyz.Txtの出力"), "XyzOutType",
                       {"出力しない", "座標リストが表示されているときだけ出力する", "常に出力する"}, xyzOut_);
    SetHint(xyzOut, kLinkHint);
    QGroupBox* blkOut = MakeRadioGroup(QStringLiteral("フォーカスを失ったときのVemo_Blk.Txtの出力"), "BlkOutType",
                                       {"１画地選択時は全画地を出力する", "１画地選択時は１画地のみ出力する"}, blkOut_);
    SetHint(blkOut, kLinkHint);
    simaLink_ = new QCheckBox(QStringLiteral(".SIMファイルをVemoに関連付ける"));
    simaLink_->setObjectName(QStringLiteral("SIMALnk"));
    xyzLink_ = new QCheckBox(QStringLiteral(".XyzファイルをVemoに関連付ける"));
    xyzLink_->setObjectName(QStringLiteral("XyzLnk"));
    chWidth_ = new QCheckBox(QStringLiteral("XyzListの幅を可変にする"));
    chWidth_->setObjectName(QStringLiteral("ChWidth"));

    auto* left = new QVBoxLayout;
    left->addWidget(backward);
    left->addWidget(tile_);
    left->addWidget(buildSerial());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(upper_);
    right->addWidget(xyzOut);
    right->addWidget(simaLink_);
    right->addWidget(xyzLink_);
    right->addWidget(blkOut);
    right->addWidget(chWidth_);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);
}

QWidget* OtherPage::buildSerial() {
    auto* box = new QGroupBox(QStringLiteral("RS-232C"));
    auto* grid = new QGridLayout(box);
    serial_ = {EditableList({"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}, "Port"),
               EditableList({"8", "7"}, "ByteSize"), EditableList({"9600", "4800", "2400"}, "Speed"),
               EditableList({"ﾅｼ", "偶数", "奇数"}, "Parity"), EditableList({"2", "1"}, "StopBits")};
    const char* const captions[] = {"Port", "ByteSize", "BaudRate", "Parity", "StopBits"};
    for (size_t i = 0; i < serial_.size(); ++i) {
        grid->addWidget(new QLabel(QString::fromLatin1(captions[i])), static_cast<int>(i), 0);
        grid->addWidget(serial_[i], static_cast<int>(i), 1);
    }
    auto* mapping = new QLabel(PortMappingText());
    mapping->setWordWrap(true);
    grid->addWidget(mapping, static_cast<int>(serial_.size()), 0, 1, 2);
    // The device the chosen port opens, so that a surveyor with a USB cable sees what is used.
    auto* device = new QLabel;
    device->setObjectName(QStringLiteral("PortDevice"));
    grid->addWidget(device, static_cast<int>(serial_.size()) + 1, 0, 1, 2);
    const auto showDevice = [device](const QString& port) {
        device->setText(QStringLiteral("開く装置：") +
                        QString::fromStdString(SerialDevicePath(port.trimmed().toStdString())));
    };
    connect(serial_[0], &QComboBox::currentTextChanged, device, showDevice);
    showDevice(serial_[0]->currentText());
    return box;
}

void OtherPage::fill(const Settings& values) {
    SetChoice(backward_, values.Calc.BackWardType);
    tile_->setChecked(values.Calc.TileDisp);
    const std::array<std::string, 5> serial = {values.Rs232c.Port, values.Rs232c.ByteSize, values.Rs232c.Speed,
                                               values.Rs232c.Parity, values.Rs232c.StopBits};
    for (size_t i = 0; i < serial_.size(); ++i) {
        serial_[i]->setCurrentText(FromCp932(serial[i]));
    }
    upper_->setChecked(values.Key.UpperChr);
    SetChoice(xyzOut_, values.Data.XyzOutType);
    SetChoice(blkOut_, values.Data.BlkOutType);
    // The association boxes act at once when toggled: filling them must not register anything.
    for (auto [box, on] : {std::pair{simaLink_, values.Data.SIMALnk}, std::pair{xyzLink_, values.Data.XyzLnk}}) {
        const QSignalBlocker quiet(box);
        box->setChecked(on);
    }
    chWidth_->setChecked(values.XyzList.ChWidth);
}

void OtherPage::collect(Settings& values) const {
    values.Calc.BackWardType = Choice(backward_);
    values.Calc.TileDisp = tile_->isChecked();
    std::array<std::string*, 5> serial = {&values.Rs232c.Port, &values.Rs232c.ByteSize, &values.Rs232c.Speed,
                                          &values.Rs232c.Parity, &values.Rs232c.StopBits};
    for (size_t i = 0; i < serial_.size(); ++i) {
        *serial[i] = ToCp932OrThrow(serial_[i]->currentText().trimmed());
    }
    values.Key.UpperChr = upper_->isChecked();
    values.Data.XyzOutType = Choice(xyzOut_);
    values.Data.BlkOutType = Choice(blkOut_);
    values.XyzList.ChWidth = chWidth_->isChecked();
}

TraversePage::TraversePage(QWidget* parent) : SettingsPage(parent) {
    auto* radios = new QGridLayout;
    radios->addWidget(
        MakeRadioGroup(QStringLiteral("誤差配分法"), "ErrDiv", {"トランシット法", "コンパス法"}, groups_[0]), 0, 0);
    radios->addWidget(MakeRadioGroup(QStringLiteral("高度角"), "Ver0", {"水平 ０", "天頂 ０"}, groups_[1]), 0, 1);
    radios->addWidget(
        MakeRadioGroup(QStringLiteral("デフォルト方向角"), "HowDirAgl", {"出射方向角", "入射方向角"}, groups_[2]), 0,
        2);
    radios->addWidget(MakeRadioGroup(QStringLiteral("器械・後視点入力"), "InputTpBk", {"Off", "On"}, groups_[3]), 1, 0);
    radios->addWidget(MakeRadioGroup(QStringLiteral("高度角入力"), "InputVer", {"Off", "On"}, groups_[4]), 1, 1);
    zub_ = new QCheckBox(QStringLiteral("トラバース計算を選択実行した時，ZUB Editorを初期画面にする"));
    zub_->setObjectName(QStringLiteral("ZUB"));
    zCalc_ = new QCheckBox(QStringLiteral("デフォルトで　Z 座標計算にチェックを入れる"));
    zCalc_->setObjectName(QStringLiteral("ZCalc"));

    auto* lineBox = new QGroupBox(QStringLiteral("線色"));
    auto* lineGrid = new QGridLayout(lineBox);
    const char* const captions[] = {"閉合・結合　線色", "開放　線色", "放射移動　線色", "放射　線色",
                                    "方向角方向 線色"};
    const char* const names[] = {"TColor", "OColor", "KTColor", "KColor", "DColor"};
    for (size_t i = 0; i < lines_.size(); ++i) {
        lines_[i] = new ColourButton(QString::fromUtf8(captions[i]), ColourButton::Sample::Line);
        lines_[i]->setObjectName(QString::fromLatin1(names[i]));
        lines_[i]->setAutoDefault(false);
        lineGrid->addWidget(lines_[i], static_cast<int>(i) / 3, static_cast<int>(i) % 3);
    }
    auto* blunderBox = new QGroupBox(QStringLiteral("誤差の警告（0 で警告しない）"));
    auto* blunderGrid = new QGridLayout(blunderBox);
    blunderAngle_ = new QSpinBox;
    blunderAngle_->setObjectName(QStringLiteral("BlunderAngle"));
    blunderAngle_->setRange(0, 36000);
    blunderAngle_->setSuffix(QStringLiteral(" 秒"));
    blunderRatio_ = new QSpinBox;
    blunderRatio_->setObjectName(QStringLiteral("BlunderRatio"));
    blunderRatio_->setRange(0, 999999);
    blunderRatio_->setPrefix(QStringLiteral("1 / "));
    blunderGrid->addWidget(new QLabel(QStringLiteral("測角誤差が 1 測点あたり")), 0, 0);
    blunderGrid->addWidget(blunderAngle_, 0, 1);
    blunderGrid->addWidget(new QLabel(QStringLiteral("を超えるとき")), 0, 2);
    blunderGrid->addWidget(new QLabel(QStringLiteral("閉合比が")), 1, 0);
    blunderGrid->addWidget(blunderRatio_, 1, 1);
    blunderGrid->addWidget(new QLabel(QStringLiteral("より悪いとき")), 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(radios);
    layout->addWidget(zub_);
    layout->addWidget(lineBox);
    layout->addWidget(zCalc_);
    layout->addWidget(blunderBox);
    layout->addStretch();
}

void TraversePage::fill(const Settings& values) {
    const Settings::TrvsKeys& t = values.Trvs;
    const std::array<int, 5> choices = {t.ErrDiv, t.Ver0, t.HowDirAgl, t.InputTpBk, t.InputVer};
    for (size_t i = 0; i < groups_.size(); ++i) {
        SetChoice(groups_[i], choices[i]);
    }
    zub_->setChecked(t.ZUB);
    zCalc_->setChecked(t.ZCalc);
    blunderAngle_->setValue(t.BlunderAngle);
    blunderRatio_->setValue(t.BlunderRatio);
    const std::array<Color, 5> colours = {t.TColor, t.OColor, t.KTColor, t.KColor, t.DColor};
    for (size_t i = 0; i < lines_.size(); ++i) {
        lines_[i]->setColour(colours[i]);
    }
}

void TraversePage::collect(Settings& values) const {
    Settings::TrvsKeys& t = values.Trvs;
    std::array<int*, 5> choices = {&t.ErrDiv, &t.Ver0, &t.HowDirAgl, &t.InputTpBk, &t.InputVer};
    for (size_t i = 0; i < groups_.size(); ++i) {
        *choices[i] = Choice(groups_[i]);
    }
    t.ZUB = zub_->isChecked();
    t.ZCalc = zCalc_->isChecked();
    t.BlunderAngle = blunderAngle_->value();
    t.BlunderRatio = blunderRatio_->value();
    std::array<Color*, 5> colours = {&t.TColor, &t.OColor, &t.KTColor, &t.KColor, &t.DColor};
    for (size_t i = 0; i < lines_.size(); ++i) {
        *colours[i] = lines_[i]->colour();
    }
}

} // namespace vemo
