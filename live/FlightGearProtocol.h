#pragma once

#include "engine/EngineSample.h"
#include "engine/Quantities.h"
#include "live/LiveCounters.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

// FlightGear's generic protocol as our protocol file (flightgear/zentor.xml)
// defines it: one line per UDP packet, the properties below in this order,
// separated by commas, ended by a newline. Every chunk is sent as a string,
// so a property the aircraft does not have arrives as an empty field (no
// data) rather than as a made-up zero.
struct PropertyRow {
    Quantity quantity;
    std::string_view node; // the property path in FlightGear's tree
    Unit unit;             // what the property holds
};

inline constexpr std::size_t flightGearPropertyCount = 16;

inline constexpr auto flightGearProperties = std::to_array<PropertyRow>({
    {.quantity = Quantity::rpm, .node = "/engines/engine[0]/rpm", .unit = Unit::rpm},
    {.quantity = Quantity::manifoldPressure,
     .node = "/engines/engine[0]/mp-inhg",
     .unit = Unit::inHg},
    {.quantity = Quantity::oilTemp,
     .node = "/engines/engine[0]/oil-temperature-degf",
     .unit = Unit::degF},
    {.quantity = Quantity::oilPressure,
     .node = "/engines/engine[0]/oil-pressure-psi",
     .unit = Unit::psi},
    {.quantity = Quantity::fuelPressure,
     .node = "/engines/engine[0]/fuel-pressure-psi",
     .unit = Unit::psi},
    {.quantity = Quantity::fuelFlow,
     .node = "/engines/engine[0]/fuel-flow-gph",
     .unit = Unit::gallonsPerHour},
    {.quantity = Quantity::egt, .node = "/engines/engine[0]/egt-degf", .unit = Unit::degF},
    {.quantity = Quantity::cht, .node = "/engines/engine[0]/cht-degf", .unit = Unit::degF},
    {.quantity = Quantity::leftFuel,
     .node = "/consumables/fuel/tank[0]/level-gal_us",
     .unit = Unit::gallons},
    {.quantity = Quantity::rightFuel,
     .node = "/consumables/fuel/tank[1]/level-gal_us",
     .unit = Unit::gallons},
    {.quantity = Quantity::volts, .node = "/systems/electrical/volts", .unit = Unit::volts},
    {.quantity = Quantity::amps, .node = "/systems/electrical/amps", .unit = Unit::amperes},
    {.quantity = Quantity::oat, .node = "/environment/temperature-degf", .unit = Unit::degF},
    {.quantity = Quantity::throttle,
     .node = "/controls/engines/engine[0]/throttle",
     .unit = Unit::ratio},
    {.quantity = Quantity::propeller,
     .node = "/controls/engines/engine[0]/propeller-pitch",
     .unit = Unit::ratio},
    {.quantity = Quantity::mixture,
     .node = "/controls/engines/engine[0]/mixture",
     .unit = Unit::ratio},
});
static_assert(flightGearProperties.size() == flightGearPropertyCount);

constexpr bool flightGearPropertiesFit() {
    for (std::size_t i = 0; i < flightGearProperties.size(); ++i) {
        const PropertyRow& row = flightGearProperties[i];
        if (!row.node.starts_with('/') ||
            unitRow(row.unit).dimension != quantityRow(row.quantity).dimension)
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (flightGearProperties[j].quantity == row.quantity)
                return false;
    }
    return true;
}
static_assert(flightGearPropertiesFit());

inline constexpr char flightGearSeparator = ',';
inline constexpr char flightGearLineEnd = '\n';
// Sixteen numbers as FlightGear prints them take a few hundred bytes.
inline constexpr std::size_t flightGearMaxLine = 1024;
inline constexpr std::size_t flightGearMaxField = 48;

// Takes one packet onto the latest values and counts what it ignored. True
// when it is a whole line of the protocol: the simulator is talking.
bool readFlightGearLine(std::span<const std::uint8_t> datagram, EngineSample& latest,
                        LiveCounters& counters);
