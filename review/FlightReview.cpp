#include "review/FlightReview.h"

#include "alarms/AlarmMonitor.h"
#include "leanfind/LeanReadings.h"
#include "logs/LogRows.h"

#include <algorithm>
#include <memory>

namespace {

// A log with one EGT or one CHT probe plots it as cylinder 1's.
EngineSample asCylinders(EngineSample row) {
    if (row.has(Quantity::egt) && !row.has(Quantity::egt1))
        row.set(Quantity::egt1, row[Quantity::egt]);
    if (row.has(Quantity::cht) && !row.has(Quantity::cht1))
        row.set(Quantity::cht1, row[Quantity::cht]);
    return row;
}

// Fills the plots' bins and shading, halving them all as the log outgrows them.
class PlotFiller {
public:
    PlotFiller(FlightReview& review, int columns)
        : review(review), clock(std::size_t(std::max(columns, 1)) * 2) {
        for (auto& bins : review.series)
            bins.assign(clock.capacity(), PlotBin{});
        for (auto& levels : review.alarms)
            levels.assign(clock.capacity(), 0);
    }

    void add(const EngineSample& row, double time, bool joined,
             const std::bitset<quantityCount>& joinedBefore) {
        for (int h = clock.halvingsFor(time); h > 0; --h)
            halve();
        bin = clock.binOf(time);
        for (std::size_t s = 0; s < seriesCount; ++s) {
            const Quantity q = seriesRows[s].quantity;
            if (row.has(q))
                review.series[s][bin].add(row[q], joined && joinedBefore[std::size_t(q)]);
        }
    }

    void shade(Gauge gauge, Severity severity) {
        if (const auto plot = plotOf(gauge)) {
            AlarmLevel& level = review.alarms[std::size_t(*plot)][bin];
            level = std::max(level, AlarmLevel(int(severity) + 1));
        }
    }

    void finish() { review.binLength = clock.length(); }

private:
    void halve() {
        for (auto& bins : review.series)
            halveBins(bins, [](PlotBin& into, const PlotBin& later) { into.merge(later); });
        for (auto& levels : review.alarms)
            halveBins(levels,
                      [](AlarmLevel& into, AlarmLevel later) { into = std::max(into, later); });
        clock.halve();
    }

    FlightReview& review;
    BinClock clock;
    std::size_t bin = 0;
};

struct Pass {
    Pass(FlightReview& review, const AircraftProfile& profile, int columns)
        : plots(review, columns), monitor(profile),
          sweeps({.peakDrop = profile.leanPeakDrop, .minimumRise = profile.leanPeakDrop}),
          cylinders(profile.cylinders) {}

    PlotFiller plots;
    FigureCounter figures;
    AlarmMonitor monitor;
    LeanSweepSearch sweeps;
    int cylinders = 6;
    std::bitset<quantityCount> present; // in the row before
    double lastTime = 0;
    double lastStep = 0;
    bool first = true;

    void take(const EngineSample& logged, double time) {
        const EngineSample row = asCylinders(logged);
        const double step = time - lastTime;
        const bool joined = !first && (step <= gapSeconds || step <= gapSteps * lastStep);
        plots.add(row, time, joined, present);
        figures.add(row, time, joined);
        EngineSample timed = logged;
        timed.time = time;
        const auto value = [&](Quantity q) {
            return logged.has(q) ? std::optional<double>(logged[q]) : std::nullopt;
        };
        sweeps.add(leanReading(timed, cylinders), value(Quantity::rpm),
                   value(Quantity::manifoldPressure));
        monitor.update(logged, time, AlarmFlags{});
        for (const ActiveAlarm& alarm : monitor.active()) {
            if (alarm.quantity)
                plots.shade(alarm.gauge, alarm.severity);
            if (alarm.start == time)
                figures.alarmRaised({alarm.start, alarm.severity, alarm.message});
        }
        if (!first && joined)
            lastStep = step;
        present = row.present;
        lastTime = time;
        first = false;
    }
};

// What the pass found once the rows are read; the reader's error if it found none.
ReviewReading finishReview(const std::string& name, const LogRowsRead& read, FlightReview& result,
                           Pass& pass) {
    if (!read.error.empty())
        return {std::nullopt, read.error};
    const LogLayout& layout = *read.layout;
    result.file = name;
    result.quantities = layout.quantities;
    if (!layout.aircraft.empty())
        result.tailNumber = layout.aircraft;
    result.badRows = read.badRows;
    if (layout.time.fromClock()) {
        result.start = read.track.origin;
        result.utc = layout.time.utcOffsetCell.has_value() || layout.time.dateIsUtc;
    }
    result.figures = pass.figures.finish();
    const std::vector<LeanSweep>& sweeps = pass.sweeps.sweeps();
    result.sweepCount = pass.sweeps.sweepCount();
    result.sweeps.assign(sweeps.begin(),
                         sweeps.begin() + std::ptrdiff_t(std::min(sweeps.size(), sweepsKept)));
    pass.plots.finish();
    return {std::move(result), {}};
}

// Reads the log once through `readRows`, every row to the pass.
template <class ReadRows>
ReviewReading review(const std::string& name, const AircraftProfile& profile, int columns,
                     ReadRows readRows) {
    FlightReview result;
    result.tailNumber = profile.tailNumber.view();
    Pass pass(result, profile, columns);
    const LogRowsRead read = readRows([&pass](const EngineSample& row, double time) {
        pass.take(row, time);
        return true;
    });
    return finishReview(name, read, result, pass);
}

} // namespace

ReviewReading reviewLogFile(const std::string& path, const AircraftProfile& profile, int columns) {
    return review(path, profile, columns,
                  [&](const LogRowVisitor& visit) { return forEachLogRow(path, visit); });
}

ReviewReading reviewLogBytes(const std::string& name, std::string bytes,
                             const AircraftProfile& profile, int columns) {
    const auto source = memoryBytes(std::move(bytes));
    return review(name, profile, columns,
                  [&](const LogRowVisitor& visit) { return forEachLogRow(name, *source, visit); });
}
