#pragma once

#include "gfx/Bitmap.h"
#include "panel/PanelWindow.h"

#include <QWidget>

// The client area every frame is drawn into. It shows the latest finished
// frame whole, never erases its background, and hands the left button and
// pointer movement to the panel controls in client pixels.
class FrameView : public QWidget, public PanelWindow {
    Q_OBJECT

public:
    explicit FrameView(QWidget* parent);

    ClientRect readClientRect() const override;
    void showFrame(gfx::Bitmap&& frame) override;
    void setHandCursor(bool hand) override;

    const gfx::Bitmap& latestFrame() const { return frame; }
    bool handCursorShown() const { return handCursor; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The pointer keeps coming during a drag even outside the window; a
    // position beyond an edge counts as on it.
    QPoint clientPoint(const QMouseEvent* event) const;

    gfx::Bitmap frame;
    bool handCursor = false;
    bool painting = false;
};
