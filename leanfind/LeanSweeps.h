#pragma once

#include "leanfind/LeanFinder.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The leaning sweeps of a whole flight, found by the cockpit's rule: at a
// steady power setting each probe must rise by the peak drop, peak, and fall
// by it again while the fuel flow falls. A change of power or a gap in the
// data starts the search over.

struct LeanSweep {
    double start = 0; // the search's first reading
    double end = 0;   // when the last moving probe peaked
    // When the fuel flow began to fall toward the peaks: where a replay's
    // N and P stop.
    double leaningFrom = 0;
    std::size_t channels = 0;
    std::array<std::optional<LeanPeak>, maxLeanChannels> peaks{};
    std::optional<std::size_t> firstToPeak;
    std::optional<double> fuelFlowSpread;
    // Every probe that moved peaked; false: given up halfway (enriched, a
    // change of power, the data stopped), with the peaks it had.
    bool complete = true;
};

// What holds a power setting steady; beyond it the search starts over.
struct SteadyPower {
    double rpm = 50;             // rev/min either way
    double manifoldPressure = 1; // inHg either way
    double longestGap = 30;      // seconds between readings
};

// A flight keeps at most this many sweeps; the rest are only counted.
inline constexpr std::size_t maxSweepsKept = 64;

class LeanSweepSearch {
public:
    explicit LeanSweepSearch(LeanRule rule = {.peakDrop = 10, .minimumRise = 10},
                             SteadyPower steady = {});

    // Readings in time order, with the power setting where the source has it.
    void add(const LeanReading& reading, std::optional<double> rpm,
             std::optional<double> manifoldPressure);
    const std::vector<LeanSweep>& sweeps() const { return found; }
    std::uint64_t sweepCount() const { return count; }

private:
    void record(bool complete);
    void startOver(const LeanReading& reading, std::optional<double> rpm,
                   std::optional<double> manifoldPressure);
    bool powerChanged(std::optional<double> rpm, std::optional<double> manifoldPressure) const;

    LeanRule rule;
    SteadyPower steady;
    LeanFinder finder;
    std::optional<double> searchStart;
    std::optional<double> lastTime;
    std::optional<double> setRpm;
    std::optional<double> setPressure;
    // After a sweep, the next begins only once the mixture is rich again.
    std::optional<double> richAgainAbove;
    std::vector<LeanSweep> found;
    std::uint64_t count = 0;
};
