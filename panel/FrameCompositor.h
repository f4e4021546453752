#pragma once

#include "panel/PanelWindow.h"
#include "screen/ScreenRenderer.h"

// The one screen renderer: started and stopped by the shell, drawn by every frame.
extern ScreenRenderer screenRenderer;

namespace gfx {
class Bitmap;
class Graphics;
} // namespace gfx

// Builds one frame at the panel's own 750 x 945 pixels (panel, knobs at their
// positions, check marks, screen) for a client area, whose size sets the scale.
gfx::Bitmap composeFrameFor(const ClientRect& client);
// The frame for panelWindow's client area, handed to it to show.
void composeFrame();

// The one stretched copy of a finished panel frame over a client area of
// width x height, each axis scaled by itself.
void stretchFrame(gfx::Graphics& window, const gfx::Bitmap& panelFrame, int width, int height);
