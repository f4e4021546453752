#pragma once

#include "app/window/ShellWindow.h"
#include "tests/support/InstrumentReset.h"

#include <QEvent>
#include <QImage>
#include <QPointF>
#include <QSize>

#include <cstdint>

class FrameView;

// The real window, started up as the program starts it but with cylinder
// spreads from a chosen seed, and with its frame timer stopped so that the
// test ticks it; closed in order when it goes.
class OpenShell {
public:
    explicit OpenShell(QSize client = {750, 945}, std::uint32_t spreadSeed = testSpreadSeed);
    ~OpenShell();
    OpenShell(const OpenShell&) = delete;
    OpenShell& operator=(const OpenShell&) = delete;

    bool exposed() const { return wasExposed; }
    FrameView* view() const;
    // Ticks, each followed by the window's own events (layout, paint).
    void tick(int count = 1);
    // The client area laid out again at `client` pixels.
    void setClient(QSize client);
    // The latest frame shown, as pixels.
    QImage frame() const;
    // Client pixel of a panel point at the client area's current stretch.
    QPointF onPanel(double panelX, double panelY) const;

    ShellWindow window;

private:
    bool wasExposed = false;
};

// A mouse event as the window system sends it to `target`: `button` is the
// one that changed, `held` the buttons down after the change.
void sendMouse(QWidget* target, QEvent::Type type, QPointF position, Qt::MouseButton button,
               Qt::MouseButtons held);
// Press, release, double click, release: a double click as it arrives.
void doubleClick(QWidget* target, QPointF position);
