#pragma once

#include "engine/Quantities.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The X-Plane datarefs the monitor subscribes to by default: engine 1 of the
// user's aircraft, as X-Plane 11 and 12 name them. A mapping file
// (--xplane-map) replaces rows for aircraft and versions that differ.
// X-Plane's engine temperatures are labelled degrees C but follow the
// aircraft's instruments; an aircraft that shows degrees F needs "degF" rows.
struct DatarefRow {
    Quantity quantity;
    std::string_view path; // with the array element, as RREF takes it
    Unit unit;             // what X-Plane sends
};

inline constexpr std::size_t xplaneDefaultDatarefCount = 16;

inline constexpr auto xplaneDefaultDatarefs = std::to_array<DatarefRow>({
    {.quantity = Quantity::rpm,
     .path = "sim/cockpit2/engine/indicators/engine_speed_rpm[0]",
     .unit = Unit::rpm},
    {.quantity = Quantity::manifoldPressure,
     .path = "sim/cockpit2/engine/indicators/MPR_in_hg[0]",
     .unit = Unit::inHg},
    {.quantity = Quantity::oilTemp,
     .path = "sim/cockpit2/engine/indicators/oil_temperature_deg_C[0]",
     .unit = Unit::degC},
    {.quantity = Quantity::oilPressure,
     .path = "sim/cockpit2/engine/indicators/oil_pressure_psi[0]",
     .unit = Unit::psi},
    {.quantity = Quantity::fuelPressure,
     .path = "sim/cockpit2/engine/indicators/fuel_pressure_psi[0]",
     .unit = Unit::psi},
    {.quantity = Quantity::fuelFlow,
     .path = "sim/cockpit2/engine/indicators/fuel_flow_kg_sec[0]",
     .unit = Unit::kilogramsPerSecond},
    {.quantity = Quantity::egt,
     .path = "sim/cockpit2/engine/indicators/EGT_deg_C[0]",
     .unit = Unit::degC},
    {.quantity = Quantity::cht,
     .path = "sim/cockpit2/engine/indicators/CHT_deg_C[0]",
     .unit = Unit::degC},
    {.quantity = Quantity::leftFuel,
     .path = "sim/cockpit2/fuel/fuel_quantity[0]",
     .unit = Unit::kilograms},
    {.quantity = Quantity::rightFuel,
     .path = "sim/cockpit2/fuel/fuel_quantity[1]",
     .unit = Unit::kilograms},
    {.quantity = Quantity::volts,
     .path = "sim/cockpit2/electrical/bus_volts[0]",
     .unit = Unit::volts},
    {.quantity = Quantity::amps,
     .path = "sim/cockpit2/electrical/battery_amps[0]",
     .unit = Unit::amperes},
    {.quantity = Quantity::oat,
     .path = "sim/cockpit2/temperature/outside_air_temp_degc",
     .unit = Unit::degC},
    {.quantity = Quantity::throttle,
     .path = "sim/cockpit2/engine/actuators/throttle_ratio[0]",
     .unit = Unit::ratio},
    {.quantity = Quantity::propeller,
     .path = "sim/cockpit2/engine/actuators/prop_ratio[0]",
     .unit = Unit::ratio},
    {.quantity = Quantity::mixture,
     .path = "sim/cockpit2/engine/actuators/mixture_ratio[0]",
     .unit = Unit::ratio},
});
static_assert(xplaneDefaultDatarefs.size() == xplaneDefaultDatarefCount);

// RREF carries a dataref path in a 400-byte field that must end in a zero byte.
inline constexpr std::size_t maxDatarefPathLength = 399;

constexpr bool defaultDatarefsFit() {
    for (std::size_t i = 0; i < xplaneDefaultDatarefs.size(); ++i) {
        const DatarefRow& row = xplaneDefaultDatarefs[i];
        if (row.path.empty() || row.path.size() > maxDatarefPathLength ||
            unitRow(row.unit).dimension != quantityRow(row.quantity).dimension)
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (xplaneDefaultDatarefs[j].quantity == row.quantity)
                return false;
    }
    return true;
}
static_assert(defaultDatarefsFit());

// The table in use: the defaults, or the defaults with a mapping file's rows.
// A row's position is the index its subscription and X-Plane's answers carry.
struct DatarefBinding {
    Quantity quantity;
    std::string path;
    Unit unit;
    bool operator==(const DatarefBinding&) const = default;
};
using DatarefMap = std::vector<DatarefBinding>;

inline DatarefMap defaultDatarefMap() {
    DatarefMap map;
    for (const DatarefRow& row : xplaneDefaultDatarefs)
        map.push_back({row.quantity, std::string(row.path), row.unit});
    return map;
}
