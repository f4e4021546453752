#pragma once

#include "engine/EngineSample.h"

#include <bitset>
#include <cstdint>

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

    // Fixed per-cylinder factors, 0.92 to 1.08, drawn once as the window opens.
    double egtSpread[6] = {};
    double chtSpread[6] = {};
    std::uint8_t selectedCylinder = 0; // 0..5, the boxed bar-graph column

    // Knob positions: 0 pulled fully out, 1 pushed fully in. They start where
    // the window opens them: throttle out, propeller and mixture in.
    float throttle = 0.0f;
    float propeller = 1.0f;
    float mixture = 1.0f;

    // Check boxes, 0 or 1.
    std::int32_t demoMode = 0;
    std::int32_t muted = 0;

    // What an outside source (a log without the column, a simulator gone
    // quiet) does not have: shown as no data, never as a value. Always empty
    // while the model runs.
    std::bitset<quantityCount> noData;
    // Cylinder temperatures a source measured, degrees F. While a flag is
    // clear the cylinder spreads apply to egtRankine and cht, as for the model.
    bool egtMeasured = false;
    bool chtMeasured = false;
    float measuredEgt[6] = {};
    float measuredCht[6] = {};

    bool lacks(Quantity quantity) const { return noData.test(std::size_t(quantity)); }
};

// Puts the sixteen engine values of `record` back to their start values;
// leaves the controls, flags, spreads and selected cylinder alone.
void resetEngineState(EngineState& record);
