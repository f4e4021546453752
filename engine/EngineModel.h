#pragma once

#include "engine/Engine.h"

#include <cstdint>
#include <span>

// The engine model and the demo sweep: what moves the engine values of the
// record from tick to tick, and the cylinder spreads drawn once at set-up.

// Seconds the model advances per tick: the frame timer's period.
inline constexpr double modelTimeStep = 0.065;

// One 65 ms tick of the engine values in `record`: the demo sweep while Demo
// Mode is ticked, otherwise the model step.
void stepEngine(EngineState& record);
void stepEngineModel(EngineState& record);
void stepDemoSweep(EngineState& record);
// The same on the instrument's own record (engineState).
void stepEngine();
void stepEngineModel();
void stepDemoSweep();

// First-order lag whose step grows with the distance: |target - value|^p * k * dt.
// The step is not clipped at the target.
double approachTarget(double value, double target, double k, double p);
// Moves at most `limit` towards the target, landing on it exactly when within reach.
double approachLimited(double value, double target, double limit);

// The twelve cylinder factors from a seed, or, for tests, from given draws
// (24 values in 0..32767: magnitude then sign, EGT cylinders first).
void generateCylinderSpreadsFromSeed(std::uint32_t seed);
void fillCylinderSpreads(std::span<const int, 24> draws);

// The demo sweep's direction flags, one per swept value in processing order.
inline constexpr int sweptValueCount = 13;
std::span<bool, sweptValueCount> sweepDirections();
// Every swept value rising, as at process start.
void resetSweepDirections();
