#include "engine/Engine.h"
#include "engine/EngineFields.h"

void resetEngineState(EngineState& record) {
    // The engine values lead the field table; knobs, flags and spreads follow it.
    const EngineState start;
    for (std::size_t i = 0; i < engineValueCount; ++i)
        record.*engineFloatFields[i].member = start.*engineFloatFields[i].member;
}
