#pragma once

#include "engine/EngineSample.h"
#include "logs/CsvReader.h"
#include "logs/LogLayout.h"

#include <cstdint>
#include <limits>
#include <string_view>

// The time of the rows read so far: rows are kept only while their time
// never goes backwards, counted from the first row's. Small and copied, so
// that reading from any indexed row on judges every row alike.
struct TimeTrack {
    double origin = std::numeric_limits<double>::quiet_NaN(); // the first row's own time
    double last = -std::numeric_limits<double>::infinity();   // the last good row's
    double dayShift = 0; // a time of day alone passing midnight
    std::uint64_t rows = 0;
};

enum class RowVerdict : std::uint8_t {
    good,
    blank, // nothing in any cell: passed over, not counted
    tooLong,
    tooManyCells,
    cutShort,
    noTime,
    timeBackwards,
};

// What is wrong with a row, for the one report of bad rows.
std::string_view describe(RowVerdict verdict);

struct FirstBadRow {
    std::uint64_t line = 0; // 0: none yet
    RowVerdict verdict = RowVerdict::good;
};

class RowDecoder {
public:
    explicit RowDecoder(const LogLayout& layout) : layout(layout) {}

    // Judges the record just read and, for a good row, gives its time in
    // seconds from the first row and moves the track on. Rows repeating the
    // previous time are good: at that time the later one shows.
    RowVerdict judge(CsvStatus status, const CsvReader& reader, TimeTrack& track,
                     double& time) const;

    // The row's engine values in the screen's units; an empty, unreadable or
    // absurd cell leaves its quantity absent.
    void readValues(const CsvReader& reader, EngineSample& sample) const;

private:
    std::optional<double> ownTime(const CsvReader& reader, const TimeTrack& track) const;

    const LogLayout& layout;
};
