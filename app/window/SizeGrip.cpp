#include "app/window/SizeGrip.h"

#include "app/window/BorderEdges.h"

#include <QMouseEvent>
#include <QRegion>

SizeGrip::SizeGrip(QWidget* window) : QWidget(window), shell(window) {
    setObjectName(QStringLiteral("sizeGrip"));
    setMouseTracking(true);
    // It paints nothing: the border and the panel below show through.
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

Qt::Edges SizeGrip::edgesAt(QPointF point) const {
    return borderEdgesAt(size(), grabWidth, point.toPoint());
}

// Only the ring takes the pointer: inside it, events reach the caption and
// the panel as before.
void SizeGrip::resizeEvent(QResizeEvent*) {
    const QRect all = rect();
    setMask(QRegion(all).subtracted(
        QRegion(all.adjusted(grabWidth, grabWidth, -grabWidth, -grabWidth))));
}

void SizeGrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragger.press(event->globalPosition().toPoint(), edgesAt(event->position()));
}

void SizeGrip::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) &&
        dragger.drag(*shell, event->globalPosition().toPoint()))
        return;
    if (!dragger.pressed())
        setCursor(resizeCursorFor(edgesAt(event->position())));
}

void SizeGrip::mouseReleaseEvent(QMouseEvent*) {
    dragger.release();
}

void SizeGrip::mouseDoubleClickEvent(QMouseEvent* event) {
    dragger.release();
    if (event->button() == Qt::LeftButton)
        emit restoreSizeRequested();
}
