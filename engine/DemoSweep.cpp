#include "engine/EngineModel.h"
#include "engine/TableChecks.h"

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

constexpr auto sweepTable = std::to_array<SweepRow>({
    {.value = &EngineState::fuelFlow, .lower = 0.0, .upper = 20.0, .step = 0.2},
    {.value = &EngineState::leftFuel, .lower = 0.0, .upper = 50.0, .step = 0.2},
    {.value = &EngineState::rightFuel, .lower = 0.0, .upper = 50.0, .step = 0.5},
    {.value = &EngineState::oilTemp, .lower = 0.0, .upper = 300.0, .step = 7.0},
    {.value = &EngineState::oilPressure, .lower = 0.0, .upper = 115.0, .step = 3.0},
    {.value = &EngineState::fuelPressure, .lower = 0.0, .upper = 20.0, .step = 0.7},
    {.value = &EngineState::volts, .lower = 10.0, .upper = 16.0, .step = 0.1},
    {.value = &EngineState::amps, .lower = -50.0, .upper = 50.0, .step = 1.0},
    {.value = &EngineState::oat, .lower = -30.0, .upper = 50.0, .step = 1.0},
    {.value = &EngineState::rpm, .lower = 1800.0, .upper = 2800.0, .step = 20.0},
    {.value = &EngineState::manifoldPressure, .lower = 15.0, .upper = 30.0, .step = 0.3},
    {.value = &EngineState::egtRankine, .lower = 1000.0, .upper = 2000.0, .step = 15.0},
    {.value = &EngineState::cht, .lower = 200.0, .upper = 600.0, .step = 6.0},
});
static_assert(sweepTable.size() == sweptValueCount, "every swept value has its row");
static_assert(noNullPointers(sweepTable, &SweepRow::value));

constexpr float demoTorque = 400.0f; // lb-ft, held while demonstrating

} // namespace

void stepDemoSweep(EngineState& record, DemoSweep& sweep) {
    for (std::size_t i = 0; i < sweepTable.size(); ++i) {
        const SweepRow& row = sweepTable[i];
        float& value = record.*row.value;
        if (sweep.rising[i]) {
            if (double(value) < row.upper)
                value = static_cast<float>(double(value) + row.step);
            else
                sweep.rising[i] = false; // a reversal holds the value for one tick
        } else {
            if (double(value) > row.lower)
                value = static_cast<float>(double(value) - row.step);
            else
                sweep.rising[i] = true;
        }
    }
    record.torque = demoTorque;
}
