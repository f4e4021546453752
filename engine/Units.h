#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// Every unit the instrument meets, once: in logs, in simulator map files and
// on the screen. A coming aircraft profile names its display units (°C for
// °F, litres for US gallons) by the same names; the conversion to the screen
// then comes from this table, with nothing new to write.

// What a unit measures; a value converts only into a unit of the same kind.
enum class Dimension : std::uint8_t {
    engineSpeed,     // base rev/min
    pressure,        // base psi; manifold pressure too, whatever it is shown in
    temperature,     // base degrees F
    fuelFlow,        // base US gal/h
    fuelQuantity,    // base US gal
    voltage,         // base volts
    current,         // base amperes
    torque,          // base lb-ft
    power,           // base percent of rated power
    controlPosition, // base 0 pulled fully out .. 1 pushed fully in
    time,            // base seconds
};

// Fuel is reckoned as avgas at 6.0 lb per US gallon (2.72155 kg), the figure
// weight-and-balance sheets use; a simulator that reports fuel by mass is
// turned into the gallons the gauges show with it.
inline constexpr double avgasPoundsPerGallon = 6.0;
inline constexpr double kilogramsPerPound = 0.45359237;
inline constexpr double avgasKilogramsPerGallon = avgasPoundsPerGallon * kilogramsPerPound;
inline constexpr double litresPerGallon = 3.785411784;
inline constexpr double pi = 3.14159265358979323846;
// Pressures by their definitions in pascals.
inline constexpr double pascalsPerPsi = 6894.757293168;
inline constexpr double pascalsPerInHg = 3386.38866667;
inline constexpr double pascalsPerMmHg = 133.322387415;
inline constexpr double newtonMetresPerPoundFoot = 1.3558179483;

enum class Unit : std::uint8_t {
    rpm,
    radiansPerSecond,
    psi,
    inHg,
    mmHg,
    hectopascal,
    kilopascal,
    bar,
    degF,
    degC,
    kelvin,
    rankine,
    gallonsPerHour,
    litresPerHour,
    kilogramsPerSecond,
    kilogramsPerHour,
    poundsPerHour,
    gallons,
    litres,
    kilograms,
    pounds,
    volts,
    amperes,
    poundFeet,
    newtonMetres,
    percent,
    ratio,
    seconds,
    milliseconds,
    minutes,
    hours,
};
inline constexpr std::size_t unitCount = std::size_t(Unit::hours) + 1;

// base = value * scale + offset. `name` is how a map file (and a profile)
// writes the unit, `symbol` how the screen and our recordings do, and
// `spellings` every way a log's header may, in key form (lower case, no
// blanks, the degree sign spelt "deg") and parted by blanks; a unit without
// spellings is not taken from a log.
struct UnitRow {
    Unit unit;
    Dimension dimension;
    std::string_view name;
    std::string_view symbol;
    double scale = 1;
    double offset = 0;
    std::string_view spellings = {};
};

inline constexpr auto unitRows = std::to_array<UnitRow>({
    {.unit = Unit::rpm,
     .dimension = Dimension::engineSpeed,
     .name = "rpm",
     .symbol = "rpm",
     .spellings = "rpm rev/min r/min 1/min"},
    {.unit = Unit::radiansPerSecond,
     .dimension = Dimension::engineSpeed,
     .name = "rad/s",
     .symbol = "rad/s",
     .scale = 60 / (2 * pi)},
    {.unit = Unit::psi,
     .dimension = Dimension::pressure,
     .name = "psi",
     .symbol = "psi",
     .spellings = "psi psig"},
    {.unit = Unit::inHg,
     .dimension = Dimension::pressure,
     .name = "inHg",
     .symbol = "inHg",
     .scale = pascalsPerInHg / pascalsPerPsi,
     .spellings = "inhg inchhg incheshg"},
    {.unit = Unit::mmHg,
     .dimension = Dimension::pressure,
     .name = "mmHg",
     .symbol = "mmHg",
     .scale = pascalsPerMmHg / pascalsPerPsi,
     .spellings = "mmhg"},
    {.unit = Unit::hectopascal,
     .dimension = Dimension::pressure,
     .name = "hPa",
     .symbol = "hPa",
     .scale = 100 / pascalsPerPsi,
     .spellings = "hpa mbar"},
    {.unit = Unit::kilopascal,
     .dimension = Dimension::pressure,
     .name = "kPa",
     .symbol = "kPa",
     .scale = 1000 / pascalsPerPsi,
     .spellings = "kpa"},
    {.unit = Unit::bar,
     .dimension = Dimension::pressure,
     .name = "bar",
     .symbol = "bar",
     .scale = 100000 / pascalsPerPsi,
     .spellings = "bar"},
    {.unit = Unit::degF,
     .dimension = Dimension::temperature,
     .name = "degF",
     .symbol = "°F",
     .spellings = "degf f fahrenheit"},
    {.unit = Unit::degC,
     .dimension = Dimension::temperature,
     .name = "degC",
     .symbol = "°C",
     .scale = 1.8,
     .offset = 32,
     .spellings = "degc c celsius"},
    {.unit = Unit::kelvin,
     .dimension = Dimension::temperature,
     .name = "K",
     .symbol = "K",
     .scale = 1.8,
     .offset = -459.67,
     .spellings = "k kelvin"},
    {.unit = Unit::rankine,
     .dimension = Dimension::temperature,
     .name = "degR",
     .symbol = "°R",
     .offset = -459.67,
     .spellings = "degr rankine"},
    {.unit = Unit::gallonsPerHour,
     .dimension = Dimension::fuelFlow,
     .name = "gal/h",
     .symbol = "gal/h",
     .spellings = "gal/h gal/hr gal/hour gph usgal/h"},
    {.unit = Unit::litresPerHour,
     .dimension = Dimension::fuelFlow,
     .name = "l/h",
     .symbol = "l/h",
     .scale = 1 / litresPerGallon,
     .spellings = "l/h l/hr l/hour lph"},
    {.unit = Unit::kilogramsPerSecond,
     .dimension = Dimension::fuelFlow,
     .name = "kg/s",
     .symbol = "kg/s",
     .scale = 3600 / avgasKilogramsPerGallon},
    {.unit = Unit::kilogramsPerHour,
     .dimension = Dimension::fuelFlow,
     .name = "kg/h",
     .symbol = "kg/h",
     .scale = 1 / avgasKilogramsPerGallon},
    {.unit = Unit::poundsPerHour,
     .dimension = Dimension::fuelFlow,
     .name = "lb/h",
     .symbol = "lb/h",
     .scale = 1 / avgasPoundsPerGallon},
    {.unit = Unit::gallons,
     .dimension = Dimension::fuelQuantity,
     .name = "gal",
     .symbol = "gal",
     .spellings = "gal usgal gallons"},
    {.unit = Unit::litres,
     .dimension = Dimension::fuelQuantity,
     .name = "l",
     .symbol = "l",
     .scale = 1 / litresPerGallon,
     .spellings = "l litres liters"},
    {.unit = Unit::kilograms,
     .dimension = Dimension::fuelQuantity,
     .name = "kg",
     .symbol = "kg",
     .scale = 1 / avgasKilogramsPerGallon},
    {.unit = Unit::pounds,
     .dimension = Dimension::fuelQuantity,
     .name = "lb",
     .symbol = "lb",
     .scale = 1 / avgasPoundsPerGallon},
    {.unit = Unit::volts,
     .dimension = Dimension::voltage,
     .name = "V",
     .symbol = "V",
     .spellings = "v vdc volts"},
    {.unit = Unit::amperes,
     .dimension = Dimension::current,
     .name = "A",
     .symbol = "A",
     .spellings = "a amps amperes"},
    {.unit = Unit::poundFeet,
     .dimension = Dimension::torque,
     .name = "lb-ft",
     .symbol = "lb-ft",
     .spellings = "lb-ft lbft ft-lb ftlb"},
    {.unit = Unit::newtonMetres,
     .dimension = Dimension::torque,
     .name = "N-m",
     .symbol = "N-m",
     .scale = 1 / newtonMetresPerPoundFoot,
     .spellings = "nm"},
    {.unit = Unit::percent,
     .dimension = Dimension::power,
     .name = "percent",
     .symbol = "%",
     .spellings = "% percent pct"},
    {.unit = Unit::ratio,
     .dimension = Dimension::controlPosition,
     .name = "ratio",
     .symbol = "0-1",
     .spellings = "0-1"},
    {.unit = Unit::seconds,
     .dimension = Dimension::time,
     .name = "s",
     .symbol = "s",
     .spellings = "s sec seconds"},
    {.unit = Unit::milliseconds,
     .dimension = Dimension::time,
     .name = "ms",
     .symbol = "ms",
     .scale = 0.001,
     .spellings = "ms"},
    {.unit = Unit::minutes,
     .dimension = Dimension::time,
     .name = "min",
     .symbol = "min",
     .scale = 60,
     .spellings = "min"},
    {.unit = Unit::hours,
     .dimension = Dimension::time,
     .name = "h",
     .symbol = "h",
     .scale = 3600,
     .spellings = "h"},
});
static_assert(unitRows.size() == unitCount);

constexpr const UnitRow& unitRow(Unit unit) {
    return unitRows[std::size_t(unit)];
}

constexpr std::optional<Unit> unitByName(std::string_view name) {
    for (const UnitRow& row : unitRows)
        if (row.name == name)
            return row.unit;
    return std::nullopt;
}

// Calls `visit` with each of the blank-parted `spellings` while it says true;
// false when one said false.
template <class Visit>
constexpr bool allSpellings(std::string_view spellings, Visit visit) {
    while (!spellings.empty()) {
        const std::size_t end = std::min(spellings.find(' '), spellings.size());
        if (!visit(spellings.substr(0, end)))
            return false;
        spellings.remove_prefix(std::min(end + 1, spellings.size()));
    }
    return true;
}

// The unit a log's header spells `key` (already in key form).
constexpr std::optional<Unit> unitBySpelling(std::string_view key) {
    for (const UnitRow& row : unitRows)
        if (!key.empty() && !allSpellings(row.spellings, [&](std::string_view spelling) {
                return spelling != key;
            }))
            return row.unit;
    return std::nullopt;
}

// Rows in the enumeration's order with a usable scale; no name and no
// spelling stands for two units.
constexpr bool unitRowsConsistent() {
    for (std::size_t i = 0; i < unitRows.size(); ++i) {
        const UnitRow& row = unitRows[i];
        if (std::size_t(row.unit) != i || !(row.scale > 0) || row.name.empty())
            return false;
        if (unitByName(row.name) != row.unit)
            return false;
        if (!allSpellings(row.spellings, [&](std::string_view spelling) {
                return !spelling.empty() && unitBySpelling(spelling) == row.unit;
            }))
            return false;
    }
    return true;
}
static_assert(unitRowsConsistent());

// A linear map from one unit into another of the same dimension.
struct UnitConversion {
    double scale = 1;
    double offset = 0;
    constexpr double operator()(double value) const { return value * scale + offset; }
    constexpr double inverse(double converted) const { return (converted - offset) / scale; }
};

constexpr UnitConversion conversionBetween(Unit from, Unit to) {
    if (from == to)
        return {};
    const UnitRow& a = unitRow(from);
    const UnitRow& b = unitRow(to);
    if (b.scale == 1 && b.offset == 0)
        return {a.scale, a.offset}; // into the base: the row as written
    // to = (from * s1 + o1 - o2) / s2
    return {a.scale / b.scale, (a.offset - b.offset) / b.scale};
}
