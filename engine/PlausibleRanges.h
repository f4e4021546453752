#pragma once

#include "engine/EngineSample.h"

#include <array>
#include <cstddef>

// The range a piston engine and its airframe can show at all, in the screen's
// units: a value outside it, from a log or a simulator, is a fault of the
// source (a wrong unit, a broken packet or cell), never a reading, and shows
// as no data.
struct PlausibleRange {
    Quantity quantity;
    double lowest;
    double highest;
};

inline constexpr auto plausibleRanges = std::to_array<PlausibleRange>({
    {.quantity = Quantity::rpm, .lowest = 0, .highest = 10000},
    {.quantity = Quantity::manifoldPressure, .lowest = 0, .highest = 80}, // inHg
    {.quantity = Quantity::oilTemp, .lowest = -80, .highest = 500},       // °F
    {.quantity = Quantity::oilPressure, .lowest = 0, .highest = 250},     // psi
    {.quantity = Quantity::fuelPressure, .lowest = 0, .highest = 150},    // psi
    {.quantity = Quantity::fuelFlow, .lowest = 0, .highest = 150},        // gal/h
    {.quantity = Quantity::volts, .lowest = 0, .highest = 60},
    {.quantity = Quantity::amps, .lowest = -400, .highest = 400},
    {.quantity = Quantity::oat, .lowest = -130, .highest = 160}, // °F
    {.quantity = Quantity::egt, .lowest = -80, .highest = 2500}, // °F
    {.quantity = Quantity::cht, .lowest = -80, .highest = 1000}, // °F
    {.quantity = Quantity::egt1, .lowest = -80, .highest = 2500},
    {.quantity = Quantity::egt2, .lowest = -80, .highest = 2500},
    {.quantity = Quantity::egt3, .lowest = -80, .highest = 2500},
    {.quantity = Quantity::egt4, .lowest = -80, .highest = 2500},
    {.quantity = Quantity::egt5, .lowest = -80, .highest = 2500},
    {.quantity = Quantity::egt6, .lowest = -80, .highest = 2500},
    {.quantity = Quantity::cht1, .lowest = -80, .highest = 1000},
    {.quantity = Quantity::cht2, .lowest = -80, .highest = 1000},
    {.quantity = Quantity::cht3, .lowest = -80, .highest = 1000},
    {.quantity = Quantity::cht4, .lowest = -80, .highest = 1000},
    {.quantity = Quantity::cht5, .lowest = -80, .highest = 1000},
    {.quantity = Quantity::cht6, .lowest = -80, .highest = 1000},
    {.quantity = Quantity::leftFuel, .lowest = 0, .highest = 500}, // gal
    {.quantity = Quantity::rightFuel, .lowest = 0, .highest = 500},
    {.quantity = Quantity::torque, .lowest = -500, .highest = 5000}, // lb-ft
    {.quantity = Quantity::percentPower, .lowest = 0, .highest = 200},
    {.quantity = Quantity::throttle, .lowest = 0, .highest = 1}, // pulled out .. in
    {.quantity = Quantity::propeller, .lowest = 0, .highest = 1},
    {.quantity = Quantity::mixture, .lowest = 0, .highest = 1},
});
static_assert(plausibleRanges.size() == quantityCount);

// One row per quantity, in the enumeration's order, each range the right way round.
constexpr bool plausibleRangesInOrder() {
    for (std::size_t i = 0; i < plausibleRanges.size(); ++i)
        if (std::size_t(plausibleRanges[i].quantity) != i ||
            !(plausibleRanges[i].lowest < plausibleRanges[i].highest))
            return false;
    return true;
}
static_assert(plausibleRangesInOrder());

constexpr bool plausible(Quantity quantity, double shown) {
    const PlausibleRange& range = plausibleRanges[std::size_t(quantity)];
    return shown >= range.lowest && shown <= range.highest;
}
