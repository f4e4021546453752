#pragma once

#include "engine/EngineSample.h"
#include "logs/ByteSource.h"
#include "logs/LogLayout.h"
#include "logs/RowDecoder.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// A log read once from its first row on, every good row handed over in
// order: for those who want the rows themselves (the flight review, a lean
// search over a stretch of the flight), not a player's place among them.

// A good row's values in the screen's units and its time in seconds from
// the first row; false stops the reading after it.
using LogRowVisitor = std::function<bool(const EngineSample& row, double time)>;

struct LogRowsRead {
    std::optional<LogLayout> layout; // none: not a log this system reads
    TimeTrack track;                 // the clock as the last good row left it
    std::uint64_t goodRows = 0;
    std::uint64_t badRows = 0; // skipped; blank rows are not counted
    // "flight.csv:3: ...", as a replay refuses the file: no layout, or no
    // good row at all. Empty when rows were handed over.
    std::string error;
};

// `name` stands for the source in the errors.
LogRowsRead forEachLogRow(const std::string& name, const ByteSource& source,
                          const LogRowVisitor& visit);
// The file at `path`; one that cannot be opened is an error like the others.
LogRowsRead forEachLogRow(const std::string& path, const LogRowVisitor& visit);
