#pragma once

#include "aircraft/AircraftProfile.h"
#include "alarms/AlarmStarts.h"

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// A replayed log's alarm starts for N and P, found on a thread of its own
// over a second reading of the file, so that a long log never stalls the
// frame timer. The log is judged at the frame tick's steps, as a replay at
// its own pace shows it.
class AlarmStartScan {
public:
    AlarmStartScan(std::string path, AircraftProfile profile);
    // A scan still running is told to stop, and waited for.
    ~AlarmStartScan();
    AlarmStartScan(const AlarmStartScan&) = delete;
    AlarmStartScan& operator=(const AlarmStartScan&) = delete;

    // The starts, once, when the scan has finished; none before and after.
    std::optional<std::vector<AlarmStart>> take();

private:
    void scan(const std::string& path, const AircraftProfile& profile);

    std::atomic<bool> cancelled{false};
    std::atomic<bool> finished{false};
    bool taken = false;
    std::vector<AlarmStart> found; // the worker's until finished
    std::thread worker;
};

// The same scan on the caller's thread: the log's alarm starts as seen at
// steps of `step` seconds from its first row. Empty for a log that cannot
// be opened. `cancelled`, where given, stops it early.
std::vector<AlarmStart> scanAlarmStarts(const std::string& path, const AircraftProfile& profile,
                                        double step, const std::atomic<bool>* cancelled = nullptr);
