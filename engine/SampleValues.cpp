#include "engine/SampleValues.h"

#include "engine/CylinderTemperatures.h"
#include "engine/EnginePower.h"
#include "engine/TableChecks.h"

#include <array>

namespace {

constexpr double rankineOffset = 459.67; // degrees F to Rankine

// Record fields that hold a reported quantity as it is, in the same unit.
struct DirectField {
    Quantity quantity;
    float EngineState::*field;
};

constexpr auto directFields = std::to_array<DirectField>({
    {.quantity = Quantity::rpm, .field = &EngineState::rpm},
    {.quantity = Quantity::manifoldPressure, .field = &EngineState::manifoldPressure},
    {.quantity = Quantity::oilTemp, .field = &EngineState::oilTemp},
    {.quantity = Quantity::oilPressure, .field = &EngineState::oilPressure},
    {.quantity = Quantity::fuelPressure, .field = &EngineState::fuelPressure},
    {.quantity = Quantity::fuelFlow, .field = &EngineState::fuelFlow},
    {.quantity = Quantity::volts, .field = &EngineState::volts},
    {.quantity = Quantity::amps, .field = &EngineState::amps},
    {.quantity = Quantity::leftFuel, .field = &EngineState::leftFuel},
    {.quantity = Quantity::rightFuel, .field = &EngineState::rightFuel},
    {.quantity = Quantity::torque, .field = &EngineState::torque},
    {.quantity = Quantity::throttle, .field = &EngineState::throttle},
    {.quantity = Quantity::propeller, .field = &EngineState::propeller},
    {.quantity = Quantity::mixture, .field = &EngineState::mixture},
});
// The eleven engine values the record keeps as reported, and the three knobs.
static_assert(directFields.size() == 14);
static_assert(noNullPointers(directFields, &DirectField::field));

constexpr bool isKnob(Quantity q) {
    return q == Quantity::throttle || q == Quantity::propeller || q == Quantity::mixture;
}

double celsiusToFahrenheit(double celsius) {
    return celsius * 1.8 + 32;
}

double fahrenheitToCelsius(double fahrenheit) {
    return (fahrenheit - 32) / 1.8;
}

bool anyCylinder(const EngineSample& sample, Quantity (*ofCylinder)(int)) {
    for (int c = 0; c < cylinderCount; ++c)
        if (sample.has(ofCylinder(c)))
            return true;
    return false;
}

// Per-cylinder values where the sample has any, else its one value (degrees F
// into the record's unit) for the spreads to apply to.
void applyCylinders(const EngineSample& sample, Quantity (*ofCylinder)(int), Quantity single,
                    bool& measured, float (&cylinders)[6], float& singleField, double offset) {
    measured = anyCylinder(sample, ofCylinder);
    for (int c = 0; c < cylinderCount; ++c)
        if (measured && sample.has(ofCylinder(c)))
            cylinders[c] = sample[ofCylinder(c)];
    if (sample.has(single))
        singleField = float(double(sample[single]) + offset);
}

// A log may give power instead of torque; the screen reads power from torque.
void applyPower(const EngineSample& sample, EngineState& state) {
    if (sample.has(Quantity::torque) || !sample.has(Quantity::percentPower) ||
        !sample.has(Quantity::rpm))
        return;
    const double rpm = sample[Quantity::rpm];
    state.torque =
        rpm > 0 ? float(torqueForPercentPower(sample[Quantity::percentPower], rpm)) : 0.0f;
    state.noData.reset(std::size_t(Quantity::torque));
}

} // namespace

EngineSample shownValues(const EngineState& state) {
    EngineSample shown;
    for (const DirectField& row : directFields)
        if (isKnob(row.quantity) || !state.lacks(row.quantity))
            shown.set(row.quantity, state.*row.field);
    if (!state.lacks(Quantity::oat))
        shown.set(Quantity::oat, float(celsiusToFahrenheit(state.oat)));
    for (int c = 0; c < cylinderCount; ++c) {
        if (!egtMissing(state, c))
            shown.set(cylinderEgt(c), float(shownEgt(state, c)));
        if (!chtMissing(state, c))
            shown.set(cylinderCht(c), float(shownCht(state, c)));
    }
    if (!state.lacks(Quantity::torque) && !state.lacks(Quantity::rpm))
        shown.set(Quantity::percentPower, float(percentOfRatedPower(state.torque, state.rpm)));
    return shown;
}

void applySample(const EngineSample& sample, EngineState& state) {
    for (std::size_t q = 0; q < quantityCount; ++q)
        state.noData.set(q, !sample.present.test(q) && !isKnob(Quantity(q)));
    for (const DirectField& row : directFields)
        if (sample.has(row.quantity))
            state.*row.field = sample[row.quantity];
    if (sample.has(Quantity::oat))
        state.oat = float(fahrenheitToCelsius(sample[Quantity::oat]));
    applyCylinders(sample, cylinderEgt, Quantity::egt, state.egtMeasured, state.measuredEgt,
                   state.egtRankine, rankineOffset);
    applyCylinders(sample, cylinderCht, Quantity::cht, state.chtMeasured, state.measuredCht,
                   state.cht, 0);
    applyPower(sample, state);
}
