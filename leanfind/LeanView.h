#pragma once

#include "engine/Units.h"
#include "leanfind/LeanFinder.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

// What the screen shows of a lean search, in the pilot's units: the status
// word, the selected cylinder's distance from its peak, who peaked first,
// the fuel flow at each peak and their spread.
struct LeanView {
    std::u16string status;          // "LEAN" until the selected probe peaks, then "ROP" or "LOP"
    std::u16string difference;      // "+45" rising toward the peak, "-25" past it; empty: no data
    std::optional<int> firstToPeak; // cylinder number, 1 on
    std::array<std::optional<double>, maxLeanChannels> peakFlow{}; // display unit
    std::optional<double> flowSpread;                              // display unit
    bool singleProbe = false; // one EGT for the engine: the view is of that one

    bool operator==(const LeanView&) const = default;
};

// The view for the selected cylinder (0 on; with a single probe, that one).
// Temperatures in `temperatureUnit` (degF or degC), flows in `fuelUnit`'s
// flow (gallons: gal/h, litres: L/h).
LeanView leanView(const LeanFinder& finder, std::size_t selected, Unit temperatureUnit,
                  Unit fuelUnit);
