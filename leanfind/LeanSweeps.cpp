#include "leanfind/LeanSweeps.h"

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

void LeanSweepSearch::add(const LeanReading& reading, std::optional<double> rpm,
                          std::optional<double> manifoldPressure) {
    const bool gap = lastTime && reading.time - *lastTime > steady.longestGap;
    lastTime = reading.time;
    if (!searchStart || gap || powerChanged(rpm, manifoldPressure)) {
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
    if (!finder.allPeaked())
        return;
    LeanSweep sweep{.start = *searchStart,
                    .end = *searchStart,
                    .channels = finder.channels(),
                    .firstToPeak = finder.firstToPeak(),
                    .fuelFlowSpread = finder.fuelFlowSpread()};
    for (std::size_t c = 0; c < finder.channels(); ++c) {
        sweep.peaks[c] = finder.peak(c);
        if (sweep.peaks[c])
            sweep.end = std::max(sweep.end, sweep.peaks[c]->time);
    }
    const std::optional<LeanPeak>& first = finder.peak(*sweep.firstToPeak);
    found.push_back(sweep);
    // Richer than the first peak again: the pilot has enriched, and may lean anew.
    richAgainAbove = first->fuelFlow.value_or(0);
    finder.reset();
}
