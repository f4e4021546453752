#pragma once

#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"
#include "screen/ScreenKit.h"

#include <string_view>

// The sections of the monitor screen, in drawing order. Each starts and ends
// in the screen frame (630 x 483, origin top-left), reads the engine record
// and draws with the frame's kit, leaving every pen solid and 1 pixel wide.

// Seven strip gauges: OIL-T, OIL-P, FUEL-P, VOLTS, AMPS, OAT, FF.
void drawStripGauges(gfx::Graphics& graphics, ScreenKit& kit);
// FUEL QTY heading and the LEFT and RIGHT tank gauges.
void drawFuelGauges(gfx::Graphics& graphics, ScreenKit& kit);
// The round dial: RPM on its upper half, manifold pressure on its lower half.
void drawDials(gfx::Graphics& graphics, ScreenKit& kit);
// Percentage of rated power beside the dial.
void drawPercentPower(gfx::Graphics& graphics, ScreenKit& kit);
// Exhaust gas and cylinder head temperature bars of the six cylinders.
void drawEgtGraph(gfx::Graphics& graphics, ScreenKit& kit);
void drawChtGraph(gfx::Graphics& graphics, ScreenKit& kit);
// The white bar along the bottom edge and the logo in the top-left corner.
void drawStatusBar(gfx::Graphics& graphics, ScreenKit& kit);
// With another aircraft's registration in place of the instrument's own.
void drawStatusBar(gfx::Graphics& graphics, ScreenKit& kit, std::u16string_view registration);
void drawLogo(gfx::Graphics& graphics, ScreenKit& kit, const gfx::Bitmap& logo);
