#include "logs/LogCursor.h"

#include <algorithm>
#include <cmath>

LogCursor::LogCursor(const OpenLog& shared)
    : log(shared), reader(*shared.source, shared.layout.separator) {}

ScanPoint LogCursor::indexedBefore(double time) const {
    const std::lock_guard lock(log.mutex);
    const Checkpoint* row = log.index.before(time);
    return row ? row->at : log.firstRow;
}

// An indexed row past `offset` and not after `time`: a shorter way there.
std::optional<ScanPoint> LogCursor::indexedAfter(std::uint64_t offset, double time) const {
    const std::lock_guard lock(log.mutex);
    const Checkpoint* row = log.index.before(time);
    if (row && row->at.offset > offset && row->time <= time)
        return row->at;
    return std::nullopt;
}

void LogCursor::restart(const ScanPoint& from, Budget& budget) {
    reader.seek(from.offset, from.line);
    track = from.track;
    earlier.reset();
    later.reset();
    Row row;
    if (readRow(row, budget))
        earlier = std::move(row);
}

bool LogCursor::readRow(Row& row, Budget& budget) {
    while (budget.left()) {
        const std::uint64_t from = reader.offset();
        const CsvStatus status = reader.next(budget.bytes);
        if (status == CsvStatus::end)
            return false;
        --budget.records;
        budget.bytes -= std::min(budget.bytes, reader.offset() - from);
        if (status == CsvStatus::unfinished)
            return false; // the next call goes on through the long line
        double time = 0;
        if (log.decoder.judge(status, reader, track, time) != RowVerdict::good)
            continue;
        row.time = time;
        row.start = reader.recordStart();
        log.decoder.readValues(reader, row.values);
        return true;
    }
    return false;
}

EngineSample LogCursor::sampleAt(double seconds) {
    const double time = std::isnan(seconds) ? 0.0 : std::max(seconds, 0.0);
    Budget budget;
    if (const std::uint64_t now = log.generation.load(); now != generation) {
        generation = now;
        earlier.reset();
        later.reset();
    }
    if (!earlier || time < earlier->time) {
        restart(indexedBefore(time), budget);
    } else if (!later || later->time <= time) {
        if (const auto shortcut = indexedAfter(earlier->start, time))
            restart(*shortcut, budget);
    }
    while (budget.left()) {
        if (!later) {
            Row row;
            if (!readRow(row, budget))
                break;
            later = std::move(row);
        }
        if (later->time > time)
            break;
        earlier = std::move(later);
        later.reset();
    }
    return blend(time);
}

EngineSample LogCursor::blend(double time) const {
    if (!earlier && !later)
        return {};
    const Row& base = earlier ? *earlier : *later;
    EngineSample sample = base.values;
    sample.time = base.time;
    if (!earlier || !later || time <= earlier->time || time >= later->time)
        return sample;
    const double fraction = (time - earlier->time) / (later->time - earlier->time);
    for (std::size_t q = 0; q < quantityCount; ++q) {
        if (!sample.present[q] || !later->values.present[q])
            continue;
        const double from = earlier->values.values[q];
        const double to = later->values.values[q];
        sample.values[q] = float(from + (to - from) * fraction);
    }
    sample.time = time;
    return sample;
}
