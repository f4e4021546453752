#include "engine/Engine.h"

// Created with the process at the start values given by the member
// initialisers; the shell sets the knobs when the window opens.
EngineState engineState;

void resetEngineState() {
    const EngineState start;
    engineState.fuelFlow = start.fuelFlow;
    engineState.leftFuel = start.leftFuel;
    engineState.leftCapacity = start.leftCapacity;
    engineState.rightFuel = start.rightFuel;
    engineState.rightCapacity = start.rightCapacity;
    engineState.oilTemp = start.oilTemp;
    engineState.oilPressure = start.oilPressure;
    engineState.fuelPressure = start.fuelPressure;
    engineState.volts = start.volts;
    engineState.amps = start.amps;
    engineState.oat = start.oat;
    engineState.rpm = start.rpm;
    engineState.manifoldPressure = start.manifoldPressure;
    engineState.egtRankine = start.egtRankine;
    engineState.cht = start.cht;
    engineState.torque = start.torque;
}
