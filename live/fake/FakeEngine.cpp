#include "live/fake/FakeEngine.h"

#include <array>
#include <cmath>

namespace {

struct Drift {
    Quantity quantity;
    double centre;
    double swing;
    double period; // seconds
};

// Centres inside the screen's normal bands (a 14 V aircraft, fuel injection),
// so that the fake looks like a healthy cruise and a red value means a fault.
constexpr auto drifts = std::to_array<Drift>({
    {.quantity = Quantity::rpm, .centre = 2250, .swing = 250, .period = 30},
    {.quantity = Quantity::manifoldPressure, .centre = 22, .swing = 3, .period = 30},
    {.quantity = Quantity::oilTemp, .centre = 185, .swing = 10, .period = 90},
    {.quantity = Quantity::oilPressure, .centre = 60, .swing = 5, .period = 40},
    {.quantity = Quantity::fuelPressure, .centre = 15, .swing = 2, .period = 25},
    {.quantity = Quantity::fuelFlow, .centre = 12, .swing = 2.5, .period = 30},
    {.quantity = Quantity::volts, .centre = 14.1, .swing = 0.3, .period = 20},
    {.quantity = Quantity::amps, .centre = 12, .swing = 4, .period = 15},
    {.quantity = Quantity::oat, .centre = 59, .swing = 3, .period = 120},
    {.quantity = Quantity::egt, .centre = 1350, .swing = 80, .period = 30},
    {.quantity = Quantity::cht, .centre = 360, .swing = 25, .period = 60},
    {.quantity = Quantity::leftFuel, .centre = 35, .swing = 10, .period = 600},
    {.quantity = Quantity::rightFuel, .centre = 33, .swing = 10, .period = 700},
    {.quantity = Quantity::torque, .centre = 420, .swing = 60, .period = 30},
    {.quantity = Quantity::percentPower, .centre = 65, .swing = 10, .period = 30},
    {.quantity = Quantity::throttle, .centre = 0.65, .swing = 0.2, .period = 30},
    {.quantity = Quantity::propeller, .centre = 0.85, .swing = 0.1, .period = 45},
    {.quantity = Quantity::mixture, .centre = 0.75, .swing = 0.15, .period = 50},
});

double drift(const Drift& d, double seconds) {
    return d.centre + d.swing * std::sin(2 * 3.14159265358979323846 * seconds / d.period);
}

const Drift* driftOf(Quantity quantity) {
    for (const Drift& d : drifts)
        if (d.quantity == quantity)
            return &d;
    return nullptr;
}

} // namespace

double fakeEngineValue(Quantity quantity, double seconds) {
    // Per-cylinder temperatures spread a few percent round the engine's one.
    const int q = int(quantity);
    if (q >= int(Quantity::egt1) && q <= int(Quantity::egt6))
        return fakeEngineValue(Quantity::egt, seconds) * (0.96 + 0.015 * (q - int(Quantity::egt1)));
    if (q >= int(Quantity::cht1) && q <= int(Quantity::cht6))
        return fakeEngineValue(Quantity::cht, seconds) * (0.96 + 0.015 * (q - int(Quantity::cht1)));
    const Drift* d = driftOf(quantity);
    return d ? drift(*d, seconds) : 0.0;
}
