#pragma once

#include "engine/EngineSample.h"
#include "engine/PlausibleRanges.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// What kind of value a quantity is, so that a unit from a mapping file can be
// checked against it: a temperature never arrives in gallons.
enum class Dimension : std::uint8_t {
    engineSpeed,     // rev/min
    manifold,        // inHg
    pressure,        // psi
    temperature,     // degrees F
    fuelFlow,        // gal/h
    fuelQuantity,    // gal
    voltage,         // volts
    current,         // amperes
    torque,          // lb-ft
    power,           // percent of rated power
    controlPosition, // 0 pulled fully out .. 1 pushed fully in
};

// Each quantity by the name a mapping file uses, and its kind of unit; what
// values are plausible is the engine's own table (engine/PlausibleRanges.h).
struct QuantityRow {
    Quantity quantity;
    std::string_view name;
    Dimension dimension;
};

inline constexpr auto quantityRows = std::to_array<QuantityRow>({
    {.quantity = Quantity::rpm, .name = "rpm", .dimension = Dimension::engineSpeed},
    {.quantity = Quantity::manifoldPressure,
     .name = "manifoldPressure",
     .dimension = Dimension::manifold},
    {.quantity = Quantity::oilTemp, .name = "oilTemp", .dimension = Dimension::temperature},
    {.quantity = Quantity::oilPressure, .name = "oilPressure", .dimension = Dimension::pressure},
    {.quantity = Quantity::fuelPressure, .name = "fuelPressure", .dimension = Dimension::pressure},
    {.quantity = Quantity::fuelFlow, .name = "fuelFlow", .dimension = Dimension::fuelFlow},
    {.quantity = Quantity::volts, .name = "volts", .dimension = Dimension::voltage},
    {.quantity = Quantity::amps, .name = "amps", .dimension = Dimension::current},
    {.quantity = Quantity::oat, .name = "oat", .dimension = Dimension::temperature},
    {.quantity = Quantity::egt, .name = "egt", .dimension = Dimension::temperature},
    {.quantity = Quantity::cht, .name = "cht", .dimension = Dimension::temperature},
    {.quantity = Quantity::egt1, .name = "egt1", .dimension = Dimension::temperature},
    {.quantity = Quantity::egt2, .name = "egt2", .dimension = Dimension::temperature},
    {.quantity = Quantity::egt3, .name = "egt3", .dimension = Dimension::temperature},
    {.quantity = Quantity::egt4, .name = "egt4", .dimension = Dimension::temperature},
    {.quantity = Quantity::egt5, .name = "egt5", .dimension = Dimension::temperature},
    {.quantity = Quantity::egt6, .name = "egt6", .dimension = Dimension::temperature},
    {.quantity = Quantity::cht1, .name = "cht1", .dimension = Dimension::temperature},
    {.quantity = Quantity::cht2, .name = "cht2", .dimension = Dimension::temperature},
    {.quantity = Quantity::cht3, .name = "cht3", .dimension = Dimension::temperature},
    {.quantity = Quantity::cht4, .name = "cht4", .dimension = Dimension::temperature},
    {.quantity = Quantity::cht5, .name = "cht5", .dimension = Dimension::temperature},
    {.quantity = Quantity::cht6, .name = "cht6", .dimension = Dimension::temperature},
    {.quantity = Quantity::leftFuel, .name = "leftFuel", .dimension = Dimension::fuelQuantity},
    {.quantity = Quantity::rightFuel, .name = "rightFuel", .dimension = Dimension::fuelQuantity},
    {.quantity = Quantity::torque, .name = "torque", .dimension = Dimension::torque},
    {.quantity = Quantity::percentPower, .name = "percentPower", .dimension = Dimension::power},
    {.quantity = Quantity::throttle, .name = "throttle", .dimension = Dimension::controlPosition},
    {.quantity = Quantity::propeller, .name = "propeller", .dimension = Dimension::controlPosition},
    {.quantity = Quantity::mixture, .name = "mixture", .dimension = Dimension::controlPosition},
});

// One row per quantity, in the enumeration's order, so a quantity is its row's index.
constexpr bool quantityRowsInOrder() {
    for (std::size_t i = 0; i < quantityRows.size(); ++i)
        if (std::size_t(quantityRows[i].quantity) != i)
            return false;
    return true;
}
static_assert(quantityRows.size() == quantityCount);
static_assert(quantityRowsInOrder());

constexpr const QuantityRow& quantityRow(Quantity q) {
    return quantityRows[std::size_t(q)];
}

constexpr std::optional<Quantity> quantityByName(std::string_view name) {
    for (const QuantityRow& row : quantityRows)
        if (row.name == name)
            return row.quantity;
    return std::nullopt;
}
