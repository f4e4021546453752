#pragma once

#include "engine/EngineSample.h"
#include "engine/Units.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// Every quantity once: its name in a simulator map file, its title in our
// own recordings ("Oil Temp (°F)"), the unit the screen shows it in and the
// range a piston engine and its airframe can show at all, in that unit. A
// value outside the range, from a log or a simulator, is a fault of the
// source (a wrong unit, a broken packet or cell), never a reading, and shows
// as no data.
//
// A coming aircraft profile plugs in here: its display unit for a quantity
// (°C for °F, litres for US gallons) replaces `screenUnit`, converted with
// the unit table, and its per-gauge markings (ranges, redlines) sit beside
// these rows keyed by the same quantity; the plausible range stays the
// engine's, in the screen's unit.
struct QuantityRow {
    Quantity quantity;
    std::string_view name;  // in a map file
    std::string_view title; // in a recording's header, before the unit
    Unit screenUnit;
    Dimension dimension;
    double lowest;
    double highest;
};

inline constexpr auto quantityRows = std::to_array<QuantityRow>({
    {.quantity = Quantity::rpm,
     .name = "rpm",
     .title = "RPM",
     .screenUnit = Unit::rpm,
     .dimension = Dimension::engineSpeed,
     .lowest = 0,
     .highest = 10000},
    {.quantity = Quantity::manifoldPressure,
     .name = "manifoldPressure",
     .title = "Manifold Pressure",
     .screenUnit = Unit::inHg,
     .dimension = Dimension::pressure,
     .lowest = 0,
     .highest = 80},
    {.quantity = Quantity::oilTemp,
     .name = "oilTemp",
     .title = "Oil Temp",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 500},
    {.quantity = Quantity::oilPressure,
     .name = "oilPressure",
     .title = "Oil Pressure",
     .screenUnit = Unit::psi,
     .dimension = Dimension::pressure,
     .lowest = 0,
     .highest = 250},
    {.quantity = Quantity::fuelPressure,
     .name = "fuelPressure",
     .title = "Fuel Pressure",
     .screenUnit = Unit::psi,
     .dimension = Dimension::pressure,
     .lowest = 0,
     .highest = 150},
    {.quantity = Quantity::fuelFlow,
     .name = "fuelFlow",
     .title = "Fuel Flow",
     .screenUnit = Unit::gallonsPerHour,
     .dimension = Dimension::fuelFlow,
     .lowest = 0,
     .highest = 150},
    {.quantity = Quantity::volts,
     .name = "volts",
     .title = "Volts",
     .screenUnit = Unit::volts,
     .dimension = Dimension::voltage,
     .lowest = 0,
     .highest = 60},
    {.quantity = Quantity::amps,
     .name = "amps",
     .title = "Amps",
     .screenUnit = Unit::amperes,
     .dimension = Dimension::current,
     .lowest = -400,
     .highest = 400},
    {.quantity = Quantity::oat,
     .name = "oat",
     .title = "OAT",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -130,
     .highest = 160},
    {.quantity = Quantity::egt,
     .name = "egt",
     .title = "EGT",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 2500},
    {.quantity = Quantity::cht,
     .name = "cht",
     .title = "CHT",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 1000},
    {.quantity = Quantity::egt1,
     .name = "egt1",
     .title = "EGT1",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 2500},
    {.quantity = Quantity::egt2,
     .name = "egt2",
     .title = "EGT2",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 2500},
    {.quantity = Quantity::egt3,
     .name = "egt3",
     .title = "EGT3",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 2500},
    {.quantity = Quantity::egt4,
     .name = "egt4",
     .title = "EGT4",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 2500},
    {.quantity = Quantity::egt5,
     .name = "egt5",
     .title = "EGT5",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 2500},
    {.quantity = Quantity::egt6,
     .name = "egt6",
     .title = "EGT6",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 2500},
    {.quantity = Quantity::cht1,
     .name = "cht1",
     .title = "CHT1",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 1000},
    {.quantity = Quantity::cht2,
     .name = "cht2",
     .title = "CHT2",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 1000},
    {.quantity = Quantity::cht3,
     .name = "cht3",
     .title = "CHT3",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 1000},
    {.quantity = Quantity::cht4,
     .name = "cht4",
     .title = "CHT4",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 1000},
    {.quantity = Quantity::cht5,
     .name = "cht5",
     .title = "CHT5",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 1000},
    {.quantity = Quantity::cht6,
     .name = "cht6",
     .title = "CHT6",
     .screenUnit = Unit::degF,
     .dimension = Dimension::temperature,
     .lowest = -80,
     .highest = 1000},
    {.quantity = Quantity::leftFuel,
     .name = "leftFuel",
     .title = "Left Fuel",
     .screenUnit = Unit::gallons,
     .dimension = Dimension::fuelQuantity,
     .lowest = 0,
     .highest = 500},
    {.quantity = Quantity::rightFuel,
     .name = "rightFuel",
     .title = "Right Fuel",
     .screenUnit = Unit::gallons,
     .dimension = Dimension::fuelQuantity,
     .lowest = 0,
     .highest = 500},
    {.quantity = Quantity::torque,
     .name = "torque",
     .title = "Torque",
     .screenUnit = Unit::poundFeet,
     .dimension = Dimension::torque,
     .lowest = -500,
     .highest = 5000},
    {.quantity = Quantity::percentPower,
     .name = "percentPower",
     .title = "Percent Power",
     .screenUnit = Unit::percent,
     .dimension = Dimension::power,
     .lowest = 0,
     .highest = 200},
    {.quantity = Quantity::throttle,
     .name = "throttle",
     .title = "Throttle",
     .screenUnit = Unit::ratio,
     .dimension = Dimension::controlPosition,
     .lowest = 0,
     .highest = 1},
    {.quantity = Quantity::propeller,
     .name = "propeller",
     .title = "Propeller",
     .screenUnit = Unit::ratio,
     .dimension = Dimension::controlPosition,
     .lowest = 0,
     .highest = 1},
    {.quantity = Quantity::mixture,
     .name = "mixture",
     .title = "Mixture",
     .screenUnit = Unit::ratio,
     .dimension = Dimension::controlPosition,
     .lowest = 0,
     .highest = 1},
});
static_assert(quantityRows.size() == quantityCount);

constexpr std::optional<Quantity> quantityByName(std::string_view name) {
    for (const QuantityRow& row : quantityRows)
        if (row.name == name)
            return row.quantity;
    return std::nullopt;
}

// One row per quantity, in the enumeration's order so a quantity is its
// row's index, each range the right way round, the screen unit of the row's
// dimension, and no name or title given twice.
constexpr bool quantityRowsConsistent() {
    for (std::size_t i = 0; i < quantityRows.size(); ++i) {
        const QuantityRow& row = quantityRows[i];
        if (std::size_t(row.quantity) != i || !(row.lowest < row.highest) ||
            unitRows[std::size_t(row.screenUnit)].dimension != row.dimension ||
            quantityByName(row.name) != row.quantity)
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (quantityRows[j].title == row.title)
                return false;
    }
    return true;
}
static_assert(quantityRowsConsistent());

constexpr const QuantityRow& quantityRow(Quantity q) {
    return quantityRows[std::size_t(q)];
}

constexpr bool plausible(Quantity quantity, double shown) {
    const QuantityRow& row = quantityRow(quantity);
    return shown >= row.lowest && shown <= row.highest;
}

// From `unit` into the unit the screen shows `quantity` in.
constexpr UnitConversion toScreen(Quantity quantity, Unit unit) {
    return conversionBetween(unit, quantityRow(quantity).screenUnit);
}
