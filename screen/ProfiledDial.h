#pragma once

#include "screen/ProfileScale.h"
#include "screen/ScreenKit.h"

// A half of the round dial laid out from the aircraft profile, in the
// dial's frame (see DialAnatomy.h).

// Where the scale runs: the dial angles of its bottom and its top.
struct DialSweep {
    double bottom;
    double top;
};

// The needle's angle for `value` (engine unit), stopped at the scale's ends.
double profiledDialAngle(const ProfiledScale& scale, DialSweep sweep, double value);

// Ticks, round labels outside them, the coloured arcs and the red lines.
void drawProfiledDialFace(gfx::Graphics& graphics, ScreenKit& kit, const ProfiledScale& scale,
                          DialSweep sweep);
