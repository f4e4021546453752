#pragma once

#include "live/QuantityTable.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// Fuel is reckoned as avgas at 6.0 lb per US gallon (2.72155 kg), the figure
// weight-and-balance sheets use; a simulator that reports fuel by mass is
// turned into the gallons the gauges show with it.
inline constexpr double avgasPoundsPerGallon = 6.0;
inline constexpr double kilogramsPerPound = 0.45359237;
inline constexpr double avgasKilogramsPerGallon = avgasPoundsPerGallon * kilogramsPerPound;
inline constexpr double pi = 3.14159265358979323846;

// The units a simulator may report in. Each converts linearly into the unit
// the screen shows for its dimension: shown = value * scale + offset.
enum class Unit : std::uint8_t {
    rpm,
    radiansPerSecond,
    inHg,
    hectopascal,
    psi,
    kilopascal,
    degF,
    degC,
    kelvin,
    gallonsPerHour,
    kilogramsPerSecond,
    kilogramsPerHour,
    poundsPerHour,
    gallons,
    kilograms,
    pounds,
    litres,
    volts,
    amperes,
    poundFeet,
    newtonMetres,
    percent,
    ratio,
};

struct UnitRow {
    Unit unit;
    std::string_view name; // as written in a mapping file
    Dimension dimension;
    double scale;
    double offset;
};

inline constexpr auto unitRows = std::to_array<UnitRow>({
    {.unit = Unit::rpm,
     .name = "rpm",
     .dimension = Dimension::engineSpeed,
     .scale = 1,
     .offset = 0},
    {.unit = Unit::radiansPerSecond,
     .name = "rad/s",
     .dimension = Dimension::engineSpeed,
     .scale = 60 / (2 * pi),
     .offset = 0},
    {.unit = Unit::inHg, .name = "inHg", .dimension = Dimension::manifold, .scale = 1, .offset = 0},
    {.unit = Unit::hectopascal,
     .name = "hPa",
     .dimension = Dimension::manifold,
     .scale = 1 / 33.8638866667,
     .offset = 0},
    {.unit = Unit::psi, .name = "psi", .dimension = Dimension::pressure, .scale = 1, .offset = 0},
    {.unit = Unit::kilopascal,
     .name = "kPa",
     .dimension = Dimension::pressure,
     .scale = 1 / 6.894757293168,
     .offset = 0},
    {.unit = Unit::degF,
     .name = "degF",
     .dimension = Dimension::temperature,
     .scale = 1,
     .offset = 0},
    {.unit = Unit::degC,
     .name = "degC",
     .dimension = Dimension::temperature,
     .scale = 1.8,
     .offset = 32},
    {.unit = Unit::kelvin,
     .name = "K",
     .dimension = Dimension::temperature,
     .scale = 1.8,
     .offset = -459.67},
    {.unit = Unit::gallonsPerHour,
     .name = "gal/h",
     .dimension = Dimension::fuelFlow,
     .scale = 1,
     .offset = 0},
    {.unit = Unit::kilogramsPerSecond,
     .name = "kg/s",
     .dimension = Dimension::fuelFlow,
     .scale = 3600 / avgasKilogramsPerGallon,
     .offset = 0},
    {.unit = Unit::kilogramsPerHour,
     .name = "kg/h",
     .dimension = Dimension::fuelFlow,
     .scale = 1 / avgasKilogramsPerGallon,
     .offset = 0},
    {.unit = Unit::poundsPerHour,
     .name = "lb/h",
     .dimension = Dimension::fuelFlow,
     .scale = 1 / avgasPoundsPerGallon,
     .offset = 0},
    {.unit = Unit::gallons,
     .name = "gal",
     .dimension = Dimension::fuelQuantity,
     .scale = 1,
     .offset = 0},
    {.unit = Unit::kilograms,
     .name = "kg",
     .dimension = Dimension::fuelQuantity,
     .scale = 1 / avgasKilogramsPerGallon,
     .offset = 0},
    {.unit = Unit::pounds,
     .name = "lb",
     .dimension = Dimension::fuelQuantity,
     .scale = 1 / avgasPoundsPerGallon,
     .offset = 0},
    {.unit = Unit::litres,
     .name = "l",
     .dimension = Dimension::fuelQuantity,
     .scale = 1 / 3.785411784,
     .offset = 0},
    {.unit = Unit::volts, .name = "V", .dimension = Dimension::voltage, .scale = 1, .offset = 0},
    {.unit = Unit::amperes, .name = "A", .dimension = Dimension::current, .scale = 1, .offset = 0},
    {.unit = Unit::poundFeet,
     .name = "lb-ft",
     .dimension = Dimension::torque,
     .scale = 1,
     .offset = 0},
    {.unit = Unit::newtonMetres,
     .name = "N-m",
     .dimension = Dimension::torque,
     .scale = 1 / 1.3558179483,
     .offset = 0},
    {.unit = Unit::percent,
     .name = "percent",
     .dimension = Dimension::power,
     .scale = 1,
     .offset = 0},
    {.unit = Unit::ratio,
     .name = "ratio",
     .dimension = Dimension::controlPosition,
     .scale = 1,
     .offset = 0},
});

constexpr bool unitRowsInOrder() {
    for (std::size_t i = 0; i < unitRows.size(); ++i)
        if (std::size_t(unitRows[i].unit) != i || unitRows[i].scale == 0)
            return false;
    return true;
}
static_assert(unitRows.size() == std::size_t(Unit::ratio) + 1);
static_assert(unitRowsInOrder());

constexpr const UnitRow& unitRow(Unit unit) {
    return unitRows[std::size_t(unit)];
}

constexpr double toShown(Unit unit, double value) {
    return value * unitRow(unit).scale + unitRow(unit).offset;
}
constexpr double fromShown(Unit unit, double shown) {
    return (shown - unitRow(unit).offset) / unitRow(unit).scale;
}

constexpr std::optional<Unit> unitByName(std::string_view name) {
    for (const UnitRow& row : unitRows)
        if (row.name == name)
            return row.unit;
    return std::nullopt;
}
