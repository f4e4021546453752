#pragma once

#include "screen/ProfileScale.h"
#include "screen/ScreenKit.h"

// A strip gauge's face laid out from the aircraft profile, in the gauge's
// own frame (see GaugeAnatomy.h): the strip in the profile's colours, round
// scale labels in the unit shown, its red lines and their values.
void drawProfiledStripFace(gfx::Graphics& graphics, ScreenKit& kit, const ProfiledScale& scale);

// Where the pointer's tip sits for `value` (engine unit) on the scale.
float profiledPointerY(const ProfiledScale& scale, double value);
