#pragma once

#include "engine/Engine.h"
#include "engine/EngineSample.h"

// Between the engine record and what outside sources report or recordings
// keep, which is in the units the screen shows (degrees F throughout).

// The instrument's values as the screen shows them, one per cylinder for EGT
// and CHT, with percent power and the knob positions: what a recording keeps
// of a tick. Values the record lacks are absent.
EngineSample shownValues(const EngineState& state);

// One moment of an outside source into the record: the values it has, in the
// record's units, and no data for every other. Per-cylinder temperatures are
// shown as measured; one EGT and one CHT are spread over the cylinders as for
// the model. Knobs it reports move there; the others stay where they are.
void applySample(const EngineSample& sample, EngineState& state);
