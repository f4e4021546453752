#include "aircraft/InstrumentProfile.h"
#include "app/shell/AlarmStartScan.h"
#include "logs/EngineLog.h"
#include "logs/EngineRecorder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <unistd.h>

namespace {

constexpr int logRows = 1'000'000;
constexpr double tick = 0.065;

// The logs the benchmarks read, written once per run into a folder removed at exit.
class BenchFiles {
public:
    BenchFiles()
        : folder(std::filesystem::temp_directory_path() /
                 ("zentor-bench-logs-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder);
    }
    ~BenchFiles() { std::filesystem::remove_all(folder); }
    std::string path(const std::string& name) const { return (folder / name).string(); }

private:
    std::filesystem::path folder;
};

BenchFiles& files() {
    static BenchFiles instance;
    return instance;
}

// Every quantity moving within its range, as a session does.
EngineSample sessionValues(int row) {
    EngineSample sample;
    const double phase = row * 0.001;
    for (std::size_t q = 0; q < quantityCount; ++q)
        sample.set(Quantity(q), float(0.5 + 0.4 * std::sin(phase + double(q))));
    sample.set(Quantity::rpm, float(2000 + 400 * std::sin(phase)));
    for (int c = 0; c < 6; ++c) {
        sample.set(cylinderEgt(c), float(1300 + 50 * std::sin(phase + c)));
        sample.set(cylinderCht(c), float(330 + 30 * std::sin(phase + c)));
    }
    return sample;
}

// A session recorded at every tick: 1,000,000 rows, about 300 MB.
const std::string& ownRecording() {
    static const std::string path = [] {
        const std::string file = files().path("recording.csv");
        RecorderOptions options;
        options.version = "bench";
        options.interval = 0;
        auto created = EngineRecorder::create(file, options);
        RecordedTick recorded;
        recorded.utc = std::chrono::system_clock::time_point(std::chrono::seconds(1714564800));
        for (int row = 0; row < logRows; ++row) {
            recorded.seconds = row * tick;
            recorded.utc += std::chrono::milliseconds(65);
            recorded.values = sessionValues(row);
            created.recorder->record(recorded);
        }
        return file;
    }();
    return path;
}

// An avionics export of 1,000,000 rows a second apart, blank-padded cells.
const std::string& avionicsExport() {
    static const std::string path = [] {
        const std::string file = files().path("avionics.csv");
        std::ofstream out(file);
        out << "#airframe_info, log_version=\"1.00\", airframe_name=\"Bench\"\n"
            << "  Lcl Date,  Lcl Time,  UTCOfst,  Latitude,  Longitude,  RPM,  Manifold Press "
               "(inch Hg),  Oil Temp (deg F),  Oil Press (PSI),  Fuel Flow (gal/hour),  Volts 1,  "
               "Amps,  Outside Air Temp (deg C)";
        for (int c = 1; c <= 6; ++c)
            out << ",  CHT" << c << " (deg F),  EGT" << c << " (deg F)";
        out << ",  Fuel Qty Main (gal),  Fuel Qty Aux (gal)\n"
            << "  Lcl Date,  Lcl Time,  UTCOfst,  Latitude,  Longitude,  E1 RPM,  E1 MAP,  E1 "
               "OilT,  E1 OilP,  E1 FFlow,  volt1,  amp1,  OAT";
        for (int c = 1; c <= 6; ++c)
            out << ",  E1 CHT" << c << ",  E1 EGT" << c;
        out << ",  FQtyM,  FQtyA\n";
        char line[512];
        for (int row = 0; row < logRows; ++row) {
            const int clock = 8 * 3600 + row;
            const int day = 1 + clock / 86400;
            const int seconds = clock % 86400;
            const double phase = row * 0.01;
            int size = std::snprintf(line, sizeof line,
                                     "2024-05-%02d, %02d:%02d:%02d,-04:00,  40.12345, -75.12345, "
                                     "%7.1f, %5.2f, %6.1f, %5.1f, %5.2f, %5.2f, %5.1f, %5.1f",
                                     day, seconds / 3600, seconds / 60 % 60, seconds % 60,
                                     2300 + 100 * std::sin(phase), 24 + std::sin(phase),
                                     180 + 5 * std::sin(phase), 70 + std::sin(phase), 12.5, 28.1,
                                     15.0, 10.0);
            for (int c = 0; c < 6; ++c)
                size +=
                    std::snprintf(line + size, sizeof line - std::size_t(size), ", %5.0f, %6.0f",
                                  330 + 20 * std::sin(phase + c), 1320 + 30 * std::sin(phase + c));
            std::snprintf(line + size, sizeof line - std::size_t(size), ", %5.1f, %5.1f\n", 30.0,
                          10.0);
            out << line;
        }
        return file;
    }();
    return path;
}

const std::string& logFor(const benchmark::State& state) {
    return state.range(0) == 0 ? ownRecording() : avionicsExport();
}

// Opening a 1,000,000-row log to its first sample, the index still being
// built on its thread (the target is 1 s).
void BM_openToFirstSample(benchmark::State& state) {
    const std::string& path = logFor(state);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto opened = EngineLog::open(path);
        benchmark::DoNotOptimize(opened.log->sampleAt(0));
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_openToFirstSample)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// Reading the whole log into the index, on its thread.
void BM_indexWholeLog(benchmark::State& state) {
    const std::string& path = logFor(state);
    for (auto _ : state) {
        auto opened = EngineLog::open(path);
        opened.log->waitForIndex();
        benchmark::DoNotOptimize(opened.log->progress());
    }
}
BENCHMARK(BM_indexWholeLog)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// A seek to anywhere in the indexed log (the target is 50 ms); the slowest
// one is reported too.
void BM_seek(benchmark::State& state) {
    auto opened = EngineLog::open(logFor(state));
    EngineLog& log = *opened.log;
    log.waitForIndex();
    const double length = log.progress().length;
    std::minstd_rand random(3);
    double slowest = 0;
    for (auto _ : state) {
        const double at = length * double(random()) / double(random.max());
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(log.sampleAt(at));
        slowest = std::max(slowest, std::chrono::duration<double, std::milli>(
                                        std::chrono::steady_clock::now() - start)
                                        .count());
    }
    state.counters["slowest_ms"] = slowest;
}
BENCHMARK(BM_seek)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One frame tick of replay at speed 1 and 64 through the recording.
void BM_playbackTick(benchmark::State& state) {
    auto opened = EngineLog::open(ownRecording());
    EngineLog& log = *opened.log;
    log.waitForIndex();
    const double length = log.progress().length;
    const double step = tick * double(state.range(0));
    double at = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(log.sampleAt(at));
        at += step;
        if (at > length)
            at = 0;
    }
}
BENCHMARK(BM_playbackTick)->Arg(1)->Arg(64)->Unit(benchmark::kMicrosecond);

// Recording's cost per tick (the target is 0.05 ms on average): a row a
// second (most ticks write nothing), or a row every tick, each handed to the
// system before the next.
void BM_recordTick(benchmark::State& state) {
    const std::string path = files().path("record-" + std::to_string(state.range(0)) + ".csv");
    RecorderOptions options;
    options.version = "bench";
    options.interval = state.range(0) == 0 ? 0 : 1;
    options.overwrite = true;
    auto created = EngineRecorder::create(path, options);
    RecordedTick recorded;
    recorded.values = sessionValues(0);
    int row = 0;
    for (auto _ : state) {
        recorded.seconds = row * tick;
        recorded.utc = std::chrono::system_clock::now();
        recorded.values.set(Quantity::rpm, float(2000 + row % 400));
        benchmark::DoNotOptimize(created.recorder->record(recorded));
        ++row;
    }
    created.recorder.reset();
    std::filesystem::remove(path);
}
BENCHMARK(BM_recordTick)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace

// A replay's alarm starts for N and P, found over the whole 1,000,000-row
// log at the frame tick's steps, as the scan beside the replay finds them
// (off the frame timer): the recording's 18 hours, the export's 11.6 days.
void BM_alarmStartScan(benchmark::State& state) {
    const std::string& path = logFor(state);
    std::size_t starts = 0;
    for (auto _ : state)
        starts = scanReplayStops(path, instrumentProfile, tick).alarms.size();
    state.counters["starts"] = double(starts);
}
BENCHMARK(BM_alarmStartScan)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
