#include "app/shell/Instrument.h"
#include "app/shell/OpeningState.h"
#include "engine/Engine.h"
#include "resources/Resources.h"
#include "sound/EngineSound.h"
#include "sound/OpenAlAudio.h"
#include "sound/SoundBufferLoading.h"
#include "sound/WaveChunks.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

// The chunk walk over the supplied loop, as at window set-up.
static void BM_findWaveChunks(benchmark::State& state) {
    const auto image = zentor::findResource(zentor::engineSoundWave, "WAVE");
    for (auto _ : state)
        benchmark::DoNotOptimize(findWaveChunks(image));
}
BENCHMARK(BM_findWaveChunks);

// Building the loop: the walk, the buffer and the one copy of the recording.
static void BM_createSoundBuffer(benchmark::State& state) {
    for (auto _ : state) {
        SoundBuffer* buffer =
            createSoundBufferFromResource(openAlAudioDevice(), zentor::engineSoundWave);
        if (!buffer) {
            state.SkipWithError("no audio device");
            break;
        }
        buffer->release();
    }
}
BENCHMARK(BM_createSoundBuffer);

// The sound's share of a normal tick while the engine runs: one status query
// and one pitch change, rpm sweeping between idle and full power.
static void BM_updateEngineSound(benchmark::State& state) {
    Instrument instrument;
    setOpeningState(instrument, 1);
    if (!loadEngineSound(instrument.sound, zentor::engineSoundWave)) {
        state.SkipWithError("no audio device");
        return;
    }
    int tick = 0;
    for (auto _ : state) {
        instrument.engine.rpm = 900.0f + float(tick++ % 1500);
        updateEngineSound(instrument.sound, instrument.engine);
    }
    releaseEngineSound(instrument.sound);
}
BENCHMARK(BM_updateEngineSound);

// The benchmarks play into OpenAL Soft's null output, never a sound card.
int main(int argc, char** argv) {
    setenv("ALSOFT_DRIVERS", "null", 1);
    openAlAudioDevice().open();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
