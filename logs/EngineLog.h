#pragma once

#include "engine/EngineSample.h"
#include "logs/ByteSource.h"
#include "logs/LogLayout.h"

#include <array>
#include <bitset>
#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <thread>

// Why a log cannot be replayed at all: "flight.csv:3: no engine value column
// recognised among ..." (line 0: the file as a whole).
struct LogError {
    std::string file;
    std::uint64_t line = 0;
    std::string what;

    std::string message() const;
};

// How far the log has been read. A long file is indexed on a thread of its
// own while it plays; a file that grows or shrinks is read again where it changed.
struct LogProgress {
    double length = 0;      // seconds from the first row to the last read so far
    std::uint64_t rows = 0; // good rows so far
    bool complete = false;  // the whole file, as it is now, has been read
    std::uint64_t badRows = 0;
    std::uint64_t firstBadLine = 0;
    std::string firstBadReason;
    // badRows by why (RowVerdict from tooLong on), with the first line of each.
    std::array<std::uint64_t, 5> skipped{};
    std::array<std::uint64_t, 5> firstSkippedLine{};
    std::uint64_t clockCorrections = 0;
    // The first and last good rows' own times as the log writes them:
    // seconds since 1970 for a date and time, else seconds.
    double firstTime = std::numeric_limits<double>::quiet_NaN();
    double lastTime =
        std::numeric_limits<double>::quiet_NaN(); // steps of the log's clock taken as corrections
    // Value cells of good rows that give no data though not empty, by fault
    // (CellFault), with the first of each: "line 9, Oil Temp (deg F): 27O0".
    std::array<std::uint64_t, 2> badCells{};
    std::array<std::string, 2> firstBadCell;
};

// What reading the log found, once it is read to its end: "3 bad rows
// skipped, the first on line 57: time goes backwards; 2 unreadable cells
// (not a number), the first on line 9, Oil Temp: 27O0; 1 clock correction",
// or empty when there is nothing to say; badRowsMessage puts "flight.csv: "
// before it.
std::string badRowsReport(const LogProgress& progress);
std::string badRowsMessage(const std::string& file, const LogProgress& progress);

struct LogOptions {
    // Off: open() reads the whole file before it returns and never looks at
    // it again (tools that render one frame, tests, the fuzzer).
    bool indexInBackground = true;
    std::chrono::milliseconds followPeriod{500}; // how often a growing file is looked at
};

struct OpenLog;
class LogCursor;
class LogScanner;
struct FirstBadRow;

// A recorded or exported engine log, read streaming in bounded memory. Its
// values come out as they are at any moment from its first row on, between
// two rows interpolated. One thread (the frame timer's) calls sampleAt.
class EngineLog {
public:
    struct Opened {
        std::unique_ptr<EngineLog> log;
        LogError error; // when there is no log
    };
    static Opened open(const std::string& path, const LogOptions& options = {});
    // A log held in memory; `name` stands for the file in messages.
    static Opened openBytes(const std::string& name, std::string bytes,
                            const LogOptions& options = {});
    ~EngineLog();
    EngineLog(const EngineLog&) = delete;
    EngineLog& operator=(const EngineLog&) = delete;

    const std::string& name() const;
    LogFormat format() const;
    const std::string& writer() const; // our own recordings: "zentor-demo 0.1.0"
    const LogLayout& layout() const;
    std::bitset<quantityCount> quantities() const; // the quantities it has columns for
    LogProgress progress() const;

    // Blocks until the file has been read up to `seconds` or to its end.
    void waitForIndex(double seconds = std::numeric_limits<double>::infinity()) const;

    // The values `seconds` after the first row (clamped to 0 .. the last
    // row); sample.time says which moment they are. A quantity present in
    // both neighbouring rows is interpolated; present only in the earlier, it
    // holds that row's value until the next; otherwise it is absent. Each call
    // reads a bounded amount (at most 4096 records, about 2 MiB), so that it
    // fits in a frame tick: while the file is still being indexed, or past a
    // very long bad line, a sample may stop short of `seconds`; later calls
    // go on from there.
    EngineSample sampleAt(double seconds);

private:
    static Opened openSource(const std::string& name, std::unique_ptr<ByteSource> source,
                             const LogOptions& options);
    EngineLog(std::unique_ptr<OpenLog> shared, const LogOptions& options,
              const FirstBadRow& firstBad, const std::array<std::uint64_t, 5>& firstSkipped);

    std::unique_ptr<OpenLog> shared;
    std::unique_ptr<LogCursor> cursor;
    std::unique_ptr<LogScanner> scanner;
    std::thread worker;
};

std::string_view describe(LogFormat format);
