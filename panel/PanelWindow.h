#pragma once

// What the panel needs of the window it lives in: the client area's size,
// a place to show each finished frame, and the pointer's shape. The window
// layer implements it; tests substitute their own.

#include "panel/FrameChange.h"
#include "panel/KeptFrame.h"

#include <functional>

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
    // Shows keptFrame stretched over the client area with stretchFrame: the
    // parts of it that `change` names, or all of it.
    virtual void showFrame(const FrameChange& change) = 0;
    virtual void setHandCursor(bool hand) = 0;

    // The frame this window shows, kept between ticks.
    KeptFrame keptFrame;
};

// Where the panel is shown and how its pixels map to the pointer's.
struct PanelView {
    // The window the panel draws into and reads pointer geometry from; none
    // before the window opens and after it closes.
    PanelWindow* window = nullptr;
    // Refreshed at the start of every frame; the pointer mapping reads them.
    // scaleY stays 0 until the first frame.
    ClientRect client;
    double scaleY = 0.0;
};

struct PanelArtwork;

// Takes the client area as it is now and derives scaleY from the panel's height.
void updateScale(PanelView& view, const ClientRect& client, const PanelArtwork& artwork);

// Brings a window's kept frame up to date at once, off the tick: what a
// window paints when it is exposed before the first tick has given it a frame.
using FrameComposer = std::function<void(PanelWindow& window)>;
