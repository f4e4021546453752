#pragma once

#include "live/XPlaneDatarefs.h"

#include <cstddef>
#include <string>
#include <string_view>

// The --xplane-map file: one row per line, replacing the default row of that
// quantity or adding one; "none" drops a quantity. '#' starts a comment.
//
//   # the aircraft's instruments show degrees F
//   oilTemp = sim/cockpit2/engine/indicators/oil_temperature_deg_C[0] degF
//   egt1    = myplugin/engine/egt_cyl[0] degC
//   fuelPressure = none
//
// Quantity and unit names are those of engine/Quantities.h and engine/Units.h.
inline constexpr std::size_t maxMapFileSize = 64 * 1024;
inline constexpr std::size_t maxMapLineLength = 512;

struct MapFileResult {
    DatarefMap map;    // the table to use when error is empty
    std::string error; // "line 3: ..." for the first fault found

    bool ok() const { return error.empty(); }
};

MapFileResult parseXPlaneMap(std::string_view text, DatarefMap defaults = defaultDatarefMap());
