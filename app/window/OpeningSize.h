#pragma once

#include <QSize>

// The window opens at a size given in font units, which scale with the
// window's font: 4 horizontal units per average character width, 8 vertical
// units per character height, so the panel opens larger where text is larger.
inline constexpr int openingWidthUnits = 327;
inline constexpr int openingHeightUnits = 412;

// Client size in pixels for the window's font: 8 point sans-serif.
QSize openingClientSize();
QSize fontUnitsToPixels(QSize fontUnits, int averageCharWidth, int charHeight);
