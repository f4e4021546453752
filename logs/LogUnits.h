#pragma once

#include "logs/ColumnNames.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// What a unit measures; a column converts only into a quantity of the same kind.
enum class LogDimension : std::uint8_t {
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
    LogDimension dimension;
    double scale = 1;
    double offset = 0;
};

// Gallons are US gallons throughout, as in the instrument's fuel gauges.
inline constexpr auto logUnits = std::to_array<LogUnit>({
    {.key = "rpm", .dimension = LogDimension::rotation},
    {.key = "rev/min", .dimension = LogDimension::rotation},
    {.key = "r/min", .dimension = LogDimension::rotation},
    {.key = "1/min", .dimension = LogDimension::rotation},

    {.key = "psi", .dimension = LogDimension::pressure},
    {.key = "psig", .dimension = LogDimension::pressure},
    {.key = "inhg", .dimension = LogDimension::pressure, .scale = 0.4911541},
    {.key = "inchhg", .dimension = LogDimension::pressure, .scale = 0.4911541},
    {.key = "incheshg", .dimension = LogDimension::pressure, .scale = 0.4911541},
    {.key = "mmhg", .dimension = LogDimension::pressure, .scale = 0.01933678},
    {.key = "kpa", .dimension = LogDimension::pressure, .scale = 0.1450377},
    {.key = "hpa", .dimension = LogDimension::pressure, .scale = 0.01450377},
    {.key = "mbar", .dimension = LogDimension::pressure, .scale = 0.01450377},
    {.key = "bar", .dimension = LogDimension::pressure, .scale = 14.50377},

    {.key = "degf", .dimension = LogDimension::temperature},
    {.key = "f", .dimension = LogDimension::temperature},
    {.key = "fahrenheit", .dimension = LogDimension::temperature},
    {.key = "degc", .dimension = LogDimension::temperature, .scale = 1.8, .offset = 32},
    {.key = "c", .dimension = LogDimension::temperature, .scale = 1.8, .offset = 32},
    {.key = "celsius", .dimension = LogDimension::temperature, .scale = 1.8, .offset = 32},
    {.key = "k", .dimension = LogDimension::temperature, .scale = 1.8, .offset = -459.67},
    {.key = "kelvin", .dimension = LogDimension::temperature, .scale = 1.8, .offset = -459.67},
    {.key = "degr", .dimension = LogDimension::temperature, .offset = -459.67},
    {.key = "rankine", .dimension = LogDimension::temperature, .offset = -459.67},

    {.key = "gal/h", .dimension = LogDimension::flow},
    {.key = "gal/hr", .dimension = LogDimension::flow},
    {.key = "gal/hour", .dimension = LogDimension::flow},
    {.key = "gph", .dimension = LogDimension::flow},
    {.key = "usgal/h", .dimension = LogDimension::flow},
    {.key = "l/h", .dimension = LogDimension::flow, .scale = 0.2641720},
    {.key = "l/hr", .dimension = LogDimension::flow, .scale = 0.2641720},
    {.key = "l/hour", .dimension = LogDimension::flow, .scale = 0.2641720},
    {.key = "lph", .dimension = LogDimension::flow, .scale = 0.2641720},

    {.key = "gal", .dimension = LogDimension::volume},
    {.key = "usgal", .dimension = LogDimension::volume},
    {.key = "gallons", .dimension = LogDimension::volume},
    {.key = "l", .dimension = LogDimension::volume, .scale = 0.2641720},
    {.key = "litres", .dimension = LogDimension::volume, .scale = 0.2641720},
    {.key = "liters", .dimension = LogDimension::volume, .scale = 0.2641720},

    {.key = "v", .dimension = LogDimension::voltage},
    {.key = "vdc", .dimension = LogDimension::voltage},
    {.key = "volts", .dimension = LogDimension::voltage},

    {.key = "a", .dimension = LogDimension::current},
    {.key = "amps", .dimension = LogDimension::current},
    {.key = "amperes", .dimension = LogDimension::current},

    {.key = "lb-ft", .dimension = LogDimension::torque},
    {.key = "lbft", .dimension = LogDimension::torque},
    {.key = "ft-lb", .dimension = LogDimension::torque},
    {.key = "ftlb", .dimension = LogDimension::torque},
    {.key = "nm", .dimension = LogDimension::torque, .scale = 0.7375621},

    {.key = "%", .dimension = LogDimension::percent},
    {.key = "percent", .dimension = LogDimension::percent},
    {.key = "pct", .dimension = LogDimension::percent},

    {.key = "0-1", .dimension = LogDimension::position},

    {.key = "s", .dimension = LogDimension::time},
    {.key = "sec", .dimension = LogDimension::time},
    {.key = "seconds", .dimension = LogDimension::time},
    {.key = "ms", .dimension = LogDimension::time, .scale = 0.001},
    {.key = "min", .dimension = LogDimension::time, .scale = 60},
    {.key = "h", .dimension = LogDimension::time, .scale = 3600},
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
