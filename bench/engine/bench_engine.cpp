#include "app/shell/Instrument.h"
#include "app/shell/OpeningState.h"
#include "engine/EngineModel.h"

#include <benchmark/benchmark.h>

// One model step with the knobs moving slowly, tanks kept from running dry.
static void BM_stepEngineModel(benchmark::State& state) {
    Instrument instrument;
    setOpeningState(instrument, 1);
    int tick = 0;
    for (auto _ : state) {
        instrument.engine.throttle = float(tick++ % 1000) / 1000.0f;
        instrument.engine.leftFuel = 45.7f;
        stepEngineModel(instrument.engine);
        benchmark::DoNotOptimize(instrument.engine);
    }
}
BENCHMARK(BM_stepEngineModel);

static void BM_stepDemoSweep(benchmark::State& state) {
    Instrument instrument;
    setOpeningState(instrument, 1);
    for (auto _ : state) {
        stepDemoSweep(instrument.engine, instrument.model.sweep);
        benchmark::DoNotOptimize(instrument.engine);
    }
}
BENCHMARK(BM_stepDemoSweep);

BENCHMARK_MAIN();
