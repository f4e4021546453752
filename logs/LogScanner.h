#pragma once

#include "logs/OpenLog.h"

#include <chrono>
#include <vector>

// Reads a log from its first row to its end, judging every row, counting the
// bad ones and offering rows to the index; then, when following, watches the
// file's size and reads again where it grew or shrank.
class LogScanner {
public:
    LogScanner(OpenLog& log, const ScanPoint& start, FirstBadRow firstBad,
               const RowCounts& firstSkipped)
        : log(log), resume(start), firstBad(firstBad), firstSkipped(firstSkipped) {}

    // Reads from where the last scan ended to the end of the file as it is
    // now; returns early when the log is closing.
    void scanToEnd();
    // scanToEnd, then again whenever the size changes, until the log closes.
    void follow(std::chrono::milliseconds period);

private:
    // A last record with no line end yet: judged, but read again next time.
    struct Tail {
        bool present = false;
        RowVerdict verdict = RowVerdict::blank;
        double time = 0;
        double own = 0; // its time as the log writes it
        std::uint64_t line = 0;
    };

    void publish(std::vector<Checkpoint>& batch, const ScanPoint& at, const Tail& tail,
                 bool complete);
    void rewind(std::uint64_t size);

    OpenLog& log;
    ScanPoint resume; // after the last record with a line end
    FirstBadRow firstBad;
    RowCounts firstSkipped; // the line of each reason's first
    std::array<FirstBadCell, cellFaultCount> firstBadCells;
    double length = 0; // the last good row's time
    std::uint64_t scannedSize = 0;
};
