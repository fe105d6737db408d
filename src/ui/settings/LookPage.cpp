// The page "測点イメージ" of the settings dialog: the plot's colours, initials and sizes with a preview.
#include "core/settings/DialogValues.h"
#include "ui/common/Cp932Text.h"
#include "ui/settings/ColourButton.h"
#include "ui/settings/LookPreview.h"
#include "ui/settings/SettingsPages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vemo {
namespace {

constexpr int kMinSize = 1;
constexpr int kMaxSize = 50;
using Look = Settings::XyzImageKeys;
constexpr std::array<int Look::*, 4> kSizeMembers = {&Look::SCirSize, &Look::SFSize, &Look::BCirSize, &Look::BFSize};

} // namespace

LookPage::LookPage(QWidget* parent) : SettingsPage(parent) {
    preview_ = new LookPreview;
    names_ = new QCheckBox(QStringLiteral("全点表示時の点名表示をﾃﾞﾌｫﾙﾄに設定"));
    names_->setObjectName(QStringLiteral("NoStr"));
    crossHair_ = new QCheckBox(QStringLiteral("クロスカーソル"));
    crossHair_->setObjectName(QStringLiteral("CrCur"));
    connect(names_, &QCheckBox::toggled, this, &LookPage::changed);
    connect(crossHair_, &QCheckBox::toggled, this, &LookPage::changed);

    auto* columns = new QHBoxLayout;
    columns->addWidget(buildColours());
    auto* right = new QVBoxLayout;
    right->addWidget(buildSizes());
    auto* crossRow = new QHBoxLayout;
    crossRow->addWidget(crossHair_);
    crossHairColour_ = addColour(QStringLiteral("カーソル色"), "CrCuColor", &Look::CrCuColor);
    crossRow->addWidget(crossHairColour_);
    right->addLayout(crossRow);
    right->addWidget(addColour(QStringLiteral("背景色"), "ImageBackColor", &Look::ImageBackColor));
    right->addWidget(buildParcelColours());
    right->addWidget(addColour(QStringLiteral("拡大・縮小サイン色"), "UpDwnSignColor", &Look::UpDwnSignColor));
    right->addStretch();
    columns->addLayout(right);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(preview_);
    layout->addWidget(names_);
    layout->addLayout(columns);
    layout->addWidget(
        new QLabel(QStringLiteral("OK ボタンにフォーカスがあるとき Ctrl+F1 ～ F3 で配色の見本を選べます")));
}

ColourButton* LookPage::addColour(const QString& caption, const char* key, Color Look::*member) {
    auto* button = new ColourButton(caption);
    button->setObjectName(QString::fromLatin1(key));
    button->setAutoDefault(false);
    colours_.emplace_back(button, member);
    connect(button, &ColourButton::colourChosen, this, [this, member](Color colour) {
        look_.*member = colour;
        showLook();
    });
    return button;
}

QWidget* LookPage::buildColours() {
    auto* box = new QGroupBox(QStringLiteral("Noｲﾆｼｬﾙ･色"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(addColour(QStringLiteral("測点円色"), "Cir0Color", &Look::Cir0Color), 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("イニシャルなし")), 1, 0);
    grid->addWidget(addColour(QStringLiteral("点名文字色"), "No0Color", &Look::No0Color), 1, 1);
    for (size_t i = 0; i < initials_.size(); ++i) {
        const int row = static_cast<int>(i) + 2;
        initials_[i] = new QLineEdit;
        initials_[i]->setObjectName(QStringLiteral("NoIni%1").arg(i + 1));
        initials_[i]->setMaximumWidth(80);
        connect(initials_[i], &QLineEdit::textChanged, this, &LookPage::changed);
        grid->addWidget(initials_[i], row, 0);
        initialColours_[i] = new ColourButton(QStringLiteral("点名文字色"));
        initialColours_[i]->setObjectName(QStringLiteral("NoIni%1Color").arg(i + 1));
        initialColours_[i]->setAutoDefault(false);
        connect(initialColours_[i], &ColourButton::colourChosen, this, [this, i](Color colour) {
            look_.NoIniColor[i] = colour;
            showLook();
        });
        grid->addWidget(initialColours_[i], row, 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("座標ﾘｽﾄｸﾘｯｸ")), 5, 0);
    grid->addWidget(addColour(QStringLiteral("点名文字色"), "XyzLstDbClkColor", &Look::XyzLstDbClkColor), 5, 1);
    return box;
}

QWidget* LookPage::buildSizes() {
    auto* box = new QGroupBox(QStringLiteral("円･文字のサイズ"));
    auto* grid = new QGridLayout(box);
    const char* const captions[] = {"全点表示時の円(ﾄﾞｯﾄ)", "全点表示時の文字(ﾎﾟｲﾝﾄ)", "拡大表示時の円(ﾄﾞｯﾄ)",
                                    "拡大表示時の文字(ﾎﾟｲﾝﾄ)"};
    const char* const names[] = {"SCirSize", "SFSize", "BCirSize", "BFSize"};
    for (size_t i = 0; i < sizes_.size(); ++i) {
        sizes_[i] = new QSpinBox;
        sizes_[i]->setObjectName(QString::fromLatin1(names[i]));
        sizes_[i]->setRange(kMinSize, kMaxSize);
        connect(sizes_[i], &QSpinBox::valueChanged, this, &LookPage::changed);
        grid->addWidget(new QLabel(QString::fromUtf8(captions[i])), static_cast<int>(i), 0);
        grid->addWidget(sizes_[i], static_cast<int>(i), 1);
    }
    return box;
}

QWidget* LookPage::buildParcelColours() {
    auto* box = new QGroupBox(QStringLiteral("画地色"));
    auto* row = new QHBoxLayout(box);
    row->addWidget(addColour(QStringLiteral("登録済画地"), "BlkListColor", &Look::BlkListColor));
    row->addWidget(addColour(QStringLiteral("クリック画地"), "BlkHitColor", &Look::BlkHitColor));
    row->addWidget(addColour(QStringLiteral("編集中画地"), "BlkNoColor", &Look::BlkNoColor));
    return box;
}

// A field changed by the user: the working values follow it and the preview is redrawn.
void LookPage::changed() {
    if (filling_) {
        return;
    }
    look_.NoStr = names_->isChecked();
    look_.CrCur = crossHair_->isChecked();
    for (size_t i = 0; i < initials_.size(); ++i) {
        // A character that has no CP932 form cannot be an initial of a stored point name.
        look_.NoIni[i] = ToCp932(initials_[i]->text()).value_or(look_.NoIni[i]);
    }
    for (size_t i = 0; i < sizes_.size(); ++i) {
        look_.*kSizeMembers[i] = sizes_[i]->value();
    }
    showLook();
}

// Shows the working values in the fields and the preview.
void LookPage::showLook() {
    filling_ = true;
    names_->setChecked(look_.NoStr);
    crossHair_->setChecked(look_.CrCur);
    crossHairColour_->setEnabled(look_.CrCur);
    for (auto& [button, member] : colours_) {
        button->setColour(look_.*member);
    }
    for (size_t i = 0; i < initials_.size(); ++i) {
        if (ToCp932(initials_[i]->text()) != look_.NoIni[i]) {
            initials_[i]->setText(FromCp932(look_.NoIni[i]));
        }
        initialColours_[i]->setColour(look_.NoIniColor[i]);
    }
    for (size_t i = 0; i < sizes_.size(); ++i) {
        sizes_[i]->setValue(look_.*kSizeMembers[i]);
    }
    filling_ = false;
    preview_->setLook(look_);
}

void LookPage::applyPreset(int preset) {
    ApplyLookPreset(look_, preset);
    showLook();
}

void LookPage::fill(const Settings& values) {
    look_ = values.XyzImage;
    showLook();
}

void LookPage::collect(Settings& values) const {
    const bool parcels = values.XyzImage.BlkDisp;
    const bool parcelNames = values.XyzImage.BlkNameDisp;
    values.XyzImage = look_;
    values.XyzImage.BlkDisp = parcels;
    values.XyzImage.BlkNameDisp = parcelNames;
}

} // namespace vemo
