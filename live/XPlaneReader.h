#pragma once

#include "engine/EngineSample.h"
#include "live/LiveCounters.h"
#include "live/XPlaneDatarefs.h"

#include <cstdint>
#include <span>

// Turns X-Plane's RREF answers into engine values through the dataref table
// in use: index i of an answer is row i of the table.
class XPlaneReader {
public:
    explicit XPlaneReader(DatarefMap map) : map_(std::move(map)) {}

    const DatarefMap& map() const { return map_; }

    // Takes one datagram onto the latest values and counts what it ignored.
    // True when it is a well-framed answer with at least one index we asked
    // for: the simulator is answering, whatever the values say.
    bool read(std::span<const std::uint8_t> datagram, EngineSample& latest,
              LiveCounters& counters) const;

private:
    DatarefMap map_;
};
