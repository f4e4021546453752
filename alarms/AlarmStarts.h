#pragma once

#include "aircraft/AircraftProfile.h"
#include "alarms/AlarmMonitor.h"
#include "engine/EngineSample.h"

#include <span>
#include <string>
#include <vector>

// Where a replay's alarms start, for the player to seek from one to the
// next: the log's samples in time order, judged by the same rules as the
// live instrument.
struct AlarmStart {
    double time = 0; // the sample's, when the alarm was raised
    Severity severity = Severity::caution;
    std::string message; // as the status bar showed it then
};

std::vector<AlarmStart> alarmStarts(const AircraftProfile& profile,
                                    std::span<const EngineSample> samples);
