#pragma once

#include "aircraft/AircraftProfile.h"
#include "engine/EngineSample.h"

#include <array>
#include <cstddef>
#include <string_view>

// Every readout an alarm can stand on: the value it reads, the gauge whose
// markings judge it, the words the status bar gives it and how its digits
// are printed, as its readout on the screen prints them.
struct WatchedReadout {
    Quantity quantity;
    Gauge gauge;
    std::string_view label; // "CHT 3", "OIL-P", as the status bar names it
    int cylinder = -1;      // 0..5 for a cylinder's EGT or CHT, else -1
    int decimals = 0;       // digits after the point
    bool truncated = false; // whole numbers cut toward zero, as the strip gauges print them
};

inline constexpr auto watchedReadouts = std::to_array<WatchedReadout>({
    {.quantity = Quantity::rpm, .gauge = Gauge::rpm, .label = "RPM"},
    {.quantity = Quantity::manifoldPressure,
     .gauge = Gauge::manifoldPressure,
     .label = "MAP",
     .decimals = 1},
    {.quantity = Quantity::egt1, .gauge = Gauge::egt, .label = "EGT 1", .cylinder = 0},
    {.quantity = Quantity::egt2, .gauge = Gauge::egt, .label = "EGT 2", .cylinder = 1},
    {.quantity = Quantity::egt3, .gauge = Gauge::egt, .label = "EGT 3", .cylinder = 2},
    {.quantity = Quantity::egt4, .gauge = Gauge::egt, .label = "EGT 4", .cylinder = 3},
    {.quantity = Quantity::egt5, .gauge = Gauge::egt, .label = "EGT 5", .cylinder = 4},
    {.quantity = Quantity::egt6, .gauge = Gauge::egt, .label = "EGT 6", .cylinder = 5},
    {.quantity = Quantity::cht1, .gauge = Gauge::cht, .label = "CHT 1", .cylinder = 0},
    {.quantity = Quantity::cht2, .gauge = Gauge::cht, .label = "CHT 2", .cylinder = 1},
    {.quantity = Quantity::cht3, .gauge = Gauge::cht, .label = "CHT 3", .cylinder = 2},
    {.quantity = Quantity::cht4, .gauge = Gauge::cht, .label = "CHT 4", .cylinder = 3},
    {.quantity = Quantity::cht5, .gauge = Gauge::cht, .label = "CHT 5", .cylinder = 4},
    {.quantity = Quantity::cht6, .gauge = Gauge::cht, .label = "CHT 6", .cylinder = 5},
    {.quantity = Quantity::oilTemp,
     .gauge = Gauge::oilTemperature,
     .label = "OIL-T",
     .truncated = true},
    {.quantity = Quantity::oilPressure,
     .gauge = Gauge::oilPressure,
     .label = "OIL-P",
     .truncated = true},
    {.quantity = Quantity::fuelPressure,
     .gauge = Gauge::fuelPressure,
     .label = "FUEL-P",
     .decimals = 1},
    {.quantity = Quantity::volts, .gauge = Gauge::volts, .label = "VOLTS", .decimals = 1},
    {.quantity = Quantity::amps, .gauge = Gauge::amps, .label = "AMPS"},
    {.quantity = Quantity::oat, .gauge = Gauge::oat, .label = "OAT"},
    {.quantity = Quantity::fuelFlow, .gauge = Gauge::fuelFlow, .label = "FF", .decimals = 1},
    {.quantity = Quantity::leftFuel,
     .gauge = Gauge::fuelQuantity,
     .label = "FUEL L",
     .decimals = 1},
    {.quantity = Quantity::rightFuel,
     .gauge = Gauge::fuelQuantity,
     .label = "FUEL R",
     .decimals = 1},
});
inline constexpr std::size_t watchedCount = watchedReadouts.size();

// Every gauge watched, each reading its own quantity once, a cylinder only
// on the cylinder graphs.
constexpr bool watchedReadoutsConsistent() {
    std::array<int, gaugeCount> perGauge{};
    for (std::size_t i = 0; i < watchedCount; ++i) {
        const WatchedReadout& row = watchedReadouts[i];
        const bool cylinderGauge = row.gauge == Gauge::egt || row.gauge == Gauge::cht;
        if (row.label.empty() || cylinderGauge != (row.cylinder >= 0) || row.cylinder > 5)
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (watchedReadouts[j].quantity == row.quantity)
                return false;
        ++perGauge[std::size_t(row.gauge)];
    }
    for (const int count : perGauge)
        if (count == 0)
            return false;
    return true;
}
static_assert(watchedReadoutsConsistent());
