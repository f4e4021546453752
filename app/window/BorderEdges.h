#pragma once

#include <QPoint>
#include <QSize>
#include <QtCore/qnamespace.h>

// The sizing border of the frameless window: which edges a point grabs, and
// the pointer shape that says so.

// The grab zone is as wide as desktop users expect: the painted border
// (ShellWindow::borderWidth) and as many of the client's edge pixels again.
inline constexpr int grabWidth = 8;

// Corners are easier to catch: along a side, this many pixels past the grab
// width still count as the corner (20 pixels from the window's corner).
inline constexpr int cornerReach = 12;

// The edges a press at `point` (window pixels) would resize, for a window of
// `window` pixels with a grab zone `zoneWidth` wide: none inside it.
Qt::Edges borderEdgesAt(QSize window, int zoneWidth, QPoint point);

// Diagonal arrows at a corner, across arrows on a side, the plain arrow elsewhere.
Qt::CursorShape resizeCursorFor(Qt::Edges edges);
