#include "app/window/BorderEdges.h"

Qt::Edges borderEdgesAt(QSize window, int zoneWidth, QPoint p) {
    Qt::Edges edges;
    const int grip = zoneWidth + cornerReach;
    if (p.x() < zoneWidth)
        edges |= Qt::LeftEdge;
    if (p.x() >= window.width() - zoneWidth)
        edges |= Qt::RightEdge;
    if (p.y() < zoneWidth)
        edges |= Qt::TopEdge;
    if (p.y() >= window.height() - zoneWidth)
        edges |= Qt::BottomEdge;
    if (edges & (Qt::LeftEdge | Qt::RightEdge)) {
        if (p.y() < grip)
            edges |= Qt::TopEdge;
        if (p.y() >= window.height() - grip)
            edges |= Qt::BottomEdge;
    }
    if (edges & (Qt::TopEdge | Qt::BottomEdge)) {
        if (p.x() < grip)
            edges |= Qt::LeftEdge;
        if (p.x() >= window.width() - grip)
            edges |= Qt::RightEdge;
    }
    return edges;
}

Qt::CursorShape resizeCursorFor(Qt::Edges edges) {
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
        return Qt::SizeFDiagCursor;
    if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
        return Qt::SizeBDiagCursor;
    if (edges & (Qt::LeftEdge | Qt::RightEdge))
        return Qt::SizeHorCursor;
    if (edges & (Qt::TopEdge | Qt::BottomEdge))
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}
