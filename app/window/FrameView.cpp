#include "app/window/FrameView.h"

#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/shell/KnobKeys.h"
#include "app/shell/PanelControls.h"
#include "engine/EngineSource.h"
#include "gfx/Graphics.h"
#include "gfx/SolidBrush.h"
#include "panel/FrameCompositor.h"

#include <QMouseEvent>
#include <QRegion>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

FrameView::FrameView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frameView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(0, 0);
    // Its own arrow: the border's resize shapes never reach the panel.
    setCursor(Qt::ArrowCursor);
}

ClientRect FrameView::readClientRect() const {
    return {0, 0, width(), height()};
}

void FrameView::showFrame(const FrameChange& change) {
    const gfx::Bitmap& frame = keptFrame.frame();
    const std::vector<gfx::Rect> reached =
        clientAreasOf(change, {frame.width(), frame.height()}, {width(), height()});
    // On a screen of scaled pixels the painter stretches, and a part of its
    // stretch need not be the whole stretch's pixels: that window is drawn whole.
    if (change.whole || reached.empty() || devicePixelRatio() != 1.0) {
        update();
        return;
    }
    QRegion region;
    for (const gfx::Rect& area : reached)
        region += QRect(area.x, area.y, area.width, area.height);
    update(region);
}

// Shown again, the window may have lost what it showed.
void FrameView::showEvent(QShowEvent*) {
    keptFrame.redrawAll();
}

void FrameView::setComposer(FrameComposer composeNow) {
    composer = std::move(composeNow);
}

void FrameView::setHandCursor(bool hand) {
    if (hand == handCursor)
        return;
    handCursor = hand;
    setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void FrameView::paintEvent(QPaintEvent*) {
    // The first exposure comes before the first tick: compose a frame at once
    // rather than show an empty window.
    if (!keptFrame.valid() && composer)
        composer(*this);
    gfx::Graphics window(this);
    // The window system clips this paint to what it asks for: a part of the
    // stretch alone, which must be the whole stretch's pixels there.
    window.setStretchAsWhole(true);
    if (keptFrame.valid()) {
        stretchFrame(window, keptFrame.frame(), width(), height());
    } else {
        const gfx::SolidBrush black(0xFF000000);
        window.fillRectangle(&black, gfx::Rect{0, 0, width(), height()});
    }
}

QPoint FrameView::clientPoint(const QMouseEvent* event) const {
    const QPointF p = event->position();
    const auto clampTo = [](double v, int extent) {
        if (!std::isfinite(v))
            return 0;
        return int(std::clamp(std::floor(v), 0.0, double(std::max(extent - 1, 0))));
    };
    return {clampTo(p.x(), width()), clampTo(p.y(), height())};
}

void FrameView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint p = clientPoint(event);
        pressLeftButton(instrument(), p.x(), p.y(), engineSource().followsControls());
    }
    event->accept();
}

// The window system delivers the second click of a double click as this event
// instead of a press; it counts as one more press.
void FrameView::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void FrameView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = clientPoint(event);
    movePointer(instrument(), p.x(), p.y(), event->buttons() & Qt::LeftButton,
                engineSource().followsControls());
    event->accept();
}

void FrameView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint p = clientPoint(event);
        releaseLeftButton(instrument(), p.x(), p.y(), engineSource().followsControls());
    }
    event->accept();
}

// One notch is 120 eighths of a degree; finer wheels add up to notches.
void FrameView::wheelEvent(QWheelEvent* event) {
    constexpr int notch = 120;
    wheelRemainder += event->angleDelta().y();
    const int notches = wheelRemainder / notch;
    wheelRemainder -= notches * notch;
    const QPoint p = event->position().toPoint();
    if (notches != 0)
        turnKnobAt(instrument(), p.x(), p.y(), notches, engineSource().followsControls());
    event->accept();
}
