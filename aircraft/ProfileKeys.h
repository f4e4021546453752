#pragma once

#include "aircraft/AircraftProfile.h"

#include <array>
#include <string_view>

// The keys of a profile file, shared by its reader and its writer.
namespace profile_keys {

inline constexpr std::string_view tailNumber = "tail_number";
inline constexpr std::string_view cylinders = "cylinders";
inline constexpr std::string_view temperatureUnit = "temperature_unit";
inline constexpr std::string_view fuelUnit = "fuel_unit";
inline constexpr std::string_view leftTank = "left_tank";
inline constexpr std::string_view rightTank = "right_tank";
inline constexpr std::string_view leanPeakDrop = "lean_peak_drop";
inline constexpr auto topLevel = std::to_array<std::string_view>(
    {tailNumber, cylinders, temperatureUnit, fuelUnit, leftTank, rightTank, leanPeakDrop});

inline constexpr std::string_view scale = "scale";
inline constexpr std::string_view redLines = "red_lines";
inline constexpr std::string_view readoutWhite = "readout_white";

// A handbook's three colours, as a gauge table names them.
struct ColourKey {
    std::string_view key;
    Ranges GaugeProfile::*ranges;
    std::string_view meaning;
};
inline constexpr auto colours = std::to_array<ColourKey>({
    {.key = "green", .ranges = &GaugeProfile::green, .meaning = "normal operation"},
    {.key = "yellow", .ranges = &GaugeProfile::yellow, .meaning = "caution"},
    {.key = "red", .ranges = &GaugeProfile::red, .meaning = "warning"},
});
static_assert(colours.size() == 3);

inline constexpr auto gauge = std::to_array<std::string_view>(
    {scale, colours[0].key, colours[1].key, colours[2].key, redLines, readoutWhite});

// A white readout's bounds: at_least and at_most take their value in, above
// and below leave it out.
struct BoundKey {
    std::string_view key;
    bool upper;
    Bound bound;
};
inline constexpr auto bounds = std::to_array<BoundKey>({
    {.key = "at_least", .upper = false, .bound = Bound::inclusive},
    {.key = "above", .upper = false, .bound = Bound::exclusive},
    {.key = "at_most", .upper = true, .bound = Bound::inclusive},
    {.key = "below", .upper = true, .bound = Bound::exclusive},
});
inline constexpr auto readout =
    std::to_array<std::string_view>({bounds[0].key, bounds[1].key, bounds[2].key, bounds[3].key});

// The display units a profile may choose, by their names in the unit table.
inline constexpr auto temperatureUnits = std::to_array<Unit>({Unit::degF, Unit::degC});
inline constexpr auto fuelUnits = std::to_array<Unit>({Unit::gallons, Unit::litres});

} // namespace profile_keys
