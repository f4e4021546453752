#include "app/shell/InstrumentAlarms.h"

#include "engine/Engine.h"
#include "engine/Quantities.h"
#include "screen/ScreenArt.h"

#include <algorithm>

namespace {

// The model's time step, seconds: the clock of the model and of a live feed.
constexpr double tickSeconds = 0.065;
// A start this close behind the position is the one on the screen now.
constexpr double startSlack = 0.5;

bool anyFlashing(const ScreenAlarms& shown) {
    return std::any_of(shown.looks.begin(), shown.looks.end(),
                       [](const ReadoutLook& look) { return look.flashes; });
}

} // namespace

// The flash phase from the ticks.
void showAlarms(const AlarmWatch& watch, ScreenAlarms& shown) {
    const AlarmMonitor& monitor = *watch.monitor;
    ScreenAlarms next;
    for (std::size_t q = 0; q < quantityCount; ++q)
        next.looks[q] = monitor.look(Quantity(q));
    next.flashInverse = (watch.ticks / flashTicks) % 2 == 0;
    const std::vector<ActiveAlarm> active = monitor.active();
    if (!active.empty()) {
        const std::string& message = active.front().message;
        next.message.assign(message.begin(), message.end()); // ASCII words and digits
        next.severity = active.front().severity;
    }
    next.count = active.size();
    // Without a flashing readout the phase draws nothing: it stays put, so
    // that a frame kept is not redrawn for it.
    next.flashInverse = next.flashInverse && anyFlashing(next);
    shown = std::move(next);
}

void startAlarms(AlarmWatch& watch, const AircraftProfile& profile) {
    watch.monitor.emplace(profile);
    watch.ticks = 0;
}

void watchAlarms(AlarmWatch& watch, const EngineState& engine, std::optional<double> time,
                 bool sourceStale, ScreenAlarms& shown) {
    if (!watch.monitor)
        return;
    watch.monitor->update(engine, time.value_or(double(watch.ticks) * tickSeconds), sourceStale);
    ++watch.ticks;
    showAlarms(watch, shown);
}

bool acknowledgeAlarms(AlarmWatch& watch, ScreenAlarms& shown) {
    if (!watch.monitor)
        return false;
    watch.monitor->acknowledge();
    showAlarms(watch, shown);
    return true;
}

bool chimeWanted(const AlarmWatch& watch, const ScreenAlarms& shown, const EngineState& engine) {
    // A readout flashes while its warning is up and not acknowledged.
    return watch.monitor && !engine.muted && anyFlashing(shown);
}

std::optional<double> nextAlarmStart(const AlarmWatch& watch, double position, bool forward) {
    std::optional<double> nearest;
    const auto consider = [&](double time) {
        const bool ahead = forward ? time > position + startSlack : time < position - startSlack;
        if (ahead && (!nearest || (forward ? time < *nearest : time > *nearest)))
            nearest = time;
    };
    if (watch.monitor) // with alarms off the starts are not the pilot's
        for (const AlarmStart& start : watch.starts)
            consider(start.time);
    for (const double sweep : watch.leanSweeps)
        consider(sweep);
    return nearest;
}

void judgeStretch(AlarmWatch& watch, double from, double to,
                  const std::function<EngineSample(double)>& sampleAt, ScreenAlarms& shown) {
    if (!watch.monitor)
        return;
    watch.monitor->reset();
    for (std::uint64_t tick = 0; from + double(tick) * tickSeconds < to; ++tick) {
        const double time = from + double(tick) * tickSeconds;
        watch.monitor->update(sampleAt(time), time, AlarmFlags{});
    }
    watch.monitor->update(sampleAt(to), to, AlarmFlags{});
    showAlarms(watch, shown);
}

void judgeLeadUp(AlarmWatch& watch, double moment,
                 const std::function<EngineSample(double)>& sampleAt, ScreenAlarms& shown) {
    judgeStretch(watch, std::max(0.0, moment - alarmHoldSeconds - tickSeconds), moment, sampleAt,
                 shown);
}
