#pragma once

#include <QPoint>
#include <QSize>
#include <QtCore/qnamespace.h>

// The sizing border of the frameless window: which edges a point grabs, and
// the pointer shape that says so.

// Corners are easier to catch: along a side, this many pixels past the border
// width still count as the corner.
inline constexpr int cornerReach = 4;

// The edges a press at `point` (window pixels) would resize, for a window of
// `window` pixels with a border `borderWidth` wide: none inside the border.
Qt::Edges borderEdgesAt(QSize window, int borderWidth, QPoint point);

// Diagonal arrows at a corner, across arrows on a side, the plain arrow elsewhere.
Qt::CursorShape resizeCursorFor(Qt::Edges edges);
