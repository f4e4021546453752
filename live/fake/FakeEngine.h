#pragma once

#include "engine/EngineSample.h"

// A smoothly varying engine in cruise for the fake simulators, in the units
// the screen shows: every quantity drifts on its own slow sine, so a tester
// sees each gauge move and can tell two moments apart.
double fakeEngineValue(Quantity quantity, double seconds);
