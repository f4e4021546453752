#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>

// What a source outside the model (a recorded or exported engine log, a flight
// simulator) reports for one moment: any subset of the quantities below, in
// the units the screen shows them. A quantity the source does not have is
// absent, and the instrument shows it as no data, never as a made-up value.
enum class Quantity : std::uint8_t {
    rpm,              // rev/min
    manifoldPressure, // inHg
    oilTemp,          // degrees F
    oilPressure,      // psi
    fuelPressure,     // psi
    fuelFlow,         // gal/h
    volts,            // volts DC
    amps,             // amperes
    oat,              // outside air, degrees F
    egt,              // exhaust gas of an engine with one probe, degrees F
    cht,              // cylinder head of an engine with one probe, degrees F
    egt1,             // exhaust gas of cylinders 1 to 6, degrees F
    egt2,
    egt3,
    egt4,
    egt5,
    egt6,
    cht1, // cylinder head of cylinders 1 to 6, degrees F
    cht2,
    cht3,
    cht4,
    cht5,
    cht6,
    leftFuel,     // gal
    rightFuel,    // gal
    torque,       // lb-ft
    percentPower, // percent of rated power
    throttle,     // knob positions: 0 pulled fully out .. 1 pushed fully in
    propeller,
    mixture,
};

inline constexpr std::size_t quantityCount = std::size_t(Quantity::mixture) + 1;

constexpr Quantity cylinderEgt(int cylinder) {
    return Quantity(int(Quantity::egt1) + cylinder);
}
constexpr Quantity cylinderCht(int cylinder) {
    return Quantity(int(Quantity::cht1) + cylinder);
}

struct EngineSample {
    double time = 0; // seconds: from a log's first row, or a live source's start

    bool has(Quantity q) const { return present[std::size_t(q)]; }
    float operator[](Quantity q) const { return values[std::size_t(q)]; }
    void set(Quantity q, float value) {
        values[std::size_t(q)] = value;
        present.set(std::size_t(q));
    }
    void clear(Quantity q) {
        values[std::size_t(q)] = 0;
        present.reset(std::size_t(q));
    }

    std::array<float, quantityCount> values{};
    std::bitset<quantityCount> present;
};
