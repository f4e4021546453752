#include "review/FlightFigures.h"

#include <algorithm>
#include <cmath>

namespace {

int tanksIn(const EngineSample& row) {
    return (row.has(Quantity::leftFuel) ? 1 : 0) | (row.has(Quantity::rightFuel) ? 2 : 0);
}

double fuelIn(const EngineSample& row) {
    return (row.has(Quantity::leftFuel) ? row[Quantity::leftFuel] : 0.0) +
           (row.has(Quantity::rightFuel) ? row[Quantity::rightFuel] : 0.0);
}

void keepHottest(std::optional<TimedValue>& hottest, double value, double time) {
    if (!hottest || value > hottest->value)
        hottest = TimedValue{value, time};
}

} // namespace

void FigureCounter::add(const EngineSample& row, double time, bool joined) {
    ++figures.rows;
    figures.length = std::max(figures.length, time);
    countSteps(row, time, joined);
    for (int c = 0; c < maxCylinders; ++c) {
        if (row.has(cylinderEgt(c)))
            keepHottest(figures.hottestEgt[std::size_t(c)], row[cylinderEgt(c)], time);
        if (row.has(cylinderCht(c)))
            keepHottest(figures.hottestCht[std::size_t(c)], row[cylinderCht(c)], time);
    }
    const int rowTanks = tanksIn(row);
    if (rowTanks && !tanks)
        tanks = rowTanks;
    if (rowTanks && rowTanks == tanks) {
        if (!firstFuel)
            firstFuel = fuelIn(row);
        lastFuel = fuelIn(row);
    }
    watchCruise(row, time);
    before = row;
    beforeTime = time;
    started = true;
}

// Running time, fuel burnt by the flow and how long each probe read with the
// engine running: over each step from the row before, unless a gap parts them.
void FigureCounter::countSteps(const EngineSample& row, double time, bool joined) {
    if (row.has(Quantity::rpm) && !figures.runningSeconds)
        figures.runningSeconds = 0.0;
    if (row.has(Quantity::fuelFlow) && !figures.fuelByFlow)
        figures.fuelByFlow = 0.0;
    if (!started || !joined)
        return;
    const double step = time - beforeTime;
    const bool running = before.has(Quantity::rpm) && before[Quantity::rpm] > runningRpm;
    if (running)
        *figures.runningSeconds += step;
    if (before.has(Quantity::fuelFlow) && row.has(Quantity::fuelFlow))
        *figures.fuelByFlow +=
            (double(before[Quantity::fuelFlow]) + row[Quantity::fuelFlow]) / 2 * step / 3600;
    for (int c = 0; c < maxCylinders; ++c) {
        const Quantity egt = cylinderEgt(c);
        if (!running || !before.has(egt) || !row.has(egt))
            continue;
        ProbeRange& range = egtRanges[std::size_t(c)];
        range.low = std::min({range.low, double(before[egt]), double(row[egt])});
        range.high = std::max({range.high, double(before[egt]), double(row[egt])});
        range.seconds += step;
    }
}

void FigureCounter::watchCruise(const EngineSample& row, double time) {
    const bool powered = row.has(Quantity::rpm) && row.has(Quantity::fuelFlow) &&
                         row[Quantity::rpm] > cruiseLowestRpm;
    if (!powered) {
        steadySince.reset();
        return;
    }
    const double rpm = row[Quantity::rpm];
    const double flow = row[Quantity::fuelFlow];
    if (!steadySince || std::abs(rpm - steadyRpm) > cruiseRpmBand ||
        std::abs(flow - steadyFlow) > cruiseFlowBand) {
        steadySince = time;
        steadyRpm = rpm;
        steadyFlow = flow;
        return;
    }
    if (time - *steadySince >= cruiseSeconds)
        noteSpreads(row, time);
}

void FigureCounter::noteSpreads(const EngineSample& row, double time) {
    for (int a = 0; a < maxCylinders; ++a) {
        if (!row.has(cylinderEgt(a)))
            continue;
        for (int b = a + 1; b < maxCylinders; ++b) {
            if (!row.has(cylinderEgt(b)))
                continue;
            const double difference = double(row[cylinderEgt(a)]) - row[cylinderEgt(b)];
            PairSpread& pair = pairs[std::size_t(a)][std::size_t(b)];
            if (std::abs(difference) > pair.value)
                pair = {std::abs(difference), time, difference >= 0 ? a : b};
        }
    }
}

void FigureCounter::alarmRaised(const AlarmStart& start) {
    ++figures.alarmCount;
    if (figures.firstAlarms.size() < alarmsListed)
        figures.firstAlarms.push_back(start);
}

FlightFigures FigureCounter::finish() const {
    FlightFigures result = figures;
    for (int c = 0; c < maxCylinders; ++c) {
        const ProbeRange& range = egtRanges[std::size_t(c)];
        result.egtProbeStuck[std::size_t(c)] =
            range.seconds >= cruiseSeconds && range.high - range.low <= stuckProbeBand;
    }
    for (int a = 0; a < maxCylinders; ++a)
        for (int b = a + 1; b < maxCylinders; ++b) {
            const PairSpread& pair = pairs[std::size_t(a)][std::size_t(b)];
            if (pair.value < 0 || result.egtProbeStuck[std::size_t(a)] ||
                result.egtProbeStuck[std::size_t(b)])
                continue;
            if (!result.cruiseSpread || pair.value > result.cruiseSpread->value)
                result.cruiseSpread =
                    CylinderSpread{pair.value, pair.time, pair.hotter, pair.hotter == a ? b : a};
        }
    if (firstFuel && lastFuel)
        result.fuelByQuantity = *firstFuel - *lastFuel;
    return result;
}
