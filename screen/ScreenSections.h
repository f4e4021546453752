#pragma once

#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"
#include "screen/DrawnFrom.h"
#include "screen/MovingCells.h"
#include "screen/PartLayers.h"
#include "screen/ScreenArt.h"
#include "screen/ScreenKit.h"

#include <cstddef>

struct EngineState;
#include <string_view>

// The sections of the monitor screen, in drawing order. Each starts and ends
// in the screen frame (630 x 483, origin top-left), reads the engine record
// and draws with the frame's kit, leaving every pen solid and 1 pixel wide.

// The ...Inputs functions name what a section reads (see DrawnFrom).

// Seven strip gauges: OIL-T, OIL-P, FUEL-P, VOLTS, AMPS, OAT, FF.
inline constexpr std::size_t stripGaugeCount = 7;
void drawStripGauge(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                    const EngineState& engine, std::size_t gauge,
                    PartLayers layers = PartLayers::whole);
DrawnFrom stripGaugeInputs(const ScreenArt& art, const EngineState& engine, std::size_t gauge);
void stripGaugeCells(const ScreenArt& art, const EngineState& engine, std::size_t gauge,
                     MovingCells& cells);
// A strip gauge's readout and unit, beneath its scale.
void drawStripGaugeReadout(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                           const EngineState& engine, std::size_t gauge);
DrawnFrom stripReadoutInputs(const ScreenArt& art, const EngineState& engine, std::size_t gauge);
// FUEL QTY heading, then the LEFT and RIGHT tank gauges.
inline constexpr std::size_t fuelGaugeCount = 2;
void drawFuelHeading(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art);
void drawFuelGauge(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                   const EngineState& engine, std::size_t gauge,
                   PartLayers layers = PartLayers::whole);
DrawnFrom fuelGaugeInputs(const ScreenArt& art, const EngineState& engine, std::size_t gauge);
void fuelGaugeCells(const ScreenArt& art, const EngineState& engine, std::size_t gauge,
                    MovingCells& cells);
// A tank gauge's readout and unit, beneath its scale.
void drawFuelReadout(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                     const EngineState& engine, std::size_t gauge);
DrawnFrom fuelReadoutInputs(const ScreenArt& art, const EngineState& engine, std::size_t gauge);
// The round dial: RPM on its upper half, manifold pressure on its lower half.
void drawDials(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
               const EngineState& engine, PartLayers layers = PartLayers::whole);
DrawnFrom dialInputs(const ScreenArt& art, const EngineState& engine);
void dialCells(const ScreenArt& art, const EngineState& engine, std::size_t, MovingCells& cells);
// Percentage of rated power beside the dial.
void drawPercentPower(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                      const EngineState& engine);
DrawnFrom percentPowerInputs(const ScreenArt& art, const EngineState& engine);
// Exhaust gas and cylinder head temperature bars of the six cylinders.
void drawEgtGraph(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                  const EngineState& engine, PartLayers layers = PartLayers::whole);
void drawChtGraph(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                  const EngineState& engine, PartLayers layers = PartLayers::whole);
DrawnFrom egtGraphInputs(const ScreenArt& art, const EngineState& engine);
DrawnFrom chtGraphInputs(const ScreenArt& art, const EngineState& engine);
void egtGraphCells(const ScreenArt& art, const EngineState& engine, std::size_t,
                   MovingCells& cells);
void chtGraphCells(const ScreenArt& art, const EngineState& engine, std::size_t,
                   MovingCells& cells);
// The white bar along the bottom edge, with a replayed log's registration
// in place of the instrument's own where it names one, and the logo in the
// top-left corner.
void drawStatusBar(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art);
void drawLogo(gfx::Graphics& graphics, ScreenKit& kit, const gfx::Bitmap& logo);
