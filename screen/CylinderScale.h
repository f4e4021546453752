#pragma once

#include "aircraft/AircraftProfile.h"
#include "engine/Units.h"
#include "screen/ScreenTables.h"

#include <array>
#include <cstddef>
#include <string>

// A cylinder graph's scale as an aircraft's handbook marks it: round ticks
// in the unit the pilot reads, the end labels, and the green, yellow and red
// zones, in the graph's frame (y = 0 at the top of the scale, `height` at
// its bottom). Markings stay in the engine's unit; only what is read changes.

// From the engine's unit into the one shown, and back.
struct ShownUnit {
    Unit engine = Unit::degF;
    Unit shown = Unit::degF;

    // A value shown in the engine's own unit is left as it is, so that no
    // arithmetic touches today's readouts.
    double operator()(double value) const {
        return shown == engine ? value : conversionBetween(engine, shown)(value);
    }
    double inverse(double value) const {
        return shown == engine ? value : conversionBetween(engine, shown).inverse(value);
    }
};

// The scale's value at the top and at the bottom onto its height.
struct ScaleMap {
    double min = 0;
    double max = 1;
    float height = 92;

    double y(double value) const { return height - (value - min) * (1.0 / (max - min)) * height; }
};

// How a graph spaces and labels its ticks.
struct ScaleStyle {
    int intervals;       // about this many between the ends
    bool labelEveryTick; // otherwise the first and the last only
};

struct ScaleTick {
    float y = 0;
    std::u16string label; // empty: a tick without a label
};

struct ZoneBox {
    KitBrush brush = nullptr;
    float top = 0;
    float height = 0;
};

// Enough for a scale of any range (the step keeps the count near
// `intervals`) and for every range a profile may mark.
inline constexpr std::size_t maxScaleTicks = 16;
inline constexpr std::size_t maxZones = 3 * maxRangesPerColour;

struct ScaleFace {
    std::array<ScaleTick, maxScaleTicks> ticks{};
    std::size_t tickCount = 0;
    std::array<ZoneBox, maxZones> zones{}; // top to bottom, each drawn over the one above
    std::size_t zoneCount = 0;
};

// 1, 2 or 5 times a power of ten, the nearest to `step` by ratio.
double roundStep(double step);

ScaleFace scaleFace(const GaugeProfile& gauge, ShownUnit unit, ScaleStyle style, float height);
