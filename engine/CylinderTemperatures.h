#pragma once

#include "engine/Engine.h"

// A cylinder's temperatures as the instrument shows them, degrees F: the
// source's own per-cylinder value where it measured one, otherwise the
// engine's one value spread by the cylinder's factor.

inline constexpr int cylinderCount = 6;

inline double shownEgt(const EngineState& e, int cylinder) {
    if (e.egtMeasured)
        return e.measuredEgt[cylinder];
    const double baseEgt = double(e.egtRankine) - 459.67; // degrees F
    // The spread scales the distance from 850 F, the same for every cylinder.
    return (baseEgt - 850) * e.egtSpread[cylinder] + 850;
}

inline double shownCht(const EngineState& e, int cylinder) {
    if (e.chtMeasured)
        return e.measuredCht[cylinder];
    return double(e.cht) * e.chtSpread[cylinder];
}

inline bool egtMissing(const EngineState& e, int cylinder) {
    return e.lacks(e.egtMeasured ? cylinderEgt(cylinder) : Quantity::egt);
}

inline bool chtMissing(const EngineState& e, int cylinder) {
    return e.lacks(e.chtMeasured ? cylinderCht(cylinder) : Quantity::cht);
}
