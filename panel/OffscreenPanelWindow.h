#pragma once

#include "gfx/Bitmap.h"
#include "panel/PanelWindow.h"

// A client area of a chosen size with no window behind it: it keeps the
// frames shown to it and the cursor asked for. Tools render through it, and
// tests and benchmarks stand it in for the real window.
class OffscreenPanelWindow : public PanelWindow {
public:
    ClientRect client{0, 0, 750, 945};
    gfx::Bitmap lastFrame;
    int framesShown = 0;
    bool hand = false;

    ClientRect readClientRect() const override { return client; }
    void showFrame(gfx::Bitmap&& frame) override {
        lastFrame = std::move(frame);
        ++framesShown;
    }
    void setHandCursor(bool h) override { hand = h; }
};
