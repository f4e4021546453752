#pragma once

#include "engine/EngineSample.h"
#include "engine/Units.h"
#include "logs/ByteSource.h"
#include "logs/ColumnMatch.h"

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class LogFormat : std::uint8_t {
    ownRecording,   // written by our recorder: "# engine log written by ..."
    avionicsExport, // "#airframe_info,..." then long and short column names
    genericCsv,     // a header row whose names are in the alias table
};

// A quantity's column and the conversion into the screen's unit.
struct ValueColumn {
    std::uint32_t cell;
    Quantity quantity;
    UnitConversion toScreen;
};

// Where a row's time comes from (see TimeKind for the order of preference).
enum class TimeSource : std::uint8_t { rowNumber, elapsed, dateTime, dateAndClock, clock };

// How a time of day is put on the clock of the date beside it: as it is, or,
// with the UTC offset column, moved from the other clock to the date's.
enum class ClockPairing : std::uint8_t { sameClock, utcTimeLocalDate, localTimeUtcDate };

struct TimeColumns {
    TimeSource source = TimeSource::rowNumber;
    std::uint32_t cell = 0;      // elapsed, date and time, date, or time of day
    std::uint32_t clockCell = 0; // the time of day beside a date
    std::optional<std::uint32_t> utcOffsetCell;
    ClockPairing pairing = ClockPairing::sameClock;
    bool dateIsUtc = false; // else the offset, where there is one, is taken away
    // The log writes one row per interval (the avionics export), so that a
    // long step on of its clock is a correction too, not a gap.
    bool steadyRows = false;
    double scale = 1; // elapsed time: into seconds

    // How many cells from the left a row's time needs.
    std::size_t timeCells() const;
    // A clock's time, which avionics step when they take it from GPS; seconds
    // from a start and row numbers never step.
    bool fromClock() const {
        return source == TimeSource::dateTime || source == TimeSource::dateAndClock ||
               source == TimeSource::clock;
    }
};

// How a log is laid out, read from the lines before its first row.
struct LogLayout {
    LogFormat format = LogFormat::genericCsv;
    std::string writer;   // our own recordings: program and version
    std::string aircraft; // the export's aircraft_ident (or tail); empty without one
    char separator = ',';
    bool decimalComma = false; // with ';' separators
    std::vector<ValueColumn> values;
    TimeColumns time;
    std::bitset<quantityCount> quantities;
    // Each column's name in the header row and in the export's short-name
    // row (empty without one), and what the name that matched names.
    std::vector<std::string> names;
    std::vector<std::string> shortNames;
    std::vector<ColumnMatch> matches;
    std::vector<bool> matchedShortName;
    std::size_t headerCells = 0;
    std::uint64_t headerLine = 0;
    std::uint64_t dataOffset = 0; // the first byte after the header rows
    std::uint64_t dataLine = 0;
};

struct LayoutReading {
    std::optional<LogLayout> layout;
    std::uint64_t line = 0; // where the problem is; 0: the file as a whole
    std::string problem;
};

LayoutReading readLayout(const ByteSource& source);

// Binds a header row's cells to quantities and time, a cell whose name is
// not recognised by its name in the short-name row beneath (if given);
// false if no engine value is among them.
bool bindColumns(const std::vector<std::string_view>& header, LogLayout& layout,
                 const std::vector<std::string_view>& shortNames = {});

// How many cells from the left a row's time and values need.
std::size_t neededCells(const LogLayout& layout);
