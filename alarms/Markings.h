#pragma once

#include "aircraft/AircraftProfile.h"

#include <cstdint>
#include <string_view>

// How a gauge's markings judge one value, in the gauge's engine unit.

// In order of severity.
enum class Marking : std::uint8_t { unmarked, green, yellow, red };

// The marking the value stands in. A value past either end of the scale
// stands where the needle rests, at that end: an engine over the top of its
// RPM dial is in the red. Where two ranges meet, the value is in the one
// that starts there, so a lower limit is still good and an upper one is not.
Marking markingAt(const GaugeProfile& gauge, double value);

// The most severe marking within `band` of the value, its own included.
Marking markingNear(const GaugeProfile& gauge, double value, double band);

// How far a value must come back inside its green to clear an alarm: 1 % of the scale.
double deadband(const GaugeProfile& gauge);

// "HIGH" or "LOW": which side of normal the value is on, judged against the
// middle of the green ranges (of the scale, when there is no green).
std::string_view sideOfNormal(const GaugeProfile& gauge, double value);
