#pragma once

#include "aircraft/AircraftProfile.h"
#include "engine/Units.h"

#include <cstdint>
#include <string>
#include <vector>

// A gauge's scale laid out from the aircraft profile: round numbers in the
// unit the pilot reads, at the places the profile's scale puts them.

// The gauge as this aircraft's profile gives it, with the conversion from
// its engine unit into the unit shown.
struct ProfiledScale {
    GaugeProfile gauge;
    UnitConversion shown;
    Unit unit; // the unit shown

    double shownLow() const { return shown(gauge.min); }
    double shownHigh() const { return shown(gauge.max); }
    // Where a value in the engine unit lies along the scale, 0 at its
    // bottom, 1 at its top; beyond the ends outside 0..1.
    double fraction(double value) const { return (value - gauge.min) / (gauge.max - gauge.min); }
};

ProfiledScale profiledScale(const AircraftProfile& profile, Gauge gauge);

// One tank's gauge: from empty to that tank's capacity, with the fuel
// quantity markings.
ProfiledScale profiledTank(const AircraftProfile& profile, double tankGallons);

// Label and tick spacing for a scale of `length` pixels: 1, 2 or 5 times a
// power of ten, labels at least `labelPixels` apart, ticks between them at
// least `tickPixels` apart (a tick step that divides the label step).
struct ScaleSteps {
    double label = 1;
    double tick = 1;
};
ScaleSteps roundSteps(double span, double length, double labelPixels, double tickPixels);

// The multiples of `step` from `low` to `high`, ends included, in the shown unit.
std::vector<double> multiplesWithin(double step, double low, double high);

// A scale label for a multiple of `step`: "100", "-25", "2.5".
std::u16string scaleText(double value, double step);
// A red line's label: whole above 10, else one decimal at most ("3.5", "8").
std::u16string markText(double value);

// Every value the screen draws a profile's gauges from, folded into one
// number: two profiles drawn alike fold alike; a change of any value
// changes it (but for a collision of 64-bit hashes).
std::uint64_t profileFingerprint(const AircraftProfile& profile);

// Whether a readout of `value` (engine unit) reads white: within the
// gauge's white readout limits, or where it has none, inside its green
// (always, on a gauge without green).
bool readsWhite(const GaugeProfile& gauge, double value);

// The unit beside a readout, as the screen writes units: "°C", "LPH", "LTR".
std::u16string_view unitCaption(Unit unit);

// Whether the profile draws `gauge` as the instrument's own tables do: its
// markings and the unit shown are the instrument's own.
bool drawnAsBuilt(const AircraftProfile& profile, Gauge gauge);
