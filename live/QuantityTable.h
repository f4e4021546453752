#pragma once

#include "engine/EngineSample.h"

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

// Each quantity by the name a mapping file uses, and the range a piston
// engine and its airframe can show at all: a value outside it is a fault of
// the source (a wrong unit, a broken packet), never a reading.
struct QuantityRow {
    Quantity quantity;
    std::string_view name;
    Dimension dimension;
    float lowest;
    float highest;
};

inline constexpr auto quantityRows = std::to_array<QuantityRow>({
    {.quantity = Quantity::rpm,
     .name = "rpm",
     .dimension = Dimension::engineSpeed,
     .lowest = 0,
     .highest = 10000},
    {.quantity = Quantity::manifoldPressure,
     .name = "manifoldPressure",
     .dimension = Dimension::manifold,
     .lowest = 0,
     .highest = 80},
    {.quantity = Quantity::oilTemp,
     .name = "oilTemp",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 500},
    {.quantity = Quantity::oilPressure,
     .name = "oilPressure",
     .dimension = Dimension::pressure,
     .lowest = 0,
     .highest = 250},
    {.quantity = Quantity::fuelPressure,
     .name = "fuelPressure",
     .dimension = Dimension::pressure,
     .lowest = 0,
     .highest = 150},
    {.quantity = Quantity::fuelFlow,
     .name = "fuelFlow",
     .dimension = Dimension::fuelFlow,
     .lowest = 0,
     .highest = 150},
    {.quantity = Quantity::volts,
     .name = "volts",
     .dimension = Dimension::voltage,
     .lowest = 0,
     .highest = 60},
    {.quantity = Quantity::amps,
     .name = "amps",
     .dimension = Dimension::current,
     .lowest = -400,
     .highest = 400},
    {.quantity = Quantity::oat,
     .name = "oat",
     .dimension = Dimension::temperature,
     .lowest = -130,
     .highest = 160},
    {.quantity = Quantity::egt,
     .name = "egt",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 2500},
    {.quantity = Quantity::cht,
     .name = "cht",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 1000},
    {.quantity = Quantity::egt1,
     .name = "egt1",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 2500},
    {.quantity = Quantity::egt2,
     .name = "egt2",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 2500},
    {.quantity = Quantity::egt3,
     .name = "egt3",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 2500},
    {.quantity = Quantity::egt4,
     .name = "egt4",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 2500},
    {.quantity = Quantity::egt5,
     .name = "egt5",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 2500},
    {.quantity = Quantity::egt6,
     .name = "egt6",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 2500},
    {.quantity = Quantity::cht1,
     .name = "cht1",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 1000},
    {.quantity = Quantity::cht2,
     .name = "cht2",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 1000},
    {.quantity = Quantity::cht3,
     .name = "cht3",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 1000},
    {.quantity = Quantity::cht4,
     .name = "cht4",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 1000},
    {.quantity = Quantity::cht5,
     .name = "cht5",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 1000},
    {.quantity = Quantity::cht6,
     .name = "cht6",
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 1000},
    {.quantity = Quantity::leftFuel,
     .name = "leftFuel",
     .dimension = Dimension::fuelQuantity,
     .lowest = 0,
     .highest = 500},
    {.quantity = Quantity::rightFuel,
     .name = "rightFuel",
     .dimension = Dimension::fuelQuantity,
     .lowest = 0,
     .highest = 500},
    {.quantity = Quantity::torque,
     .name = "torque",
     .dimension = Dimension::torque,
     .lowest = -500,
     .highest = 5000},
    {.quantity = Quantity::percentPower,
     .name = "percentPower",
     .dimension = Dimension::power,
     .lowest = 0,
     .highest = 200},
    {.quantity = Quantity::throttle,
     .name = "throttle",
     .dimension = Dimension::controlPosition,
     .lowest = 0,
     .highest = 1},
    {.quantity = Quantity::propeller,
     .name = "propeller",
     .dimension = Dimension::controlPosition,
     .lowest = 0,
     .highest = 1},
    {.quantity = Quantity::mixture,
     .name = "mixture",
     .dimension = Dimension::controlPosition,
     .lowest = 0,
     .highest = 1},
});

// One row per quantity, in the enumeration's order, so a quantity is its row's index.
constexpr bool quantityRowsInOrder() {
    for (std::size_t i = 0; i < quantityRows.size(); ++i)
        if (std::size_t(quantityRows[i].quantity) != i ||
            quantityRows[i].lowest > quantityRows[i].highest)
            return false;
    return true;
}
static_assert(quantityRows.size() == quantityCount);
static_assert(quantityRowsInOrder());

constexpr const QuantityRow& quantityRow(Quantity q) {
    return quantityRows[std::size_t(q)];
}

constexpr bool plausible(Quantity q, double shown) {
    return shown >= quantityRow(q).lowest && shown <= quantityRow(q).highest;
}

constexpr std::optional<Quantity> quantityByName(std::string_view name) {
    for (const QuantityRow& row : quantityRows)
        if (row.name == name)
            return row.quantity;
    return std::nullopt;
}
