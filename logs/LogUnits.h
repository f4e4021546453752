#pragma once

#include "logs/ColumnNames.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// What a unit measures; a column converts only into a quantity of the same kind.
enum class Dimension : std::uint8_t {
    rotation,    // base rev/min
    pressure,    // base psi
    temperature, // base degrees F
    flow,        // base US gal/h
    volume,      // base US gal
    voltage,     // base volts
    current,     // base amperes
    torque,      // base lb-ft
    percent,     // base percent
    position,    // base 0..1, a knob's travel
    time,        // base seconds
};

// One spelling of a unit, by its key (see unitKey): base = value * scale + offset.
struct LogUnit {
    std::string_view key;
    Dimension dimension;
    double scale = 1;
    double offset = 0;
};

// Gallons are US gallons throughout, as in the instrument's fuel gauges.
inline constexpr auto logUnits = std::to_array<LogUnit>({
    {.key = "rpm", .dimension = Dimension::rotation},
    {.key = "rev/min", .dimension = Dimension::rotation},
    {.key = "r/min", .dimension = Dimension::rotation},
    {.key = "1/min", .dimension = Dimension::rotation},

    {.key = "psi", .dimension = Dimension::pressure},
    {.key = "psig", .dimension = Dimension::pressure},
    {.key = "inhg", .dimension = Dimension::pressure, .scale = 0.4911541},
    {.key = "inchhg", .dimension = Dimension::pressure, .scale = 0.4911541},
    {.key = "incheshg", .dimension = Dimension::pressure, .scale = 0.4911541},
    {.key = "mmhg", .dimension = Dimension::pressure, .scale = 0.01933678},
    {.key = "kpa", .dimension = Dimension::pressure, .scale = 0.1450377},
    {.key = "hpa", .dimension = Dimension::pressure, .scale = 0.01450377},
    {.key = "mbar", .dimension = Dimension::pressure, .scale = 0.01450377},
    {.key = "bar", .dimension = Dimension::pressure, .scale = 14.50377},

    {.key = "degf", .dimension = Dimension::temperature},
    {.key = "f", .dimension = Dimension::temperature},
    {.key = "fahrenheit", .dimension = Dimension::temperature},
    {.key = "degc", .dimension = Dimension::temperature, .scale = 1.8, .offset = 32},
    {.key = "c", .dimension = Dimension::temperature, .scale = 1.8, .offset = 32},
    {.key = "celsius", .dimension = Dimension::temperature, .scale = 1.8, .offset = 32},
    {.key = "k", .dimension = Dimension::temperature, .scale = 1.8, .offset = -459.67},
    {.key = "kelvin", .dimension = Dimension::temperature, .scale = 1.8, .offset = -459.67},
    {.key = "degr", .dimension = Dimension::temperature, .offset = -459.67},
    {.key = "rankine", .dimension = Dimension::temperature, .offset = -459.67},

    {.key = "gal/h", .dimension = Dimension::flow},
    {.key = "gal/hr", .dimension = Dimension::flow},
    {.key = "gal/hour", .dimension = Dimension::flow},
    {.key = "gph", .dimension = Dimension::flow},
    {.key = "usgal/h", .dimension = Dimension::flow},
    {.key = "l/h", .dimension = Dimension::flow, .scale = 0.2641720},
    {.key = "l/hr", .dimension = Dimension::flow, .scale = 0.2641720},
    {.key = "l/hour", .dimension = Dimension::flow, .scale = 0.2641720},
    {.key = "lph", .dimension = Dimension::flow, .scale = 0.2641720},

    {.key = "gal", .dimension = Dimension::volume},
    {.key = "usgal", .dimension = Dimension::volume},
    {.key = "gallons", .dimension = Dimension::volume},
    {.key = "l", .dimension = Dimension::volume, .scale = 0.2641720},
    {.key = "litres", .dimension = Dimension::volume, .scale = 0.2641720},
    {.key = "liters", .dimension = Dimension::volume, .scale = 0.2641720},

    {.key = "v", .dimension = Dimension::voltage},
    {.key = "vdc", .dimension = Dimension::voltage},
    {.key = "volts", .dimension = Dimension::voltage},

    {.key = "a", .dimension = Dimension::current},
    {.key = "amps", .dimension = Dimension::current},
    {.key = "amperes", .dimension = Dimension::current},

    {.key = "lb-ft", .dimension = Dimension::torque},
    {.key = "lbft", .dimension = Dimension::torque},
    {.key = "ft-lb", .dimension = Dimension::torque},
    {.key = "ftlb", .dimension = Dimension::torque},
    {.key = "nm", .dimension = Dimension::torque, .scale = 0.7375621},

    {.key = "%", .dimension = Dimension::percent},
    {.key = "percent", .dimension = Dimension::percent},
    {.key = "pct", .dimension = Dimension::percent},

    {.key = "0-1", .dimension = Dimension::position},

    {.key = "s", .dimension = Dimension::time},
    {.key = "sec", .dimension = Dimension::time},
    {.key = "seconds", .dimension = Dimension::time},
    {.key = "ms", .dimension = Dimension::time, .scale = 0.001},
    {.key = "min", .dimension = Dimension::time, .scale = 60},
    {.key = "h", .dimension = Dimension::time, .scale = 3600},
});
inline constexpr std::size_t logUnitCount = 60;
static_assert(logUnits.size() == logUnitCount);

// Lookups give row numbers rather than pointers: the sanitizer build cannot
// compare addresses in constant expressions.
constexpr std::optional<std::size_t> findLogUnit(std::string_view key) {
    for (std::size_t i = 0; i < logUnits.size(); ++i)
        if (logUnits[i].key == key)
            return i;
    return std::nullopt;
}

// Every key is already in key form and spelt once, so each can be found.
constexpr bool unitKeysUsable() {
    for (std::size_t i = 0; i < logUnits.size(); ++i) {
        if (!isUnitKey(logUnits[i].key) || logUnits[i].scale <= 0)
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (logUnits[j].key == logUnits[i].key)
                return false;
    }
    return true;
}
static_assert(unitKeysUsable());

// A linear map from one unit into another of the same dimension.
struct UnitConversion {
    double scale = 1;
    double offset = 0;
    constexpr double operator()(double value) const { return value * scale + offset; }
};

constexpr UnitConversion conversionBetween(const LogUnit& from, const LogUnit& to) {
    if (from.key == to.key)
        return {};
    // to = (from * s1 + o1 - o2) / s2
    return {from.scale / to.scale, (from.offset - to.offset) / to.scale};
}
