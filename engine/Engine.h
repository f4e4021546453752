#pragma once

#include <cstdint>
#include <span>

// The one engine record every part of the instrument meets in. The model and
// the demo sweep write the engine values once per 65 ms tick; the panel
// controls write the knob positions, the check-box flags and the selected
// cylinder between ticks; the screen, the compositor and the sound read it.
struct EngineState {
    // Engine values, single precision; arithmetic on them is done in double.
    float fuelFlow = 5.0f;          // gal/h
    float leftFuel = 45.7f;         // gal
    float leftCapacity = 50.0f;     // gal, the full mark of the left gauge
    float rightFuel = 42.1f;        // gal
    float rightCapacity = 50.0f;    // gal
    float oilTemp = 161.0f;         // degrees F
    float oilPressure = 0.0f;       // psi
    float fuelPressure = 15.0f;     // psi
    float volts = 14.5f;            // volts DC
    float amps = 20.0f;             // amperes
    float oat = 15.0f;              // outside air, degrees C
    float rpm = 900.0f;             // rev/min
    float manifoldPressure = 18.0f; // inHg
    float egtRankine = 1500.0f;     // exhaust gas, degrees Rankine
    float cht = 300.0f;             // cylinder head, degrees F
    float torque = 20.0f;           // lb-ft

    // Fixed per-cylinder factors, 0.92 to 1.08, drawn once at window set-up.
    double egtSpread[6] = {};
    double chtSpread[6] = {};
    std::uint8_t selectedCylinder = 0; // 0..5, the boxed bar-graph column

    // Knob positions: 0 pulled fully out, 1 pushed fully in.
    float throttle = 0.0f;
    float propeller = 0.0f;
    float mixture = 0.0f;

    // Check boxes, 0 or 1.
    std::int32_t demoMode = 0;
    std::int32_t muted = 0;
};

extern EngineState engineState;

// Seconds the model advances per tick: the frame timer's period.
inline constexpr double modelTimeStep = 0.065;

// Puts the sixteen engine values back to their start values; leaves the
// controls, flags, spreads, selected cylinder and sweep directions alone.
void resetEngineState();

// One 65 ms tick: the demo sweep while Demo Mode is ticked, otherwise the
// sound update (from the previous tick's rpm) followed by the model step.
void stepEngine();
void stepEngineModel();
void stepDemoSweep();

// Seeds from the calendar time and draws the twelve cylinder factors.
void generateCylinderSpreads();

// First-order lag whose step grows with the distance: |target - value|^p * k * dt.
// The step is not clipped at the target.
double approachTarget(double value, double target, double k, double p);
// Moves at most `limit` towards the target, landing on it exactly when within reach.
double approachLimited(double value, double target, double limit);

// Seams for tests and tools: the spreads from a chosen seed, or from given
// draws (24 values in 0..32767: magnitude then sign, EGT cylinders first).
void generateCylinderSpreadsFromSeed(std::uint32_t seed);
void fillCylinderSpreads(std::span<const int, 24> draws);

// The demo sweep's direction flags, one per swept value in processing order.
inline constexpr int sweptValueCount = 13;
std::span<bool, sweptValueCount> sweepDirections();
