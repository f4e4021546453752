#pragma once

#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"
#include "panel/FrameCompositor.h"
#include "panel/PanelWindow.h"

// A client area of a chosen size with no window behind it: it keeps the
// frames shown to it, stretched as a window shows them, and the cursor asked
// for. Like a window's backing store, its pixels live on while the size
// stays, and a change is stretched over only the pixels it reaches. Tools
// render through it, and tests and benchmarks stand it in for the real window.
class OffscreenPanelWindow : public PanelWindow {
public:
    ClientRect client{0, 0, 750, 945};
    gfx::Bitmap lastFrame; // client-sized; absent for an empty client area
    int framesShown = 0;
    bool hand = false;

    ClientRect readClientRect() const override { return client; }
    void showFrame(const FrameChange& change) override {
        const gfx::Bitmap& panelFrame = keptFrame.frame();
        const gfx::Size size{client.width(), client.height()};
        bool whole = change.whole;
        if (lastFrame.width() != size.width || lastFrame.height() != size.height) {
            lastFrame = gfx::Bitmap(size.width, size.height);
            whole = true;
        }
        ++framesShown;
        if (!lastFrame.valid())
            return;
        gfx::Graphics window(lastFrame);
        window.setStretchAsWhole(true);
        // Each pixel stretched once, as a window's clip to the change's region does.
        std::vector<gfx::Rect> reached =
            clientAreasOf(change, {panelFrame.width(), panelFrame.height()}, size);
        mergeOverlapping(reached);
        if (whole || reached.empty()) {
            stretchFrame(window, panelFrame, size.width, size.height);
            return;
        }
        for (const gfx::Rect& area : reached) {
            window.setClip(area);
            stretchFrame(window, panelFrame, size.width, size.height);
        }
    }
    void setHandCursor(bool h) override { hand = h; }
};
