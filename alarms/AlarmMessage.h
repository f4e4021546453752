#pragma once

#include "aircraft/AircraftProfile.h"
#include "alarms/WatchedReadouts.h"

#include <string>
#include <string_view>

inline constexpr std::string_view engineDataLostMessage = "ENGINE DATA LOST";

// The unit the pilot reads a gauge in: the profile's temperature unit for
// temperatures, its fuel unit for fuel (and litres per hour for the flow of
// a litre aircraft), else the engine's own.
Unit displayUnit(Gauge gauge, const AircraftProfile& profile);

// The status bar's words for an alarm on `row` at `value` (engine unit):
// "CHT 3 HIGH 441", "OIL-P LOW 12", "FUEL L LOW 3.1", the value printed as
// its readout prints it, in the display unit.
std::string alarmMessage(const WatchedReadout& row, const GaugeProfile& gauge, double value,
                         const AircraftProfile& profile);
