#include "alarms/AlarmStarts.h"

std::vector<AlarmStart> alarmStarts(const AircraftProfile& profile,
                                    std::span<const EngineSample> samples) {
    AlarmMonitor monitor(profile);
    std::vector<AlarmStart> starts;
    for (const EngineSample& sample : samples) {
        monitor.update(sample, sample.time, AlarmFlags{});
        for (const ActiveAlarm& alarm : monitor.active())
            if (alarm.start == sample.time)
                starts.push_back(
                    {.time = alarm.start, .severity = alarm.severity, .message = alarm.message});
    }
    return starts;
}
