#pragma once

#include "gfx/Bitmap.h"

#include <array>
#include <cstddef>

// The artwork that lives as long as the program: loaded before the window
// opens, freed after it has closed. An image that fails to load stays
// absent and simply draws nothing.
struct PanelArtwork {
    gfx::Bitmap panel;
    gfx::Bitmap throttleKnob;
    gfx::Bitmap propellerKnob;
    gfx::Bitmap mixtureKnob;
    gfx::Bitmap checkMark;
};

// Panel, throttle, mixture, propeller, check mark: loaded and freed in that order.
void loadPanelArtwork(PanelArtwork& artwork);
void freePanelArtwork(PanelArtwork& artwork);

// Knob images in panel order: throttle, propeller, mixture.
const gfx::Bitmap& knobImage(const PanelArtwork& artwork, std::size_t knob);

// Sizes read from the images themselves; 0 x 0 for one that failed to load.
struct ImageSize {
    int width = 0;
    int height = 0;
};

// The size frames are built at: the panel picture's, or the panel's own
// 750 x 945 when the picture failed to load, so that the knobs, check marks
// and screen are still drawn where they belong and the pointer still maps.
ImageSize panelFrameSize(const PanelArtwork& artwork);
ImageSize knobImageSize(const PanelArtwork& artwork, std::size_t knob);
