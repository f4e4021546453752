#pragma once

#include "logs/RowDecoder.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A place to read a log from: a record's start and line, the time track and
// the bad rows and cells before it.
struct ScanPoint {
    std::uint64_t offset = 0;
    std::uint64_t line = 1;
    TimeTrack track;
    std::uint64_t badRows = 0;
    RowCounts skipped{}; // badRows by why
    CellCounts badCells{};
};

// A good row to seek to, with its time.
struct Checkpoint {
    ScanPoint at;
    double time = 0;
};

// Every stride-th good row, by time, for seeking, and the first good row after
// a long stretch of bytes (long or bad rows): reading on from the nearest one
// costs at most a stride of rows or about `bytesApart`. The index never holds
// more than `capacity` rows: when full it keeps every other one and doubles
// the stride, so its memory is bounded whatever the file's length.
class RowIndex {
public:
    static constexpr std::size_t capacity = std::size_t(1) << 16;
    static constexpr std::uint64_t firstStride = 64;
    static constexpr std::uint64_t bytesApart = std::uint64_t(4) << 20;

    // Whether a row is worth offering, judged by the row number alone
    // (track.rows before it) and its distance from the last offered.
    static bool candidate(const Checkpoint& row, std::uint64_t lastOffered) {
        return row.at.track.rows % firstStride == 0 || row.at.offset - lastOffered >= bytesApart;
    }
    // Takes the row if its number falls on the stride or it is far enough on.
    void offer(const Checkpoint& row);
    // The last row at or before `time`, else the first; null when empty.
    const Checkpoint* before(double time) const;
    // Forgets the rows at or past `offset` (the file shrank).
    void forgetFrom(std::uint64_t offset);

    bool empty() const { return points.empty(); }
    const Checkpoint& last() const { return points.back(); }
    std::uint64_t stride() const { return every; }
    std::size_t size() const { return points.size(); }

private:
    std::vector<Checkpoint> points;
    std::uint64_t every = firstStride;
};
