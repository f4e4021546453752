#pragma once

#include "logs/OpenLog.h"

#include <optional>

// The player's place in a log: the rows either side of the last moment
// asked for, read on from there while playback moves forward, and from the
// nearest indexed row after a seek.
class LogCursor {
public:
    explicit LogCursor(const OpenLog& log);
    EngineSample sampleAt(double seconds);

private:
    struct Row {
        double time = 0;
        std::uint64_t start = 0;
        EngineSample values;
    };
    // What one call may read, so that it fits in a frame tick whatever the
    // file: about 10 ms of parsing at worst.
    struct Budget {
        std::size_t records = 4096;
        std::uint64_t bytes = std::uint64_t(2) << 20;
        bool left() const { return records > 0 && bytes > 0; }
    };

    ScanPoint indexedBefore(double time) const;
    std::optional<ScanPoint> indexedAfter(std::uint64_t offset, double time) const;
    void restart(const ScanPoint& from, Budget& budget);
    bool readRow(Row& row, Budget& budget);
    EngineSample blend(double time) const;

    const OpenLog& log;
    CsvReader reader;
    TimeTrack track;
    std::optional<Row> earlier; // at or before the last moment asked for
    std::optional<Row> later;   // after it
    std::uint64_t generation = 0;
};
