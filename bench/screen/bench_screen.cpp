// One monitor screen frame, kit and all, into a 630 x 483 image.

#include "app/shell/Instrument.h"
#include "app/shell/OpeningState.h"
#include "engine/EngineModel.h"
#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"
#include "screen/ScreenRenderer.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

namespace {

// Start values, or 300 ticks into the demo sweep with every gauge away from rest.
void setEngine(Instrument& instrument, bool midSweep) {
    setOpeningState(instrument, 1);
    instrument.engine.demoMode = midSweep ? 1 : 0;
    for (int tick = 0; midSweep && tick < 300; ++tick)
        stepEngine(instrument.engine, instrument.model.sweep);
}

void BM_drawScreen(benchmark::State& state) {
    Instrument instrument;
    setEngine(instrument, state.range(0) != 0);
    ScreenRenderer renderer;
    renderer.powerUp();
    QImage black(630, 483, QImage::Format_RGB32);
    black.fill(Qt::black);
    gfx::Bitmap screen(black);
    gfx::Graphics graphics(screen);
    graphics.setClip({0, 0, 630, 483});
    for (auto _ : state)
        renderer.draw(graphics, instrument.engine);
}
BENCHMARK(BM_drawScreen)
    ->ArgName("midSweep")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    // Text needs the GUI font database; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
