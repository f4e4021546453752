#pragma once

#include "panel/FrameChange.h"
#include "panel/PanelWindow.h"
#include "screen/ScreenRenderer.h"

struct PanelScene;

namespace gfx {
class Bitmap;
class Graphics;
} // namespace gfx

// One frame built whole at the panel's own 750 x 945 pixels (panel, knobs at
// their positions, check marks, knob lamp, screen): what every kept frame
// must equal byte for byte.
gfx::Bitmap composePanelFrame(const PanelScene& scene);
// The same for a client area, whose size sets the scale.
gfx::Bitmap composeFrameFor(PanelView& view, const ClientRect& client, const PanelScene& scene);
// Brings the window's kept frame up to date for its client area as it is now,
// which the view's pointer mapping takes.
FrameChange refreshFrame(PanelView& view, PanelWindow& window, const PanelScene& scene);
// Refreshes the view's window's kept frame and hands it what changed, if anything did.
void composeFrame(PanelView& view, const PanelScene& scene);

// The one stretched copy of a finished panel frame over a client area of
// width x height, each axis scaled by itself.
void stretchFrame(gfx::Graphics& window, const gfx::Bitmap& panelFrame, int width, int height);
