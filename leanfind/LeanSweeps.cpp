#include "leanfind/LeanSweeps.h"

#include <algorithm>
#include <cmath>

LeanSweepSearch::LeanSweepSearch(LeanRule leanRule, SteadyPower steadyPower)
    : rule(leanRule), steady(steadyPower), finder(leanRule) {}

bool LeanSweepSearch::powerChanged(std::optional<double> rpm,
                                   std::optional<double> manifoldPressure) const {
    const auto moved = [](std::optional<double> set, std::optional<double> now, double band) {
        return set.has_value() != now.has_value() || (set && std::abs(*now - *set) > band);
    };
    return moved(setRpm, rpm, steady.rpm) ||
           moved(setPressure, manifoldPressure, steady.manifoldPressure);
}

void LeanSweepSearch::startOver(const LeanReading& reading, std::optional<double> rpm,
                                std::optional<double> manifoldPressure) {
    finder.reset();
    searchStart = reading.time;
    setRpm = rpm;
    setPressure = manifoldPressure;
}

void LeanSweepSearch::record(bool complete) {
    const std::optional<std::size_t> first = finder.firstToPeak();
    if (!first)
        return;
    ++count;
    if (found.size() >= maxSweepsKept)
        return;
    LeanSweep sweep{.start = *searchStart,
                    .end = *searchStart,
                    .leaningFrom = finder.leaningFrom().value_or(*searchStart),
                    .channels = finder.channels(),
                    .peaks = {},
                    .firstToPeak = first,
                    .fuelFlowSpread = finder.fuelFlowSpread(),
                    .complete = complete};
    for (std::size_t c = 0; c < finder.channels(); ++c) {
        sweep.peaks[c] = finder.peak(c);
        if (sweep.peaks[c])
            sweep.end = std::max(sweep.end, sweep.peaks[c]->time);
    }
    found.push_back(sweep);
}

void LeanSweepSearch::add(const LeanReading& reading, std::optional<double> rpm,
                          std::optional<double> manifoldPressure) {
    const bool gap = lastTime && reading.time - *lastTime > steady.longestGap;
    lastTime = reading.time;
    if (!searchStart || gap || powerChanged(rpm, manifoldPressure)) {
        record(false); // what peaked before the power changed or the data stopped
        richAgainAbove.reset();
        startOver(reading, rpm, manifoldPressure);
    }
    if (richAgainAbove) {
        if (!reading.fuelFlow || *reading.fuelFlow <= *richAgainAbove)
            return;
        richAgainAbove.reset();
        startOver(reading, rpm, manifoldPressure);
    }
    finder.update(reading);
    const std::optional<std::size_t> first = finder.firstToPeak();
    if (finder.allPeaked()) {
        record(true);
        // Richer than the first peak again: the pilot has enriched, and may lean anew.
        richAgainAbove = finder.peak(*first)->fuelFlow.value_or(0);
        finder.reset();
        return;
    }
    // Enriched past the first peak before the others peaked: a sweep given
    // up halfway, its peaks kept; the search goes on from here.
    const std::optional<double> flow = finder.fuelFlow();
    const std::optional<double> firstFlow = first ? finder.peak(*first)->fuelFlow : std::nullopt;
    if (flow && firstFlow && *flow > *firstFlow + rule.flowNoise) {
        record(false);
        startOver(reading, rpm, manifoldPressure);
    }
}
