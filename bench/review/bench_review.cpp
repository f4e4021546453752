// The flight review of a long log: read once, reduced to the plots' columns
// as it is read. A million rows (about 11.6 days at one a second) should
// review in under 3 s, in memory that does not grow with the log.

#include "FlightFixture.h"

#include "aircraft/InstrumentProfile.h"
#include "review/FlightReview.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

constexpr int logRows = 1'000'000;
constexpr int plotColumns = 1440;

// The lean-sweep flight with its first cruise drawn out to a million rows,
// written once per run and removed at exit.
class MillionRowLog {
public:
    MillionRowLog()
        : path((std::filesystem::temp_directory_path() /
                ("zentor-bench-review-" + std::to_string(::getpid()) + ".csv"))
                   .string()) {
        FlightPlan plan = flightPlan(FlightKind::leanSweep);
        plan.phases[2].seconds += logRows - plan.rows();
        std::ofstream(path, std::ios::binary) << flightLog(plan);
    }
    ~MillionRowLog() { std::filesystem::remove(path); }
    const std::string path;
};

const std::string& millionRowLog() {
    static const MillionRowLog log;
    return log.path;
}

// The process's peak resident memory since the last reset, from Linux's
// own count (VmHWM); writing 5 to clear_refs starts it again from now.
void resetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double peakResidentMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

void BM_ReviewMillionRows(benchmark::State& state) {
    const std::string& path = millionRowLog();
    resetPeakResident();
    std::uint64_t rows = 0;
    for (auto _ : state) {
        const ReviewReading reading = reviewLogFile(path, instrumentProfile, plotColumns);
        if (!reading.review) {
            state.SkipWithError(reading.error.c_str());
            return;
        }
        rows = reading.review->figures.rows;
        benchmark::DoNotOptimize(reading.review->series);
    }
    state.counters["rows"] = double(rows);
    state.counters["MiB"] = double(std::filesystem::file_size(path)) / (1 << 20);
    // The program's peak while reviewing: the file is never held whole.
    state.counters["peak_resident_MiB"] = peakResidentMiB();
}
BENCHMARK(BM_ReviewMillionRows)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
