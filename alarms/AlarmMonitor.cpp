#include "alarms/AlarmMonitor.h"

#include "alarms/AlarmMessage.h"
#include "engine/SampleValues.h"

#include <algorithm>

namespace {

// Ticks come at steps of 65 ms in floating point: 2 s reached is 2 s
// reached, however the sum rounds.
constexpr double timeSlack = 1e-9;

bool held(const std::optional<double>& since, double time) {
    return since && time - *since >= alarmHoldSeconds - timeSlack;
}

// The count toward a caution (level yellow: yellow or red) or a warning
// (red) starts when the value enters that level and runs on while it stays
// within the deadband of it: a value wavering at the line keeps counting.
void countToward(std::optional<double>& since, Marking level, Marking at, Marking near,
                 double time) {
    if (near < level)
        since.reset();
    else if (!since && at >= level)
        since = time;
}

} // namespace

AlarmMonitor::AlarmMonitor(const AircraftProfile& aircraft)
    : profile(aircraft), fuelGauge(withTankScale(aircraft.gauge(Gauge::fuelQuantity),
                                                 aircraft.leftTank, aircraft.rightTank)) {}

void AlarmMonitor::update(const EngineState& state, double time, bool sourceStale) {
    update(shownValues(state), time,
           AlarmFlags{.demoMode = state.demoMode != 0, .sourceStale = sourceStale});
}

void AlarmMonitor::update(const EngineSample& shown, double time, AlarmFlags flags) {
    if (lastTime && time < *lastTime)
        reset();
    lastTime = time;
    chime = false;
    if (flags.demoMode) {
        watches = {};
        dataLost = {};
        return;
    }
    for (std::size_t row = 0; row < watchedCount; ++row)
        watchReadout(row, shown, time);
    watchSource(shown, time, flags.sourceStale);
}

void AlarmMonitor::watchReadout(std::size_t row, const EngineSample& shown, double time) {
    Watch& watch = watches[row];
    const Quantity quantity = watchedReadouts[row].quantity;
    // A probe that fails shows dashes: its alarm goes, and one that comes
    // back out of limits is counted and raised anew.
    if (!watched(row) || !shown.has(quantity)) {
        watch = {};
        return;
    }
    const GaugeProfile& gauge = gaugeOf(row);
    const double value = shown[quantity];
    const double band = deadband(gauge);
    const Marking at = markingAt(gauge, value);
    const Marking near = markingNear(gauge, value, band);
    watch.value = value;
    watch.marking = at;
    countToward(watch.cautionSince, Marking::yellow, at, near, time);
    countToward(watch.warningSince, Marking::red, at, near, time);
    if (watch.raised && at == Marking::green && near == Marking::green)
        watch.raised.reset();
    if (held(watch.warningSince, time) && watch.raised != Severity::warning)
        raise(watch, Severity::warning, time);
    else if (held(watch.cautionSince, time) && !watch.raised)
        raise(watch, Severity::caution, time);
}

void AlarmMonitor::watchSource(const EngineSample& shown, double time, bool sourceStale) {
    if (shown.has(Quantity::rpm))
        lastRpm = shown[Quantity::rpm];
    if (!sourceStale)
        dataLost = {};
    else if (lastRpm > 0 && !dataLost.raised)
        raise(dataLost, Severity::caution, time);
}

void AlarmMonitor::raise(Watch& watch, Severity severity, double time) {
    watch.raised = severity;
    watch.raisedAt = time;
    watch.acknowledged = false;
    chime = chime || severity == Severity::warning;
}

void AlarmMonitor::acknowledge() {
    for (Watch& watch : watches)
        watch.acknowledged = watch.acknowledged || watch.raised.has_value();
    dataLost.acknowledged = dataLost.acknowledged || dataLost.raised.has_value();
    chime = false;
}

void AlarmMonitor::reset() {
    watches = {};
    dataLost = {};
    lastTime.reset();
    lastRpm = 0;
    chime = false;
}

bool AlarmMonitor::watched(std::size_t row) const {
    return watchedReadouts[row].cylinder < profile.cylinders;
}

const GaugeProfile& AlarmMonitor::gaugeOf(std::size_t row) const {
    const Gauge gauge = watchedReadouts[row].gauge;
    return gauge == Gauge::fuelQuantity ? fuelGauge : profile.gauge(gauge);
}

ActiveAlarm AlarmMonitor::describe(std::size_t row) const {
    const WatchedReadout& readout = watchedReadouts[row];
    const Watch& watch = watches[row];
    return {.quantity = readout.quantity,
            .gauge = readout.gauge,
            .cylinder = readout.cylinder,
            .severity = *watch.raised,
            .start = watch.raisedAt,
            .acknowledged = watch.acknowledged,
            .message = alarmMessage(readout, gaugeOf(row), watch.value, profile)};
}

std::vector<ActiveAlarm> AlarmMonitor::active() const {
    std::vector<ActiveAlarm> alarms;
    for (std::size_t row = 0; row < watchedCount; ++row)
        if (watches[row].raised)
            alarms.push_back(describe(row));
    if (dataLost.raised)
        alarms.push_back({.quantity = std::nullopt,
                          .severity = Severity::caution,
                          .start = dataLost.raisedAt,
                          .acknowledged = dataLost.acknowledged,
                          .message = std::string(engineDataLostMessage)});
    // Stable: alarms raised at the same tick keep the screen's order.
    std::stable_sort(alarms.begin(), alarms.end(), [](const ActiveAlarm& a, const ActiveAlarm& b) {
        if (a.severity != b.severity)
            return a.severity > b.severity;
        return a.start < b.start;
    });
    return alarms;
}

std::size_t AlarmMonitor::count() const {
    return std::size_t(std::count_if(watches.begin(), watches.end(),
                                     [](const Watch& watch) { return watch.raised.has_value(); })) +
           (dataLost.raised ? 1 : 0);
}

ReadoutLook AlarmMonitor::look(Quantity quantity) const {
    for (std::size_t row = 0; row < watchedCount; ++row) {
        const Watch& watch = watches[row];
        if (watchedReadouts[row].quantity != quantity || !watch.raised)
            continue;
        const bool warning = watch.raised == Severity::warning;
        return {.flashes = warning && !watch.acknowledged,
                .red = warning && watch.marking != Marking::green,
                .yellow = !warning};
    }
    return {};
}
