#pragma once

#include <array>
#include <cstddef>
#include <optional>

// Leaning by the exhaust temperatures: while the pilot pulls the mixture,
// each cylinder's EGT rises to a peak and falls beyond it. The finder
// follows every probe, marks where each one peaked and at what fuel flow,
// and tells rich from lean of peak. Temperatures in degrees F, fuel flow in
// gal/h, time in seconds, as the engine record keeps them.

inline constexpr std::size_t maxLeanChannels = 6;

struct LeanRule {
    // A peak counts once the probe has fallen this far below its highest
    // while the fuel flow fell: probe noise alone never makes one.
    double peakDrop = 10;
    // How far the probe must first have risen from where the search began:
    // 0 in the cockpit (the pilot says when leaning starts), the drop when
    // sweeps are searched for in a whole flight.
    double minimumRise = 0;
    // Readings averaged, probe and fuel flow alike, before the rule applies.
    std::size_t smoothing = 4;
    // Fuel flow this much richer than at a probe's highest means the pilot
    // has enriched: that highest was no peak, and the search goes on from here.
    double flowNoise = 0.2;
};

// One moment: every probe that reads (none: no data), and the fuel flow.
struct LeanReading {
    double time = 0;
    std::array<std::optional<double>, maxLeanChannels> egt{};
    std::size_t channels = 0; // probes the source has: 1 with a single EGT
    std::optional<double> fuelFlow;
};

struct LeanPeak {
    double egt = 0;
    double time = 0;
    std::optional<double> fuelFlow; // none: the source gives no fuel flow
};

enum class LeanSide { unknown, rich, lean };

// The mean of the last few values.
class RunningMean {
public:
    static constexpr std::size_t capacity = 16;
    double add(double value, std::size_t window);
    void clear() { *this = {}; }

private:
    std::array<double, capacity> recent{};
    std::size_t filled = 0;
    std::size_t next = 0;
};

class LeanFinder {
public:
    explicit LeanFinder(LeanRule rule = {});

    void update(const LeanReading& reading);
    // Start over: every peak forgotten.
    void reset();

    std::size_t channels() const { return channelCount; }
    const std::optional<LeanPeak>& peak(std::size_t channel) const;
    // The probe's smoothed temperature now.
    std::optional<double> current(std::size_t channel) const;
    // Its change: from its peak once it has one (negative beyond it), from
    // where the search began before.
    std::optional<double> fromPeakOrStart(std::size_t channel) const;
    // The channel that peaked first; none before any has.
    std::optional<std::size_t> firstToPeak() const;
    // Every probe that moved has peaked (a stuck or silent probe never
    // does, and is left out), and at least one has.
    bool allPeaked() const;
    // Fuel flow at the first peak less that at the last, once all have peaked
    // and there are two or more.
    std::optional<double> fuelFlowSpread() const;
    // Rich or lean of the channel's peak by the fuel flow now; unknown
    // before it peaked or without fuel flow.
    LeanSide side(std::size_t channel) const;
    std::optional<double> fuelFlow() const { return flow; }
    // When the pilot began leaning: the last reading at the highest fuel
    // flow since the search began; none without fuel flow.
    std::optional<double> leaningFrom() const { return leanStart; }

private:
    struct Channel {
        RunningMean mean;
        std::optional<double> smoothed;
        std::optional<double> start;
        double lowest = 0;
        double highestSeen = 0;
        std::optional<LeanPeak> highest; // the candidate until it counts
        double riseToHighest = 0;        // from the coolest reading before it
        std::optional<LeanPeak> peak;
    };

    void follow(Channel& channel, double egt, double time);
    bool moved(const Channel& channel) const;

    LeanRule rule;
    std::array<Channel, maxLeanChannels> probes{};
    std::size_t channelCount = 0;
    RunningMean flowMean;
    std::optional<double> flow;    // smoothed fuel flow now
    std::optional<double> richest; // the highest smoothed fuel flow seen
    std::optional<double> leanStart;
};
