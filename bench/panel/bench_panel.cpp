#include "app/shell/Instrument.h"
#include "app/shell/InstrumentController.h"
#include "app/shell/OpeningState.h"
#include "engine/EngineModel.h"
#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"
#include "gfx/SmoothStretch.h"
#include "panel/FrameCompositor.h"
#include "panel/OffscreenPanelWindow.h"
#include "panel/PanelArtwork.h"

#include <QGuiApplication>

#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

OffscreenPanelWindow window;

void startInstrument(int clientWidth, int clientHeight, bool demo) {
    setOpeningState(instrument(), 1);
    instrument().engine.throttle = 0.4f;
    instrument().engine.demoMode = demo;
    window.client = {0, 0, clientWidth, clientHeight};
    instrument().view.window = &window;
    instrument().renderer.powerUp();
    for (int tick = 0; tick < 300; ++tick)
        stepEngine(instrument().engine,
                   instrument().model.sweep); // mid sweep, gauges away from their start values
}

// The whole frame alone, at the given client size, as a resize, a new
// source or a seek draws it.
void BM_composeFrame(benchmark::State& state) {
    startInstrument(int(state.range(0)), int(state.range(1)), false);
    for (auto _ : state) {
        window.keptFrame.redrawAll();
        composeFrame(instrument().view, panelScene(instrument()));
    }
    instrument().renderer.release();
}
BENCHMARK(BM_composeFrame)
    ->Args({572, 670}) // the window's opening client area
    ->Args({750, 945})
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The whole frame as the running program meets it after a resize: 65 ms of
// other work between frames leave the caches cold, so each frame here starts
// after 32 MiB of other memory has gone through them. With the screen off
// (screen:0) what is left is the part a whole frame pays whatever the gauges
// show: the panel picture copied, the knobs and marks drawn, the one
// stretched copy.
void BM_composeFrameCold(benchmark::State& state) {
    startInstrument(int(state.range(0)), int(state.range(1)), false);
    if (state.range(2) == 0)
        instrument().renderer.release();
    std::vector<std::uint64_t> elsewhere(std::size_t(32) << 17);
    std::uint64_t touched = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (std::uint64_t& word : elsewhere)
            word += ++touched;
        window.keptFrame.redrawAll();
        state.ResumeTiming();
        composeFrame(instrument().view, panelScene(instrument()));
    }
    benchmark::DoNotOptimize(elsewhere.data());
    instrument().renderer.release();
}
BENCHMARK(BM_composeFrameCold)
    ->ArgNames({"", "", "screen"})
    ->Args({572, 670, 1}) // the window's opening client area
    ->Args({572, 670, 0})
    ->Args({1920, 1080, 1})
    ->Args({1920, 1080, 0})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// One model step and the kept frame brought up to date: only the parts
// whose readings moved are drawn and stretched, as every tick of a steady
// cruise (demo:0) or of the demo sweep (demo:1) draws them.
void BM_keptFrame(benchmark::State& state) {
    startInstrument(int(state.range(0)), int(state.range(1)), state.range(2) != 0);
    composeFrame(instrument().view, panelScene(instrument()));
    for (auto _ : state) {
        stepEngine(instrument().engine, instrument().model.sweep);
        composeFrame(instrument().view, panelScene(instrument()));
    }
    instrument().renderer.release();
}
BENCHMARK(BM_keptFrame)
    ->ArgNames({"", "", "demo"})
    ->Args({572, 670, 0})
    ->Args({1920, 1080, 0})
    ->Args({572, 670, 1})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// A whole tick as the timer runs it: sound and model step, then the frame at 750 x 945.
void BM_wholeTick(benchmark::State& state) {
    startInstrument(750, 945, state.range(0) != 0);
    for (auto _ : state) {
        instrument().engine.leftFuel = 45.7f;
        instrument().engine.rightFuel = 42.1f;
        tickFrameTimer();
    }
    instrument().renderer.release();
}
BENCHMARK(BM_wholeTick)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("demo")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The whole tick with the alarms on (alarms:1) against the same ticks
// without (alarms:0): the monitor judged, the screen's alarms handed over,
// the frame. The instrument's own limits, but its oil pressure marked red
// over its whole scale, so that from the 31st tick a warning is up and
// flashing, as the worst steady case. Mute is ticked in both: no chime.
void BM_wholeTickAlarms(benchmark::State& state) {
    startInstrument(750, 945, false);
    instrument().engine.muted = 1;
    AircraftProfile oilPressureRed = instrumentProfile;
    oilPressureRed.gauge(Gauge::oilPressure).green = {};
    oilPressureRed.gauge(Gauge::oilPressure).red = {{0, 125}};
    if (state.range(0) != 0)
        startAlarms(instrument().alarms, oilPressureRed);
    for (auto _ : state) {
        instrument().engine.leftFuel = 45.7f;
        instrument().engine.rightFuel = 42.1f;
        tickFrameTimer();
    }
    state.counters["alarms up"] = double(instrument().renderer.alarms.count);
    instrument().alarms = {};
    instrument().renderer.alarms = {};
    instrument().renderer.release();
}
BENCHMARK(BM_wholeTickAlarms)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("alarms")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// Only the stretched copy of a finished 750 x 945 frame onto a client area
// that, like the window's backing store, lives on between frames: by the
// drawing layer's own passes (own:1) or by the painter (own:0).
void BM_stretchedCopy(benchmark::State& state) {
    const int w = int(state.range(0));
    const int h = int(state.range(1));
    gfx::setOwnStretch(state.range(2) != 0);
    gfx::Bitmap backBuffer(750, 945);
    {
        gfx::Graphics g(backBuffer);
        g.drawImage(&instrument().artwork.panel, 0, 0);
    }
    gfx::Bitmap client(w, h);
    for (auto _ : state) {
        gfx::Graphics window(client);
        stretchFrame(window, backBuffer, w, h);
        benchmark::DoNotOptimize(client);
    }
    gfx::setOwnStretch(true);
}
BENCHMARK(BM_stretchedCopy)
    ->ArgNames({"", "", "own"})
    ->Args({572, 670, 0})
    ->Args({572, 670, 1})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Args({3840, 2160, 0})
    ->Args({3840, 2160, 1})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    loadPanelArtwork(instrument().artwork);
    // Fill the font and glyph caches first, so the first benchmark measures
    // frames like every later one, not start-up.
    startInstrument(750, 945, false);
    for (int frame = 0; frame < 20; ++frame)
        composeFrame(instrument().view, panelScene(instrument()));
    instrument().renderer.release();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    freePanelArtwork(instrument().artwork);
    return 0;
}
