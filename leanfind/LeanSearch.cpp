#include "leanfind/LeanSearch.h"

#include "leanfind/LeanReadings.h"

void LeanSearch::toggle(LeanRule rule) {
    if (finder) {
        finder.reset();
        return;
    }
    finder.emplace(rule);
    last.reset();
    time = 0;
}

namespace {

bool sameValues(const LeanReading& a, const LeanReading& b) {
    return a.egt == b.egt && a.channels == b.channels && a.fuelFlow == b.fuelFlow;
}

} // namespace

void LeanSearch::tick(const EngineState& state, int cylinders, double seconds) {
    if (!finder)
        return;
    time += seconds;
    const LeanReading reading = leanReading(state, cylinders, time);
    if (last && sameValues(*last, reading))
        return;
    last = reading;
    finder->update(reading);
}

std::optional<LeanView> LeanSearch::view(std::size_t selected, Unit temperatureUnit,
                                         Unit fuelUnit) const {
    if (!finder)
        return std::nullopt;
    return leanView(*finder, selected, temperatureUnit, fuelUnit);
}
