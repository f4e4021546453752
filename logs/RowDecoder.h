#pragma once

#include "engine/EngineSample.h"
#include "logs/CsvReader.h"
#include "logs/LogLayout.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// The time of the rows read so far, counted from the first row's. Rows whose
// time comes from seconds since a start (or their number) are kept only while
// it never goes backwards. A clock's time may step: a step back between two
// rows (or, in a log of one row per interval, on by much more than the
// interval) is the avionics setting their clock, and the row is placed one
// interval after the one before, so that every row keeps its place. Small and copied, so that
// reading from any indexed row on judges every row alike.
struct TimeTrack {
    double origin = std::numeric_limits<double>::quiet_NaN(); // the first row's own time
    double last = -std::numeric_limits<double>::infinity();   // the last good row's
    double shift = 0;    // added to a row's own time: days passed and corrections
    double interval = 0; // the last ordinary step between rows; 0 before one
    std::uint64_t rows = 0;
    std::uint64_t corrections = 0;
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

// Skipped rows counted by why: the verdicts from tooLong on.
inline constexpr std::size_t skipReasonCount = 5;
static_assert(std::size_t(RowVerdict::timeBackwards) - std::size_t(RowVerdict::tooLong) + 1 ==
              skipReasonCount);
using RowCounts = std::array<std::uint64_t, skipReasonCount>;
constexpr std::size_t skipReason(RowVerdict verdict) {
    return std::size_t(verdict) - std::size_t(RowVerdict::tooLong);
}

// Why a cell of a value column gives no data although it is not empty.
enum class CellFault : std::uint8_t { notNumber, outOfRange };
inline constexpr std::size_t cellFaultCount = 2;
std::string_view describe(CellFault fault);

// Unreadable cells of the good rows, counted by fault.
using CellCounts = std::array<std::uint64_t, cellFaultCount>;

// Text from a log as a message shows it: on one line, each control
// character replaced by '?', at most `longest` bytes of it.
std::string printable(std::string_view text, std::size_t longest);

// The first unreadable cell of a kind, for the report.
struct FirstBadCell {
    std::uint64_t line = 0; // 0: none yet
    std::uint32_t column = 0;
    std::string text; // the cell, cut short
};

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
    // Counts the value cells that are neither empty nor a plausible number,
    // noting the first of each fault.
    void countBadCells(const CsvReader& reader, CellCounts& counts,
                       std::array<FirstBadCell, cellFaultCount>& first) const;

private:
    std::optional<double> ownTime(const CsvReader& reader, const TimeTrack& track) const;
    std::optional<double> dateAndClock(const CsvReader& reader) const;
    // The row's time from the first row's, the track moved on; nothing when
    // it goes backwards and cannot be taken as a clock step.
    std::optional<double> place(double own, TimeTrack& track) const;

    const LogLayout& layout;
};
