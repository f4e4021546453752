#pragma once

#include "aircraft/AircraftProfile.h"

#include <cmath>

// What makes a profile one the screen can draw and an alarm can judge: each
// scale the right way round and within what the engine can show at all,
// every range the right way round and on its scale, no two ranges of a
// gauge sharing more than an end, every red line on the scale, a readout's
// white range the right way round, 4 or 6 cylinders, tanks that hold
// something and a lean peak drop a probe can show. The reader says which of these a file breaks and
// where; the instrument's own profile is checked against them when it compiles.

constexpr bool rightWayRound(double low, double high) {
    return low < high;
}

constexpr bool onScale(double value, const GaugeProfile& gauge) {
    return value >= gauge.min && value <= gauge.max;
}

constexpr bool onScale(ValueRange range, const GaugeProfile& gauge) {
    return onScale(range.from, gauge) && onScale(range.to, gauge);
}

// Ranges that meet at an end do not overlap: a handbook's green ends where its yellow starts.
constexpr bool overlap(ValueRange a, ValueRange b) {
    return a.from < b.to && b.from < a.to;
}

constexpr bool plausibleScale(Gauge g, double min, double max) {
    return rightWayRound(min, max) && plausible(gaugeRow(g).quantity, min) &&
           plausible(gaugeRow(g).quantity, max);
}

constexpr bool plausibleTank(double gallons) {
    return gallons > 0 && plausible(Quantity::leftFuel, gallons);
}

// Lean-find's peak drop, degrees F: more than a probe's noise, and no more
// than a pilot leans past a peak.
inline constexpr double leastPeakDrop = 1;
inline constexpr double mostPeakDrop = 100;
constexpr bool plausiblePeakDrop(double degreesF) {
    return degreesF >= leastPeakDrop && degreesF <= mostPeakDrop;
}

constexpr bool cylindersShown(long long count) {
    return count == 4 || count == 6;
}

constexpr bool soundWhiteReadout(const WhiteReadout& readout) {
    return readout.lowBound == Bound::none || readout.highBound == Bound::none ||
           rightWayRound(readout.low, readout.high);
}

// Every range of the gauge, green, yellow and red, in that order.
template <class Visit>
constexpr void forEachRange(const GaugeProfile& gauge, Visit visit) {
    for (const Ranges* colour : {&gauge.green, &gauge.yellow, &gauge.red})
        for (const ValueRange& range : *colour)
            visit(range);
}

constexpr bool soundGauge(Gauge g, const GaugeProfile& gauge) {
    bool sound = plausibleScale(g, gauge.min, gauge.max);
    int seen = 0;
    forEachRange(gauge, [&](ValueRange range) {
        sound = sound && rightWayRound(range.from, range.to) && onScale(range, gauge);
        int other = 0;
        forEachRange(gauge, [&](ValueRange earlier) {
            sound = sound && (other++ >= seen || !overlap(range, earlier));
        });
        ++seen;
    });
    for (const double line : gauge.redLines)
        sound = sound && onScale(line, gauge);
    return sound && (!gauge.whiteReadout || soundWhiteReadout(*gauge.whiteReadout));
}

constexpr bool soundProfile(const AircraftProfile& profile) {
    bool sound = cylindersShown(profile.cylinders) && plausibleTank(profile.leftTank) &&
                 plausibleTank(profile.rightTank) && plausiblePeakDrop(profile.leanPeakDrop) &&
                 (profile.temperatureUnit == Unit::degF || profile.temperatureUnit == Unit::degC) &&
                 (profile.fuelUnit == Unit::gallons || profile.fuelUnit == Unit::litres);
    for (const GaugeRow& row : gaugeRows)
        sound = sound && soundGauge(row.gauge, profile.gauge(row.gauge));
    return sound;
}
