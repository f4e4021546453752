#pragma once

#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"

#include <cstdint>

// The monitor screen, 630 x 483 pixels, drawn from the engine record into
// whatever context it is given: the context's current frame is the screen's
// top-left corner, and the caller clips to the screen.
struct ScreenRenderer {
    std::int32_t powered = 0; // the screen stays dark until initialised
    gfx::Bitmap logoImage;    // drawn in the top-left corner on black

    // Draws the cylinder spreads, loads the logo, selects cylinder 1 and powers up.
    void initialise();
    // Powers down and drops the logo.
    void release();
    // One frame of the screen; nothing while unpowered.
    void draw(gfx::Graphics& graphics);
};
