#include "engine/EngineModel.h"

#include <array>

namespace {

// One triangle wave per gauge so the demonstration runs every scale through
// its range. Rows in processing order; bounds are tested before the step, so
// a value may pass a bound by up to one step.
struct SweepRow {
    float EngineState::*value;
    double lower;
    double upper;
    double step;
};

constexpr std::array<SweepRow, sweptValueCount> sweepTable{{
    {&EngineState::fuelFlow, 0.0, 20.0, 0.2},
    {&EngineState::leftFuel, 0.0, 50.0, 0.2},
    {&EngineState::rightFuel, 0.0, 50.0, 0.5},
    {&EngineState::oilTemp, 0.0, 300.0, 7.0},
    {&EngineState::oilPressure, 0.0, 115.0, 3.0},
    {&EngineState::fuelPressure, 0.0, 20.0, 0.7},
    {&EngineState::volts, 10.0, 16.0, 0.1},
    {&EngineState::amps, -50.0, 50.0, 1.0},
    {&EngineState::oat, -30.0, 50.0, 1.0},
    {&EngineState::rpm, 1800.0, 2800.0, 20.0},
    {&EngineState::manifoldPressure, 15.0, 30.0, 0.3},
    {&EngineState::egtRankine, 1000.0, 2000.0, 15.0},
    {&EngineState::cht, 200.0, 600.0, 6.0},
}};
static_assert(sweepTable.size() == 13, "thirteen gauges sweep in demo mode");

constexpr float demoTorque = 400.0f; // lb-ft, held while demonstrating

// Directions outlive each demo spell and every engine reset: all rising at
// process start and in the instrument's opening state.
std::array<bool, sweptValueCount> sweepRising = [] {
    std::array<bool, sweptValueCount> rising{};
    rising.fill(true);
    return rising;
}();

} // namespace

std::span<bool, sweptValueCount> sweepDirections() {
    return sweepRising;
}

void resetSweepDirections() {
    sweepRising.fill(true);
}

void stepDemoSweep() {
    for (std::size_t i = 0; i < sweepTable.size(); ++i) {
        const SweepRow& row = sweepTable[i];
        float& value = engineState.*row.value;
        if (sweepRising[i]) {
            if (double(value) < row.upper)
                value = static_cast<float>(double(value) + row.step);
            else
                sweepRising[i] = false; // a reversal holds the value for one tick
        } else {
            if (double(value) > row.lower)
                value = static_cast<float>(double(value) - row.step);
            else
                sweepRising[i] = true;
        }
    }
    engineState.torque = demoTorque;
}
