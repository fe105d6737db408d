#pragma once

#include "core/settings/IniDocument.h"
#include "support/TempDir.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Workspace.h"
#include "ui/settings/ColourButton.h"
#include "ui/settings/SettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace vemo::test {

// How a field is set and read, as a user would: typing, ticking, choosing.
enum class Field { Text, Check, Spin, Combo, Radio, Colour };

// A settings dialog over its own program folder, as start-up creates it, with message boxes captured.
class SettingsDialogTest : public testing::Test {
protected:
    void SetUp() override {
        MessageBox::SetCapture(true);
        MessageBox::ClearShownTexts();
    }
    void TearDown() override {
        dialog.reset();
        workspace.reset();
        ColourButton::clearNextChoice();
        MessageBox::SetCapture(false);
    }
    // A new run: the workspace reads the file, the dialog fills its fields.
    SettingsDialog& Start() {
        dialog.reset();
        workspace = std::make_unique<Workspace>(home.Str());
        dialog = std::make_unique<SettingsDialog>(*workspace);
        return *dialog;
    }
    std::string IniPath() const { return home.File("VEMO.ini"); }
    std::optional<std::string> FileValue(const std::string& section, const std::string& key) const {
        if (!std::filesystem::exists(IniPath())) {
            return std::nullopt;
        }
        return IniDocument(ReadBytes(IniPath())).Find(section, key);
    }

    template <class W> W* Find(const QString& name) const {
        W* widget = dialog->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    void Set(Field kind, const QString& name, const QString& value) const;
    QString Get(Field kind, const QString& name) const;

    TempDir home;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<SettingsDialog> dialog;
};

inline void SettingsDialogTest::Set(Field kind, const QString& name, const QString& value) const {
    switch (kind) {
    case Field::Text:
        Find<QLineEdit>(name)->setText(value);
        break;
    case Field::Check:
        if (Find<QCheckBox>(name)->isChecked() != (value == QLatin1String("1"))) {
            Find<QCheckBox>(name)->click();
        }
        break;
    case Field::Spin:
        Find<QSpinBox>(name)->setValue(value.toInt());
        break;
    case Field::Combo:
        Find<QComboBox>(name)->setEditText(value);
        break;
    case Field::Radio:
        Find<QRadioButton>(name + QLatin1Char('_') + value)->click();
        break;
    case Field::Colour:
        ColourButton::setNextChoice(QColor(value));
        Find<ColourButton>(name)->click();
        break;
    }
}

inline QString SettingsDialogTest::Get(Field kind, const QString& name) const {
    switch (kind) {
    case Field::Text:
        return Find<QLineEdit>(name)->text();
    case Field::Check:
        return Find<QCheckBox>(name)->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    case Field::Spin:
        return QString::number(Find<QSpinBox>(name)->value());
    case Field::Combo:
        return Find<QComboBox>(name)->currentText();
    case Field::Radio:
        for (int i = 0; i < 3; ++i) {
            auto* button = dialog->findChild<QRadioButton*>(name + QLatin1Char('_') + QString::number(i));
            if (button != nullptr && button->isChecked()) {
                return QString::number(i);
            }
        }
        return {};
    case Field::Colour: {
        const Color c = Find<ColourButton>(name)->colour();
        return QColor(RedOf(c), GreenOf(c), BlueOf(c)).name();
    }
    }
    return {};
}

} // namespace vemo::test
