#pragma once

#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"
#include "screen/DrawnFrom.h"
#include "screen/MovingCells.h"
#include "screen/PartLayers.h"
#include "screen/ScreenArt.h"
#include "screen/ScreenKit.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <string_view>

struct EngineState;

// The screen as parts a kept frame can redraw one at a time: each gauge, the
// dial, the power readout, the two graphs, the status bar and the logo, in
// the order a whole screen draws them.
struct ScreenPart {
    std::string_view name;
    // The screen pixels the part may change, whatever it shows (screen
    // frame): drawn alone over every kind of reading, nothing falls outside.
    gfx::Rect area;
    std::size_t gauge = 0; // which one, for the sections drawn gauge by gauge
    void (*draw)(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                 const EngineState& engine, std::size_t gauge);
    // What it reads of the engine record; empty for the parts that never change.
    DrawnFrom (*inputs)(const ScreenArt& art, const EngineState& engine, std::size_t gauge);
    // For a part drawn in two layers (see PartLayers), one of them; absent
    // for a part drawn only whole.
    void (*drawLayer)(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                      const EngineState& engine, std::size_t gauge, PartLayers layers) = nullptr;
    // For a part drawn in layers, where its moving layer draws and from
    // what, cell by cell; absent where only the whole part is known.
    void (*cells)(const ScreenArt& art, const EngineState& engine, std::size_t gauge,
                  MovingCells& cells) = nullptr;
    // Whether its moving layer drawn within a clip gives there the very
    // pixels it gives unclipped, so that it may be drawn only where its cells
    // changed: fills and text do; the dial's wide stroked shafts do not.
    bool clippable = false;
};

inline constexpr std::size_t screenPartCount = 25;
using ScreenPartSet = std::bitset<screenPartCount>;
// How each part is drawn, by default whole.
using ScreenPartLayers = std::array<PartLayers, screenPartCount>;
// Where each part's drawing is kept (screen frame); an empty rectangle
// keeps all of it.
using ScreenPartClips = std::array<gfx::Rect, screenPartCount>;

const ScreenPart& screenPart(std::size_t part);
