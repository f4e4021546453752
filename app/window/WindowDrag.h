#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtCore/qnamespace.h>

#include <optional>

class QWidget;

// The window's geometry after the pointer travelled `delta` from a press on
// `edges` of a window at `start`: no edges moves the whole window; an edge
// follows the pointer while the opposite one stays, and stops where the
// window would become smaller than `minimum`.
QRect draggedGeometry(QRect start, Qt::Edges edges, QPoint delta, QSize minimum);

// A press on the caption or the sizing border that becomes a move or a
// resize once the pointer travels. The window system does it where it can
// (startSystemMove, startSystemResize); where it refuses (no window manager,
// or one without that support) the window follows the pointer by itself.
class WindowDragger {
public:
    // A press at `global` screen pixels on `edges` (none: the caption).
    void press(QPoint global, Qt::Edges edges);
    // The pointer at `global` with the left button held. True while the
    // press is being dragged, by the window system or by us.
    bool drag(QWidget& window, QPoint global);
    void release();
    bool pressed() const { return pressedAt.has_value(); }

private:
    std::optional<QPoint> pressedAt;
    Qt::Edges pressedEdges;
    // Set once we move the window ourselves: its geometry at the press.
    std::optional<QRect> startGeometry;
};
