#include "logs/LogScanner.h"

#include <algorithm>

namespace {

// Rows read between two reports to the player: often enough that the index
// runs ahead of playback from the first moment, rarely enough to cost nothing.
constexpr std::size_t publishEvery = 8192;

// "line 9, Oil Temp (deg F): 27O0", or empty for none.
std::string describeCell(const LogLayout& layout, const FirstBadCell& cell) {
    if (!cell.line)
        return {};
    const std::string name =
        cell.column < layout.names.size() ? printable(layout.names[cell.column], 40) : "";
    return "line " + std::to_string(cell.line) + ", " + name + ": " + cell.text;
}

} // namespace

void LogScanner::scanToEnd() {
    scannedSize = log.source->size();
    CsvReader reader(*log.source, log.layout.separator);
    reader.keepCells(neededCells(log.layout));
    reader.seek(resume.offset, resume.line);
    ScanPoint at = resume;
    Tail tail;
    std::vector<Checkpoint> batch;
    std::uint64_t lastOffered = resume.offset;
    std::size_t unpublished = 0;
    for (;;) {
        const CsvStatus status = reader.next();
        if (status == CsvStatus::end)
            break;
        TimeTrack track = at.track;
        double time = 0;
        const RowVerdict verdict = log.decoder.judge(status, reader, track, time);
        if (!reader.terminated()) {
            tail = {true, verdict, time, track.origin + track.last - track.shift,
                    reader.recordLine()};
            break;
        }
        if (verdict == RowVerdict::good) {
            const Checkpoint row{{reader.recordStart(), reader.recordLine(), at.track, at.badRows},
                                 time};
            if (RowIndex::candidate(row, lastOffered)) {
                batch.push_back(row);
                lastOffered = row.at.offset;
            }
            at.track = track;
            length = time;
            log.decoder.countBadCells(reader, at.badCells, firstBadCells);
        } else if (verdict != RowVerdict::blank) {
            ++at.badRows;
            if (!firstBad.line)
                firstBad = {reader.recordLine(), verdict};
            if (!at.skipped[skipReason(verdict)]++)
                firstSkipped[skipReason(verdict)] = reader.recordLine();
        }
        at.offset = reader.offset();
        at.line = reader.line();
        if (++unpublished == publishEvery) {
            publish(batch, at, {}, false);
            unpublished = 0;
            if (log.stopping)
                return;
        }
    }
    resume = at;
    publish(batch, at, tail, true);
}

void LogScanner::publish(std::vector<Checkpoint>& batch, const ScanPoint& at, const Tail& tail,
                         bool complete) {
    const bool tailGood = tail.present && tail.verdict == RowVerdict::good;
    const bool tailBad = tail.present && !tailGood && tail.verdict != RowVerdict::blank;
    const FirstBadRow first =
        firstBad.line || !tailBad ? firstBad : FirstBadRow{tail.line, tail.verdict};
    {
        const std::lock_guard lock(log.mutex);
        for (const Checkpoint& row : batch)
            log.index.offer(row);
        LogProgress& progress = log.progress;
        progress.rows = at.track.rows + (tailGood ? 1 : 0);
        progress.length = std::max(0.0, tailGood ? tail.time : length);
        progress.badRows = at.badRows + (tailBad ? 1 : 0);
        progress.firstBadLine = first.line;
        progress.firstBadReason = first.line ? describe(first.verdict) : "";
        progress.skipped = at.skipped;
        progress.firstSkippedLine = firstSkipped;
        if (tailBad && !progress.skipped[skipReason(tail.verdict)]++)
            progress.firstSkippedLine[skipReason(tail.verdict)] = tail.line;
        progress.clockCorrections = at.track.corrections;
        progress.firstTime = tailGood && !at.track.rows ? tail.own : at.track.origin;
        progress.lastTime = tailGood ? tail.own : at.track.origin + at.track.last - at.track.shift;
        progress.badCells = at.badCells;
        for (std::size_t i = 0; i < cellFaultCount; ++i)
            progress.firstBadCell[i] = describeCell(log.layout, firstBadCells[i]);
        progress.complete = complete;
    }
    batch.clear();
    log.changed.notify_all();
}

void LogScanner::rewind(std::uint64_t size) {
    const std::lock_guard lock(log.mutex);
    log.index.forgetFrom(size);
    resume = log.index.empty() ? log.firstRow : log.index.last().at;
    if (firstBad.line >= resume.line)
        firstBad = {};
    for (FirstBadCell& first : firstBadCells)
        if (first.line >= resume.line)
            first = {};
    for (std::size_t i = 0; i < skipReasonCount; ++i)
        if (!resume.skipped[i])
            firstSkipped[i] = 0;
    length = std::max(0.0, resume.track.last);
}

void LogScanner::follow(std::chrono::milliseconds period) {
    scanToEnd();
    while (!log.stopping) {
        {
            std::unique_lock lock(log.mutex);
            log.changed.wait_for(lock, std::max(period, std::chrono::milliseconds(1)),
                                 [this] { return log.stopping.load(); });
        }
        const std::uint64_t size = log.source->size();
        if (log.stopping || size == scannedSize)
            continue;
        if (size < resume.offset)
            rewind(size);
        {
            const std::lock_guard lock(log.mutex);
            log.progress.complete = false;
        }
        ++log.generation;
        scanToEnd();
    }
}
