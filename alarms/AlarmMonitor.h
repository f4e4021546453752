#pragma once

#include "aircraft/AircraftProfile.h"
#include "alarms/Markings.h"
#include "alarms/WatchedReadouts.h"
#include "engine/Engine.h"
#include "engine/EngineSample.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Watches every marked readout against the aircraft's limits, once a tick:
// a value in a red range for 2 s raises a warning, in a yellow range a
// caution; it clears once the value is back inside its green by the
// deadband. Time is the model's (seconds), given with each update.

enum class Severity : std::uint8_t { caution, warning };

inline constexpr double alarmHoldSeconds = 2.0;

struct AlarmFlags {
    // An instructor's demo sweeps every gauge through red: it is no emergency.
    bool demoMode = false;
    // An outside source has gone silent; while the engine was last seen
    // turning that is the caution ENGINE DATA LOST.
    bool sourceStale = false;
};

struct ActiveAlarm {
    std::optional<Quantity> quantity; // none: ENGINE DATA LOST
    Gauge gauge = Gauge::rpm;         // the readout's gauge, when there is a quantity
    int cylinder = -1;                // 0..5 on the cylinder graphs
    Severity severity = Severity::caution;
    double start = 0; // when it was raised
    bool acknowledged = false;
    std::string message; // "CHT 3 HIGH 441", as the status bar shows it
};

// How an alarm colours a readout.
struct ReadoutLook {
    bool flashes = false; // an unacknowledged warning
    bool red = false;     // a warning while the value is out of its green
    bool yellow = false;  // a caution
    friend bool operator==(const ReadoutLook&, const ReadoutLook&) = default;
};

class AlarmMonitor {
public:
    explicit AlarmMonitor(const AircraftProfile& profile);

    // One tick: the values as the screen shows them (shownValues), at `time`.
    // Time going backwards (a replay sought back) starts the watch afresh.
    void update(const EngineSample& shown, double time, AlarmFlags flags);
    // The record's values and its Demo Mode box.
    void update(const EngineState& state, double time, bool sourceStale);

    // The pilot has seen them: the warnings up now stop flashing and chiming.
    void acknowledge();
    // Nothing raised, nothing counting: a new flight or a new log.
    void reset();

    // Most severe first, then oldest first.
    std::vector<ActiveAlarm> active() const;
    std::size_t count() const;
    ReadoutLook look(Quantity quantity) const;
    // A warning was raised in the last update and is not acknowledged.
    bool chimeDue() const { return chime; }

private:
    struct Watch {
        std::optional<double> cautionSince; // first seen in yellow or red
        std::optional<double> warningSince; // first seen in red
        std::optional<Severity> raised;
        double raisedAt = 0;
        bool acknowledged = false;
        double value = 0; // the latest, engine unit
        Marking marking = Marking::unmarked;
    };

    void watchReadout(std::size_t row, const EngineSample& shown, double time);
    void watchSource(const EngineSample& shown, double time, bool sourceStale);
    void raise(Watch& watch, Severity severity, double time);
    const GaugeProfile& gaugeOf(std::size_t row) const;
    ActiveAlarm describe(std::size_t row) const;
    bool watched(std::size_t row) const;

    AircraftProfile profile;
    GaugeProfile fuelGauge; // the fuel quantity gauge on the tanks' scale
    std::array<Watch, watchedCount> watches{};
    Watch dataLost;
    std::optional<double> lastTime;
    double lastRpm = 0; // the engine last seen turning: above 0
    bool chime = false;
};
