#include "app/window/WindowDrag.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <algorithm>

QRect draggedGeometry(QRect start, Qt::Edges edges, QPoint delta, QSize minimum) {
    if (!edges)
        return start.translated(delta);
    QRect moved = start;
    const int width = std::max(minimum.width(), 1);
    const int height = std::max(minimum.height(), 1);
    if (edges & Qt::LeftEdge)
        moved.setLeft(std::min(start.left() + delta.x(), start.right() + 1 - width));
    if (edges & Qt::RightEdge)
        moved.setRight(std::max(start.right() + delta.x(), start.left() + width - 1));
    if (edges & Qt::TopEdge)
        moved.setTop(std::min(start.top() + delta.y(), start.bottom() + 1 - height));
    if (edges & Qt::BottomEdge)
        moved.setBottom(std::max(start.bottom() + delta.y(), start.top() + height - 1));
    return moved;
}

void WindowDragger::press(QPoint global, Qt::Edges edges) {
    pressedAt = global;
    pressedEdges = edges;
    startGeometry.reset();
}

bool WindowDragger::drag(QWidget& window, QPoint global) {
    if (!pressedAt)
        return false;
    if (startGeometry) {
        const QSize minimum = window.minimumSize().expandedTo(window.minimumSizeHint());
        window.setGeometry(
            draggedGeometry(*startGeometry, pressedEdges, global - *pressedAt, minimum));
        return true;
    }
    // The drag starts once the pointer travels, so that a double click stays
    // a double click instead of vanishing into a move.
    if ((global - *pressedAt).manhattanLength() < QApplication::startDragDistance())
        return false;
    QWindow* handle = window.windowHandle();
    const bool bySystem = handle && (pressedEdges ? handle->startSystemResize(pressedEdges)
                                                  : handle->startSystemMove());
    if (bySystem) {
        pressedAt.reset(); // the window system has the pointer until the release
        return true;
    }
    startGeometry = window.geometry();
    return drag(window, global);
}

void WindowDragger::release() {
    pressedAt.reset();
    startGeometry.reset();
}
