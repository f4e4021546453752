#pragma once

#include "aircraft/AircraftProfile.h"
#include "aircraft/ProfileChecks.h"

// The instrument's own profile: the aircraft it was drawn for, every value
// as its screen shows it today. Without a profile the instrument runs on
// this one; `zentor-demo --write-aircraft` writes it as a starting point.

namespace instrument_profile {

// The RPM dial turns 21.25 degrees per 100 rev/min with 2400 at the top;
// its yellow arc starts 65 degrees right of the top and its red arc 75.
constexpr double rpmAtDialAngle(double degreesFromTop) {
    return 2400 + degreesFromTop / 0.2125;
}
inline constexpr double rpmCautionFrom = rpmAtDialAngle(65);
inline constexpr double rpmWarningFrom = rpmAtDialAngle(75);

struct GaugeDefault {
    Gauge gauge;
    GaugeProfile profile;
};

inline constexpr WhiteReadout alwaysWhite{};

// One row per gauge, in the enumeration's order.
inline constexpr auto gauges = std::to_array<GaugeDefault>({
    {.gauge = Gauge::rpm,
     .profile = {.min = 2000,
                 .max = 2800,
                 .green = {{2000, rpmCautionFrom}},
                 .yellow = {{rpmCautionFrom, rpmWarningFrom}},
                 .red = {{rpmWarningFrom, 2800}},
                 .whiteReadout = alwaysWhite}},
    // The red end marks stand at both ends of the scale.
    {.gauge = Gauge::manifoldPressure,
     .profile = {.min = 15,
                 .max = 30,
                 .green = {{15, 30}},
                 .redLines = {15, 30},
                 .whiteReadout = alwaysWhite}},
    {.gauge = Gauge::egt,
     .profile = {.min = 825,
                 .max = 1650,
                 .green = {{825, 1500}},
                 .yellow = {{1500, 1600}},
                 .red = {{1600, 1650}},
                 .whiteReadout = alwaysWhite}},
    {.gauge = Gauge::cht,
     .profile = {.min = 200,
                 .max = 500,
                 .green = {{200, 420}},
                 .yellow = {{420, 480}},
                 .red = {{480, 500}},
                 .whiteReadout = alwaysWhite}},
    // The readout turns red at 220, short of the green's end at 225.
    {.gauge = Gauge::oilTemperature,
     .profile = {.min = 0,
                 .max = 300,
                 .green = {{90, 225}},
                 .red = {{0, 90}, {225, 300}},
                 .redLines = {90, 225},
                 .whiteReadout = WhiteReadout{.lowBound = Bound::exclusive,
                                              .low = 90,
                                              .highBound = Bound::exclusive,
                                              .high = 220}}},
    {.gauge = Gauge::oilPressure,
     .profile = {.min = 0,
                 .max = 125,
                 .green = {{15, 100}},
                 .red = {{0, 15}, {100, 125}},
                 .redLines = {15, 100},
                 .whiteReadout = WhiteReadout{.lowBound = Bound::inclusive,
                                              .low = 15,
                                              .highBound = Bound::exclusive,
                                              .high = 100}}},
    {.gauge = Gauge::fuelPressure,
     .profile = {.min = 0,
                 .max = 20,
                 .green = {{8, 20}},
                 .red = {{0, 8}},
                 .redLines = {8, 20},
                 .whiteReadout = WhiteReadout{.lowBound = Bound::exclusive,
                                              .low = 8,
                                              .highBound = Bound::exclusive,
                                              .high = 20}}},
    {.gauge = Gauge::volts,
     .profile = {.min = 10,
                 .max = 16,
                 .green = {{11, 16}},
                 .red = {{10, 11}},
                 .redLines = {11, 16},
                 .whiteReadout = WhiteReadout{.lowBound = Bound::exclusive,
                                              .low = 11,
                                              .highBound = Bound::exclusive,
                                              .high = 16}}},
    {.gauge = Gauge::amps,
     .profile = {.min = -50,
                 .max = 50,
                 .green = {{0, 50}},
                 .red = {{-50, 0}},
                 .redLines = {0, 50},
                 .whiteReadout = WhiteReadout{.lowBound = Bound::inclusive,
                                              .low = 0,
                                              .highBound = Bound::inclusive,
                                              .high = 50}}},
    // The red band marks carburettor icing; the readout stays white.
    {.gauge = Gauge::oat,
     .profile = {.min = -25,
                 .max = 100,
                 .green = {{-25, 26}, {35, 100}},
                 .red = {{26, 35}},
                 .whiteReadout = alwaysWhite}},
    // Above the scale's top the readout stays white.
    {.gauge = Gauge::fuelFlow,
     .profile = {.min = 0,
                 .max = 20,
                 .green = {{3.5, 20}},
                 .red = {{0, 3.5}},
                 .redLines = {3.5},
                 .whiteReadout = WhiteReadout{.lowBound = Bound::inclusive, .low = 3.5}}},
    {.gauge = Gauge::fuelQuantity,
     .profile = {.min = 0, .max = 50, .green = {{0, 50}}, .whiteReadout = alwaysWhite}},
});
static_assert(gauges.size() == gaugeCount);

constexpr AircraftProfile build() {
    AircraftProfile profile{.tailNumber = TailNumber("N5038K"),
                            .cylinders = 6,
                            .leftTank = 50,
                            .rightTank = 50,
                            .temperatureUnit = Unit::degF,
                            .fuelUnit = Unit::gallons};
    for (const GaugeDefault& row : gauges)
        profile.gauge(row.gauge) = row.profile;
    return profile;
}

constexpr bool rowsInOrder() {
    for (std::size_t i = 0; i < gauges.size(); ++i)
        if (std::size_t(gauges[i].gauge) != i)
            return false;
    return true;
}
static_assert(rowsInOrder());

} // namespace instrument_profile

inline constexpr AircraftProfile instrumentProfile = instrument_profile::build();

constexpr const AircraftProfile& defaultProfile() {
    return instrumentProfile;
}

static_assert(instrumentProfile.gauge(Gauge::fuelQuantity) ==
              withTankScale(instrumentProfile.gauge(Gauge::fuelQuantity),
                            instrumentProfile.leftTank, instrumentProfile.rightTank));
static_assert(soundProfile(instrumentProfile));
