#pragma once

#include <QSize>

// The window's template size is given in dialog units, which scale with the
// dialog font: 4 horizontal units per average character width, 8 vertical
// units per character height.
inline constexpr int templateWidthDlu = 327;
inline constexpr int templateHeightDlu = 412;

// Client size in pixels for the dialog font: 8 point sans-serif.
QSize templateClientSize();
QSize dialogUnitsToPixels(QSize dialogUnits, int averageCharWidth, int charHeight);
