#include "leanfind/LeanReadings.h"

#include "engine/CylinderTemperatures.h"
#include "engine/Engine.h"
#include "engine/EngineSample.h"

#include <algorithm>

namespace {

std::size_t cylinderChannels(int cylinders) {
    return std::size_t(std::clamp(cylinders, 1, int(maxLeanChannels)));
}

} // namespace

LeanReading leanReading(const EngineSample& shown, int cylinders) {
    LeanReading reading;
    reading.time = shown.time;
    if (shown.has(Quantity::fuelFlow))
        reading.fuelFlow = shown[Quantity::fuelFlow];
    const std::size_t count = cylinderChannels(cylinders);
    bool perCylinder = false;
    for (std::size_t c = 0; c < count; ++c)
        perCylinder = perCylinder || shown.has(cylinderEgt(int(c)));
    if (perCylinder) {
        reading.channels = count;
        for (std::size_t c = 0; c < count; ++c)
            if (shown.has(cylinderEgt(int(c))))
                reading.egt[c] = shown[cylinderEgt(int(c))];
    } else if (shown.has(Quantity::egt)) {
        reading.channels = 1;
        reading.egt[0] = shown[Quantity::egt];
    }
    return reading;
}

LeanReading leanReading(const EngineState& state, int cylinders, double time) {
    LeanReading reading;
    reading.time = time;
    if (!state.lacks(Quantity::fuelFlow))
        reading.fuelFlow = double(state.fuelFlow);
    if (state.egtMeasured) {
        reading.channels = cylinderChannels(cylinders);
        for (std::size_t c = 0; c < reading.channels; ++c)
            if (!egtMissing(state, int(c)))
                reading.egt[c] = double(state.measuredEgt[c]);
    } else if (!state.lacks(Quantity::egt)) {
        reading.channels = 1;
        reading.egt[0] = double(state.egtRankine) - 459.67; // degrees F
    }
    return reading;
}
