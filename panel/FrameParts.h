#pragma once

#include "gfx/Types.h"
#include "screen/DrawnFrom.h"
#include "screen/ScreenParts.h"

#include <bitset>
#include <cstddef>
#include <optional>
#include <string_view>

struct PanelArtwork;
struct PanelScene;

namespace gfx {
class Graphics;
}

// What a frame draws over the panel picture, part by part in drawing order:
// the three knobs, the two check marks, the three knob lamps, then the
// screen's parts. A part changes no pixel outside its area, so that it can be
// drawn again alone over the panel picture's pixels there.
inline constexpr std::size_t panelPartCount = 8;
inline constexpr std::size_t framePartCount = panelPartCount + screenPartCount;
using PartRects = std::array<gfx::Rect, framePartCount>;
using FramePartSet = std::bitset<framePartCount>;

std::string_view framePartName(std::size_t part);
// The panel pixels the part may change, whatever it shows: a knob's whole
// travel, a check mark's box, a lamp's glow, a screen part's area on the
// screen.
gfx::Rect framePartArea(std::size_t part, const PanelArtwork& artwork);
// What the part is drawn from now.
DrawnFrom framePartInputs(std::size_t part, const PanelScene& scene);
// Whether the part is drawn in layers (see PartLayers).
bool framePartLayered(std::size_t part);
// Where a layered part's moving layer draws now, cell by cell; false for a
// part whose moving layer is known only whole.
bool framePartCells(std::size_t part, const PanelScene& scene, MovingCells& cells);
// The panel pixels a part's moving layer may have changed between the cells
// it was drawn with and `now` (see movedBetween); none for the whole part.
std::optional<gfx::Rect> framePartMoved(const MovingCells& before, const MovingCells& now);
// Draws `parts` over a panel frame exactly as a whole frame draws them: same
// order, clip and drawing state; a layered screen part draws only the layer
// `layers` names for it, and only within its panel rectangle in `within`
// where that is not empty.
void drawFrameParts(gfx::Graphics& graphics, const PanelScene& scene, const FramePartSet& parts,
                    const ScreenPartLayers& layers = {}, const PartRects& within = {});
