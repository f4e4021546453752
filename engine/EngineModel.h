#pragma once

#include "engine/Engine.h"

#include <array>
#include <cstdint>
#include <span>

// The engine model and the demo sweep: what moves the engine values of the
// record from tick to tick, and the cylinder spreads drawn once at set-up.

// Seconds the model advances per tick: the frame timer's period.
inline constexpr double modelTimeStep = 0.065;

// The demo sweep's direction flags, one per swept value in processing order.
inline constexpr int sweptValueCount = 13;
// What the demo sweep keeps besides the record: which way each swept value
// goes. Directions outlive each demo spell and every engine reset: all
// rising at first and in the instrument's opening state.
struct DemoSweep {
    std::array<bool, sweptValueCount> rising = [] {
        std::array<bool, sweptValueCount> all{};
        all.fill(true);
        return all;
    }();
};

// One 65 ms tick of the engine values in `record`: the demo sweep while Demo
// Mode is ticked, otherwise the model step.
void stepEngine(EngineState& record, DemoSweep& sweep);
void stepEngineModel(EngineState& record);
void stepDemoSweep(EngineState& record, DemoSweep& sweep);

// First-order lag whose step grows with the distance: |target - value|^p * k * dt.
// The step is not clipped at the target.
double approachTarget(double value, double target, double k, double p);
// Moves at most `limit` towards the target, landing on it exactly when within reach.
double approachLimited(double value, double target, double limit);

// The twelve cylinder factors of `record` from a seed, or, for tests, from
// given draws (24 values in 0..32767: magnitude then sign, EGT cylinders first).
void generateCylinderSpreadsFromSeed(EngineState& record, std::uint32_t seed);
void fillCylinderSpreads(EngineState& record, std::span<const int, 24> draws);
