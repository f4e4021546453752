#pragma once

#include "aircraft/AircraftProfile.h"
#include "alarms/AlarmStarts.h"

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// A replayed log's alarm starts and lean sweeps for N and P, found on a thread of its own
// over a second reading of the file, so that a long log never stalls the
// frame timer. The log is judged at the frame tick's steps, as a replay at
// its own pace shows it.
// Where N and P stop in a replay: its alarm starts, and where the pilot
// began leaning in each lean sweep, in time order.
struct ReplayStops {
    std::vector<AlarmStart> alarms;
    std::vector<double> leanSweeps;
};

class AlarmStartScan {
public:
    // Alarm starts are judged only `withAlarms`; lean sweeps always.
    AlarmStartScan(std::string path, AircraftProfile profile, bool withAlarms = true);
    // A scan still running is told to stop, and waited for.
    ~AlarmStartScan();
    AlarmStartScan(const AlarmStartScan&) = delete;
    AlarmStartScan& operator=(const AlarmStartScan&) = delete;

    // The stops, once, when the scan has finished; none before and after.
    std::optional<ReplayStops> take();

private:
    std::atomic<bool> cancelled{false};
    std::atomic<bool> finished{false};
    bool taken = false;
    ReplayStops found; // the worker's until finished
    std::thread worker;
};

// The same scan on the caller's thread: the log's alarm starts and lean
// sweeps as seen at steps of `step` seconds from its first row. Empty for a
// log that cannot be opened. `cancelled`, where given, stops it early.
ReplayStops scanReplayStops(const std::string& path, const AircraftProfile& profile, double step,
                            bool withAlarms = true, const std::atomic<bool>* cancelled = nullptr);
