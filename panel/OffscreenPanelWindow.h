#pragma once

#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"
#include "panel/FrameCompositor.h"
#include "panel/PanelWindow.h"

// A client area of a chosen size with no window behind it: it keeps the
// frames shown to it, stretched as a window shows them, and the cursor asked
// for. Like a window's backing store, its pixels live on while the size
// stays. Tools render through it, and tests and benchmarks stand it in for
// the real window.
class OffscreenPanelWindow : public PanelWindow {
public:
    ClientRect client{0, 0, 750, 945};
    gfx::Bitmap lastFrame; // client-sized; absent for an empty client area
    int framesShown = 0;
    bool hand = false;

    ClientRect readClientRect() const override { return client; }
    void showFrame(gfx::Bitmap&& panelFrame) override {
        if (lastFrame.width() != client.width() || lastFrame.height() != client.height())
            lastFrame = gfx::Bitmap(client.width(), client.height());
        if (lastFrame.valid()) {
            gfx::Graphics window(lastFrame);
            stretchFrame(window, panelFrame, client.width(), client.height());
        }
        ++framesShown;
    }
    void setHandCursor(bool h) override { hand = h; }
};
