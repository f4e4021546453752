#pragma once

#include "gfx/DrawingScopes.h"
#include "screen/ScreenKit.h"

// The round dial's elements, in the dial's frame: centred on the dial,
// drawn pointing straight up and rotated clockwise into place (0 degrees
// is up, 90 right, 180 down).

struct TickStroke {
    float width;
    float inner; // y of the inner end, the dial frame pointing up
    float outer;
};
inline constexpr TickStroke majorTick{.width = 4, .inner = -75, .outer = -92};
inline constexpr TickStroke minorTick{.width = 2, .inner = -78, .outer = -92};
// 4 pixels beyond the ticks.
inline constexpr TickStroke endMark{.width = 4, .inner = -75, .outer = -96};

// Every arc lies on the ellipse inscribed in this box, centred on the dial.
inline constexpr gfx::RectF dialEllipse{.x = -91.5f, .y = -87.5f, .width = 183, .height = 175};
inline constexpr float arcWidth = 9;

// A radial line at `angle`, the pen widened for it.
inline void drawRadial(gfx::Graphics& graphics, gfx::Pen& pen, float angle, TickStroke stroke) {
    const gfx::RotatedFrame turned(graphics, angle);
    const gfx::WidenedPen widened(pen, stroke.width);
    graphics.drawLine(&pen, 0, stroke.inner, 0, stroke.outer);
}
