#pragma once

#include "core/settings/Settings.h"

#include <QColor>
#include <QPushButton>

#include <optional>

namespace vemo {

// A button that shows a colour (a filled swatch, or a sample line for the traverse line colours) and
// opens the colour chooser with it; the chosen colour replaces it.
class ColourButton : public QPushButton {
    Q_OBJECT
public:
    enum class Sample { Swatch, Line };
    ColourButton(const QString& caption, Sample sample = Sample::Swatch, QWidget* parent = nullptr);

    Color colour() const { return colour_; }
    // Sets the colour without announcing it (filling the fields).
    void setColour(Color colour);

    // Tests answer the next colour chooser with this colour (or a cancel), so they never wait on it.
    static void setNextChoice(std::optional<QColor> colour);
    static void clearNextChoice();

signals:
    // The user chose a colour.
    void colourChosen(vemo::Color colour);

private:
    void choose();
    void updateSample();

    Color colour_ = 0;
    Sample sample_;
};

} // namespace vemo
