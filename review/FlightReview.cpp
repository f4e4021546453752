#include "review/FlightReview.h"

#include "alarms/AlarmMonitor.h"
#include "leanfind/LeanReadings.h"
#include "logs/CsvReader.h"
#include "logs/EngineLog.h"
#include "logs/LogLayout.h"
#include "logs/RowDecoder.h"

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
        : plots(review, columns), monitor(profile), cylinders(profile.cylinders) {}

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

std::string located(const std::string& name, std::uint64_t line, const std::string& what) {
    return LogError{name, line, what}.message();
}

// Every row from the first after the header to the end, good ones to the
// pass; the first bad one noted for a log with no good row at all.
struct RowsRead {
    TimeTrack track;
    std::uint64_t badRows = 0;
    std::uint64_t firstBadLine = 0;
    RowVerdict firstBad = RowVerdict::good;
};

RowsRead readRows(const ByteSource& source, const LogLayout& layout, Pass& pass) {
    const RowDecoder decoder(layout);
    CsvReader reader(source, layout.separator);
    reader.keepCells(neededCells(layout));
    reader.seek(layout.dataOffset, layout.dataLine);
    RowsRead read;
    for (CsvStatus status = reader.next(); status != CsvStatus::end; status = reader.next()) {
        double time = 0;
        TimeTrack next = read.track;
        const RowVerdict verdict = decoder.judge(status, reader, next, time);
        if (verdict != RowVerdict::good) {
            if (verdict != RowVerdict::blank && !read.badRows++) {
                read.firstBadLine = reader.recordLine();
                read.firstBad = verdict;
            }
            continue;
        }
        read.track = next;
        EngineSample row;
        decoder.readValues(reader, row);
        pass.take(row, time);
    }
    return read;
}

ReviewReading review(const std::string& name, const ByteSource& source,
                     const AircraftProfile& profile, int columns) {
    if (source.size() == 0)
        return {std::nullopt, located(name, 0, "empty file")};
    const LayoutReading reading = readLayout(source);
    if (!reading.layout)
        return {std::nullopt, located(name, reading.line, reading.problem)};
    const LogLayout& layout = *reading.layout;
    FlightReview result;
    result.file = name;
    result.quantities = layout.quantities;
    result.tailNumber =
        !layout.aircraft.empty() ? layout.aircraft : std::string(profile.tailNumber.view());
    Pass pass(result, profile, columns);
    const RowsRead read = readRows(source, layout, pass);
    result.badRows = read.badRows;
    if (pass.first)
        return {std::nullopt,
                read.firstBadLine
                    ? located(name, read.firstBadLine,
                              "no readable data row (" + std::string(describe(read.firstBad)) + ")")
                    : located(name, layout.headerLine, "no data rows after the header row")};
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

} // namespace

ReviewReading reviewLogFile(const std::string& path, const AircraftProfile& profile, int columns) {
    const OpenedBytes file = openFileBytes(path);
    if (!file.source)
        return {std::nullopt, located(path, 0, "cannot open: " + file.error)};
    return review(path, *file.source, profile, columns);
}

ReviewReading reviewLogBytes(const std::string& name, std::string bytes,
                             const AircraftProfile& profile, int columns) {
    const auto source = memoryBytes(std::move(bytes));
    return review(name, *source, profile, columns);
}
