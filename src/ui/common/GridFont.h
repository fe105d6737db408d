#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace vemo {

// Grids and listings line up half-width characters in one cell and full-width ones in two, so they
// need a Japanese font with exactly that pitch.  Such fonts are not reported as fixed pitch, hence the
// families are named one by one.
QStringList GridFontCandidates();

// The first installed family of the candidates, else the system's fixed-pitch family.
QString GridFontFamily();

QFont GridFont(int pointSize = 10);

// The font of the coordinate columns.  The Japanese grid fonts draw the full stop low and left, so
// that "23456.789" reads like "23456,789" at list size; coordinates are legal figures, so their cells
// use a font with an unmistakable decimal point, sized so that its digits are no wider than the grid
// font's (the column widths stay as they are).
QFont NumberFont(const QFont& gridFont);

// Width of the digit "0" in a font: the unit of every column width of the grids.
int DigitWidth(const QFont& font);

} // namespace vemo
