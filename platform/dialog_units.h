// Dialog units: the font-relative measure in which dialogs give their sizes and positions.
#pragma once

#include <QRect>

class QFont;

// The dialog base units of font: the average width of the letters A-Z and a-z and the font's
// height, in pixels.
QSize DialogBaseUnits(const QFont& font);

// A rectangle in dialog units of font in pixels: x and widths times the base width / 4, y and
// heights times the base height / 8, rounded to the nearest pixel.
QRect DialogUnitsToPixels(const QFont& font, const QRect& units);
