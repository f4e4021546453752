#pragma once

#include "gfx/Bitmap.h"
#include "panel/PanelWindow.h"

// Stands in for the window: a client area of a chosen size that keeps the
// frames shown to it and the cursor asked for.
class FakePanelWindow : public PanelWindow {
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
