#pragma once

#include "leanfind/LeanFinder.h"
#include "leanfind/LeanView.h"

#include <cstddef>
#include <optional>

struct EngineState;

// The cockpit's lean search: on from the pilot's L to the next L, fed once
// a tick from the engine record whatever its source. A record that has not
// moved since the last reading (a paused replay, a feed that stopped) is not
// read again: the same reading twice would weigh in its averages as two.
class LeanSearch {
public:
    bool on() const { return finder.has_value(); }
    // On with every peak forgotten, judged by `rule`, or off.
    void toggle(LeanRule rule = {});
    // One tick of `seconds` on the record the tick left.
    void tick(const EngineState& state, int cylinders, double seconds);
    // What the screen shows; none while off.
    std::optional<LeanView> view(std::size_t selected, Unit temperatureUnit, Unit fuelUnit) const;

private:
    std::optional<LeanFinder> finder;
    std::optional<LeanReading> last;
    double time = 0;
};
