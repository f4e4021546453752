#include "leanfind/LeanSearch.h"

#include "leanfind/LeanReadings.h"

void LeanSearch::toggle(LeanRule rule) {
    if (finder) {
        finder.reset();
        return;
    }
    finder.emplace(rule);
    time = 0;
}

void LeanSearch::tick(const EngineState& state, int cylinders, double seconds) {
    if (!finder)
        return;
    time += seconds;
    finder->update(leanReading(state, cylinders, time));
}

std::optional<LeanView> LeanSearch::view(std::size_t selected, Unit temperatureUnit,
                                         Unit fuelUnit) const {
    if (!finder)
        return std::nullopt;
    return leanView(*finder, selected, temperatureUnit, fuelUnit);
}
