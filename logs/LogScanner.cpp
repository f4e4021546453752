#include "logs/LogScanner.h"

#include <algorithm>

namespace {

// Rows read between two reports to the player: often enough that the index
// runs ahead of playback from the first moment, rarely enough to cost nothing.
constexpr std::size_t publishEvery = 8192;

} // namespace

void LogScanner::scanToEnd() {
    scannedSize = log.source->size();
    CsvReader reader(*log.source, log.layout.separator);
    reader.keepCells(log.layout.time.timeCells());
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
            tail = {true, verdict, time, reader.recordLine()};
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
        } else if (verdict != RowVerdict::blank) {
            ++at.badRows;
            if (!firstBad.line)
                firstBad = {reader.recordLine(), verdict};
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
