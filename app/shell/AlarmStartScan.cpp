#include "app/shell/AlarmStartScan.h"

#include "app/shell/InstrumentController.h"
#include "logs/EngineLog.h"

AlarmStartScan::AlarmStartScan(std::string path, AircraftProfile profile)
    : worker(
          [this, path = std::move(path), profile = std::move(profile)] { scan(path, profile); }) {}

AlarmStartScan::~AlarmStartScan() {
    cancelled = true;
    if (worker.joinable())
        worker.join();
}

void AlarmStartScan::scan(const std::string& path, const AircraftProfile& profile) {
    found = scanAlarmStarts(path, profile, frameTimerPeriodMs / 1000.0, &cancelled);
    finished = true;
}

std::optional<std::vector<AlarmStart>> AlarmStartScan::take() {
    if (taken || !finished)
        return std::nullopt;
    taken = true;
    return std::move(found);
}

std::vector<AlarmStart> scanAlarmStarts(const std::string& path, const AircraftProfile& profile,
                                        double step, const std::atomic<bool>* cancelled) {
    EngineLog::Opened opened = EngineLog::open(path, LogOptions{.indexInBackground = false});
    if (!opened.log || !(step > 0))
        return {};
    const double length = opened.log->progress().length;
    AlarmMonitor monitor(profile);
    std::vector<AlarmStart> starts;
    // Counted in whole steps, so the times are the replay's own tick times.
    for (std::uint64_t tick = 0; double(tick) * step <= length; ++tick) {
        if (cancelled && *cancelled)
            return {};
        const double time = double(tick) * step;
        monitor.update(opened.log->sampleAt(time), time, AlarmFlags{});
        for (const ActiveAlarm& alarm : monitor.active())
            if (alarm.start == time)
                starts.push_back(
                    {.time = time, .severity = alarm.severity, .message = alarm.message});
    }
    return starts;
}
