#pragma once

#include "gfx/Bitmap.h"
#include "panel/PanelWindow.h"

#include <QWidget>

// The client area every frame is drawn into. It paints its kept panel frame
// stretched over itself, never erases its background, and hands the left
// button, pointer movement and wheel to the panel controls in client pixels.
// Each tick it asks the window system to repaint only the pixels the frame's
// change reaches; the window's backing store keeps the rest.
// Exposed before it has a frame, it makes one with the composer it was given.
class FrameView : public QWidget, public PanelWindow {
    Q_OBJECT

public:
    explicit FrameView(QWidget* parent);

    ClientRect readClientRect() const override;
    void showFrame(const FrameChange& change) override;
    void setHandCursor(bool hand) override;
    // None before the shell starts and after it closes: the view then paints black.
    void setComposer(FrameComposer composeNow);

    // At the panel's own size; what the window shows is its stretch.
    const gfx::Bitmap& latestPanelFrame() const { return keptFrame.frame(); }
    bool handCursorShown() const { return handCursor; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // The pointer keeps coming during a drag even outside the window; a
    // position beyond an edge counts as on it.
    QPoint clientPoint(const QMouseEvent* event) const;

    FrameComposer composer;
    bool handCursor = false;
    // Eighths of a degree short of a whole notch, from wheels that turn finer.
    int wheelRemainder = 0;
};
