#pragma once

#include "leanfind/LeanFinder.h"

struct EngineSample;
struct EngineState;

// What the lean finder follows of a source: a probe per cylinder where the
// source measures each one, else its single probe (the instrument's own
// model has one, spread over the six bars), and the fuel flow.

// From values as the screen shows them (a log's row, a simulator's packet).
LeanReading leanReading(const EngineSample& shown, int cylinders);
// From the engine record a tick left, at `time`.
LeanReading leanReading(const EngineState& state, int cylinders, double time);
