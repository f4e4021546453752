#pragma once

#include "aircraft/AircraftProfile.h"
#include "alarms/AlarmMonitor.h"
#include "alarms/AlarmStarts.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct EngineState;
struct ScreenAlarms;

// The alarms of a run. Off unless the command line gives an aircraft profile
// or --alarms: then the instrument runs as it always has, the monitor never
// ticked.
struct AlarmWatch {
    std::optional<AlarmMonitor> monitor; // none: alarms off
    // Frame ticks since the alarms came on: the model's clock and the flash's.
    std::uint64_t ticks = 0;
    // A replayed log's alarm starts, in time order, for N and P.
    std::vector<AlarmStart> starts;
    // Where the pilot began leaning in each of its lean sweeps: N and P stop there too.
    std::vector<double> leanSweeps;
};

// A flashing readout shows inverse video for this many ticks, then plain for
// as many: about 2 Hz at the 65 ms tick.
inline constexpr std::uint64_t flashTicks = 4;

// Alarms on, judged against `profile`'s limits, from the next tick.
void startAlarms(AlarmWatch& watch, const AircraftProfile& profile);

// One tick, after the engine source's step: `time` in seconds is the source's
// (a replay's position in its log; the model's ticks otherwise, when not
// given), `sourceStale` an outside source gone silent. The screen's alarms
// follow.
void watchAlarms(AlarmWatch& watch, const EngineState& engine, std::optional<double> time,
                 bool sourceStale, ScreenAlarms& shown);

// A is pressed, Enter or the status bar clicked: the warnings up stop
// flashing and chiming. False while alarms are off.
bool acknowledgeAlarms(AlarmWatch& watch, ScreenAlarms& shown);

// The screen's alarms as the monitor has them now.
void showAlarms(const AlarmWatch& watch, ScreenAlarms& shown);

// Whether the chime should sound this tick, as the screen's alarms `shown`
// stand: a warning up, not acknowledged, and Mute not ticked.
bool chimeWanted(const AlarmWatch& watch, const ScreenAlarms& shown, const EngineState& engine);

// The alarm start or lean sweep after (`forward`) or before `position`, if
// any. Stops within half a second behind count as the one being watched,
// so that P from a stop just sought goes to the one before it. Alarm starts
// count only with alarms on; lean sweeps always.
std::optional<double> nextAlarmStart(const AlarmWatch& watch, double position, bool forward);

// The log's values from `from` to `to` seconds (`sampleAt` gives them),
// judged afresh at the tick's steps and at `to` itself, as a replay playing
// through them would have: the alarms up at `to`. The screen's alarms follow.
void judgeStretch(AlarmWatch& watch, double from, double to,
                  const std::function<EngineSample(double)>& sampleAt, ScreenAlarms& shown);

// A replay sought to `moment`: the hold before it judged afresh, so that an
// alarm that starts there is up as it was when the log played through it.
void judgeLeadUp(AlarmWatch& watch, double moment,
                 const std::function<EngineSample(double)>& sampleAt, ScreenAlarms& shown);
