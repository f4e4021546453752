#include "engine/Engine.h"
#include "engine/EngineFields.h"

// Created with the process at the start values given by the member
// initialisers; the shell puts the whole instrument into its opening state
// again when the window opens.
EngineState engineState;

void resetEngineState() {
    // The engine values lead the field table; knobs, flags and spreads follow it.
    const EngineState start;
    for (std::size_t i = 0; i < engineValueCount; ++i)
        engineState.*engineFloatFields[i].member = start.*engineFloatFields[i].member;
}
