#pragma once

#include "aircraft/AircraftProfile.h"
#include "leanfind/LeanFinder.h"
#include "leanfind/LeanView.h"

#include <cstddef>
#include <optional>
#include <string>

// --lean START: the lean search as the cockpit runs it when the pilot
// presses L START into a replayed log, followed row by row to the moment
// the frame shows.

struct LeanReplay {
    std::optional<LeanFinder> finder;
    std::string error; // the log's, as a replay refuses it
};

// The search over the log's rows from `start` to `at` (seconds from its
// first row), by the profile's peak drop.
LeanReplay leanSearchOf(const std::string& path, double start, double at,
                        const AircraftProfile& profile);

// What the screen shows of it at `at`, as one line: "lean 00:26:30: LOP
// 1ST 3  SPREAD 1.2  cylinder 1 -25  peaks 1:11.3 2:10.9 ..." (the status
// bar's words, the selected cylinder's distance from its peak, and the fuel
// flow at each cylinder's peak, "--" for none), in the profile's units.
std::string leanLine(double at, const LeanView& view, std::size_t selected, std::size_t channels);
