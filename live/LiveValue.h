#pragma once

#include "engine/EngineSample.h"
#include "engine/Quantities.h"
#include "live/LiveCounters.h"

#include <cmath>

// Takes one value a simulator sent onto the latest values, in the unit the
// screen shows; a value that is not finite or cannot be real clears the
// quantity instead, so the gauge shows no data rather than an old reading.
inline void takeValue(EngineSample& latest, LiveCounters& counters, Quantity quantity, Unit unit,
                      double value) {
    const double shown = toScreen(quantity, unit)(value);
    if (!std::isfinite(value)) {
        counters.count(Ignored::nonFinite);
        latest.clear(quantity);
    } else if (!plausible(quantity, shown)) {
        counters.count(Ignored::absurd);
        latest.clear(quantity);
    } else {
        ++counters.values;
        latest.set(quantity, float(shown));
    }
}
