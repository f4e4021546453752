#include "app/shell/AlarmStartScan.h"

#include "app/shell/InstrumentController.h"
#include "leanfind/LeanReadings.h"
#include "leanfind/LeanSweeps.h"
#include "logs/EngineLog.h"

namespace {

std::optional<double> valueOf(const EngineSample& sample, Quantity quantity) {
    if (!sample.has(quantity))
        return std::nullopt;
    return double(sample[quantity]);
}

} // namespace

AlarmStartScan::AlarmStartScan(std::string path, AircraftProfile profile, bool withAlarms)
    : worker([this, path = std::move(path), profile = std::move(profile), withAlarms] {
          found =
              scanReplayStops(path, profile, frameTimerPeriodMs / 1000.0, withAlarms, &cancelled);
          finished = true;
      }) {}

AlarmStartScan::~AlarmStartScan() {
    cancelled = true;
    if (worker.joinable())
        worker.join();
}

std::optional<ReplayStops> AlarmStartScan::take() {
    if (taken || !finished)
        return std::nullopt;
    taken = true;
    return std::move(found);
}

ReplayStops scanReplayStops(const std::string& path, const AircraftProfile& profile, double step,
                            bool withAlarms, const std::atomic<bool>* cancelled) {
    EngineLog::Opened opened = EngineLog::open(path, LogOptions{.indexInBackground = false});
    if (!opened.log || !(step > 0))
        return {};
    const double length = opened.log->progress().length;
    std::optional<AlarmMonitor> monitor;
    if (withAlarms)
        monitor.emplace(profile);
    LeanSweepSearch sweeps(
        LeanRule{.peakDrop = profile.leanPeakDrop, .minimumRise = profile.leanPeakDrop});
    ReplayStops stops;
    // Counted in whole steps, so the times are the replay's own tick times.
    for (std::uint64_t tick = 0; double(tick) * step <= length; ++tick) {
        if (cancelled && *cancelled)
            return {};
        const double time = double(tick) * step;
        const EngineSample sample = opened.log->sampleAt(time);
        if (monitor) {
            monitor->update(sample, time, AlarmFlags{});
            for (const ActiveAlarm& alarm : monitor->active())
                if (alarm.start == time)
                    stops.alarms.push_back(
                        {.time = time, .severity = alarm.severity, .message = alarm.message});
        }
        LeanReading reading = leanReading(sample, profile.cylinders);
        reading.time = time;
        sweeps.add(reading, valueOf(sample, Quantity::rpm),
                   valueOf(sample, Quantity::manifoldPressure));
    }
    for (const LeanSweep& sweep : sweeps.sweeps())
        stops.leanSweeps.push_back(sweep.leaningFrom);
    return stops;
}
