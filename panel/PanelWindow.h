#pragma once

// What the panel needs of the window it lives in: the client area's size,
// a place to show each finished frame, and the pointer's shape. The window
// layer implements it; tests substitute their own.

#include <functional>

namespace gfx {
class Bitmap;
}

struct ClientRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

class PanelWindow {
public:
    virtual ~PanelWindow() = default;
    // The client area as it is now, in client pixels.
    virtual ClientRect readClientRect() const = 0;
    // Takes a finished frame at the panel's own size and shows it stretched
    // over the whole client area with stretchFrame.
    virtual void showFrame(gfx::Bitmap&& panelFrame) = 0;
    virtual void setHandCursor(bool hand) = 0;
};

// The window the panel draws into and reads pointer geometry from; none
// before the window opens and after it closes.
extern PanelWindow* panelWindow;

// Refreshed at the start of every frame; the pointer mapping reads them.
// scaleY stays 0 until the first frame.
extern ClientRect clientRect;
extern double scaleY;

// Takes the client area as it is now and derives scaleY from the panel's height.
void updateScale(const ClientRect& client);

// Makes the frame for a client area at once, off the tick: what a window
// paints when it is exposed before the first tick has given it a frame.
using FrameComposer = std::function<gfx::Bitmap(const ClientRect& client)>;
