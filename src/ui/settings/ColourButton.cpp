#include "ui/settings/ColourButton.h"

#include "ui/plot/PlotSettings.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace vemo {
namespace {

constexpr int kSampleWidth = 32;
constexpr int kSampleHeight = 14;

struct ScriptedChoice {
    bool set = false;
    std::optional<QColor> colour;
};
ScriptedChoice& Scripted() {
    static ScriptedChoice choice;
    return choice;
}

QColor AskColour(const QColor& current, QWidget* parent, const QString& title) {
    if (Scripted().set) {
        Scripted().set = false;
        return Scripted().colour.value_or(QColor());
    }
    return QColorDialog::getColor(current, parent, title);
}

} // namespace

void ColourButton::setNextChoice(std::optional<QColor> colour) {
    Scripted() = {true, colour};
}

void ColourButton::clearNextChoice() {
    Scripted() = {};
}

ColourButton::ColourButton(const QString& caption, Sample sample, QWidget* parent)
    : QPushButton(caption, parent), sample_(sample) {
    setIconSize(QSize(kSampleWidth, kSampleHeight));
    connect(this, &QPushButton::clicked, this, &ColourButton::choose);
    updateSample();
}

void ColourButton::setColour(Color colour) {
    colour_ = colour;
    updateSample();
}

void ColourButton::choose() {
    const QColor chosen = AskColour(ColourFromBgr(colour_), this, text());
    if (!chosen.isValid()) {
        return;
    }
    setColour(MakeColor(chosen.red(), chosen.green(), chosen.blue()));
    emit colourChosen(colour_);
}

void ColourButton::updateSample() {
    QPixmap pixmap(kSampleWidth, kSampleHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    if (sample_ == Sample::Swatch) {
        painter.fillRect(pixmap.rect(), ColourFromBgr(colour_));
        painter.setPen(Qt::black);
        painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    } else {
        painter.setPen(QPen(ColourFromBgr(colour_), 3));
        painter.drawLine(0, kSampleHeight / 2, kSampleWidth, kSampleHeight / 2);
    }
    painter.end();
    setIcon(QIcon(pixmap));
}

} // namespace vemo
