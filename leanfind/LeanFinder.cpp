#include "leanfind/LeanFinder.h"

#include <algorithm>

double RunningMean::add(double value, std::size_t window) {
    window = std::clamp<std::size_t>(window, 1, capacity);
    recent[next] = value;
    next = (next + 1) % capacity;
    filled = std::min(filled + 1, capacity);
    const std::size_t count = std::min(filled, window);
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += recent[(next + capacity - 1 - i) % capacity];
    return sum / double(count);
}

LeanFinder::LeanFinder(LeanRule leanRule) : rule(leanRule) {}

void LeanFinder::reset() {
    probes = {};
    channelCount = 0;
    flowMean.clear();
    flow.reset();
    richest.reset();
    leanStart.reset();
}

void LeanFinder::update(const LeanReading& reading) {
    channelCount = std::min(reading.channels, maxLeanChannels);
    if (reading.fuelFlow)
        flow = flowMean.add(*reading.fuelFlow, rule.smoothing);
    else
        flow.reset();
    if (flow) {
        if (!richest || *flow >= *richest) {
            richest = *flow;
            leanStart = reading.time;
        }
    }
    for (std::size_t c = 0; c < channelCount; ++c) {
        if (reading.egt[c])
            follow(probes[c], *reading.egt[c], reading.time);
        else
            probes[c].smoothed.reset(); // no data: its peak, if any, stays
    }
}

void LeanFinder::follow(Channel& channel, double egt, double time) {
    const double now = channel.mean.add(egt, rule.smoothing);
    channel.smoothed = now;
    if (!channel.start) {
        channel.start = channel.lowest = channel.highestSeen = now;
    }
    channel.lowest = std::min(channel.lowest, now);
    channel.highestSeen = std::max(channel.highestSeen, now);
    if (channel.peak)
        return;
    const bool enriched = channel.highest && flow && channel.highest->fuelFlow &&
                          *flow > *channel.highest->fuelFlow + rule.flowNoise;
    if (!channel.highest || now > channel.highest->egt || enriched) {
        channel.highest = LeanPeak{.egt = now, .time = time, .fuelFlow = flow};
        channel.riseToHighest = now - channel.lowest;
    }
    const LeanPeak& top = *channel.highest;
    const bool fellEnough = top.egt - now >= rule.peakDrop;
    const bool roseEnough = channel.riseToHighest >= rule.minimumRise;
    // Enriching cools the probe too: only a fall while leaning goes on is past the peak.
    const bool leaning = !flow || !top.fuelFlow || *flow < *top.fuelFlow;
    if (fellEnough && roseEnough && leaning)
        channel.peak = top;
}

bool LeanFinder::moved(const Channel& channel) const {
    return channel.start && channel.highestSeen - channel.lowest >= rule.peakDrop;
}

const std::optional<LeanPeak>& LeanFinder::peak(std::size_t channel) const {
    return probes[channel].peak;
}

std::optional<double> LeanFinder::current(std::size_t channel) const {
    return probes[channel].smoothed;
}

std::optional<double> LeanFinder::fromPeakOrStart(std::size_t channel) const {
    const Channel& probe = probes[channel];
    if (!probe.smoothed)
        return std::nullopt;
    return *probe.smoothed - (probe.peak ? probe.peak->egt : *probe.start);
}

std::optional<std::size_t> LeanFinder::firstToPeak() const {
    std::optional<std::size_t> first;
    for (std::size_t c = 0; c < channelCount; ++c)
        if (probes[c].peak && (!first || probes[c].peak->time < probes[*first].peak->time))
            first = c;
    return first;
}

bool LeanFinder::allPeaked() const {
    bool any = false;
    for (std::size_t c = 0; c < channelCount; ++c) {
        if (probes[c].peak)
            any = true;
        else if (moved(probes[c]))
            return false;
    }
    return any;
}

std::optional<double> LeanFinder::fuelFlowSpread() const {
    if (!allPeaked())
        return std::nullopt;
    std::size_t peaks = 0;
    const LeanPeak* first = nullptr;
    const LeanPeak* last = nullptr;
    for (std::size_t c = 0; c < channelCount; ++c) {
        const std::optional<LeanPeak>& p = probes[c].peak;
        if (!p)
            continue;
        if (!p->fuelFlow)
            return std::nullopt;
        ++peaks;
        if (!first || p->time < first->time)
            first = &*p;
        if (!last || p->time > last->time)
            last = &*p;
    }
    if (peaks < 2) // one probe has no spread
        return std::nullopt;
    return *first->fuelFlow - *last->fuelFlow;
}

LeanSide LeanFinder::side(std::size_t channel) const {
    const std::optional<LeanPeak>& p = probes[channel].peak;
    if (!p || !p->fuelFlow || !flow)
        return LeanSide::unknown;
    return *flow < *p->fuelFlow ? LeanSide::lean : LeanSide::rich;
}
