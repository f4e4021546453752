#include "screen/CylinderScale.h"

#include "screen/Readouts.h"

#include <algorithm>
#include <cmath>

namespace {

struct Colour {
    Ranges GaugeProfile::*ranges;
    KitBrush brush;
};

// Later colours are drawn over earlier ones where a profile lets them touch.
constexpr Colour colours[] = {
    {.ranges = &GaugeProfile::green, .brush = &ScreenKit::greenBrush},
    {.ranges = &GaugeProfile::yellow, .brush = &ScreenKit::yellowBrush},
    {.ranges = &GaugeProfile::red, .brush = &ScreenKit::redBrush},
};
static_assert(std::size(colours) * maxRangesPerColour == maxZones);

struct Zone {
    double from;
    double to;
    KitBrush brush;
};

void addTicks(ScaleFace& face, const ScaleMap& map, ShownUnit unit, ScaleStyle style) {
    const double low = unit(map.min);
    const double high = unit(map.max);
    const double step = roundStep((high - low) / std::max(style.intervals, 1));
    if (!(step > 0) || !std::isfinite(step))
        return;
    const NumberFormat format{.width = 1, .precision = step < 1 ? 1 : 0, .truncated = false};
    // A tick a rounding error outside an end still stands on it.
    const double slack = step * 1e-6;
    const double first = std::ceil((low - slack) / step);
    for (double k = first; face.tickCount < maxScaleTicks && k * step <= high + slack; ++k) {
        const double shown = k * step;
        face.ticks[face.tickCount++] = {.y = float(map.y(unit.inverse(shown))),
                                        .label = formatReadout(shown, format)};
    }
    if (!style.labelEveryTick)
        for (std::size_t i = 1; i + 1 < face.tickCount; ++i)
            face.ticks[i].label.clear();
}

// Each zone reaches a pixel under its bottom where the next one starts
// there, so that the next, drawn over it, leaves no dark seam between them.
void addZones(ScaleFace& face, const GaugeProfile& gauge, const ScaleMap& map) {
    std::array<Zone, maxZones> zones{};
    std::size_t count = 0;
    for (const Colour& colour : colours)
        for (const ValueRange& range : gauge.*colour.ranges) {
            const double from = std::max(std::min(range.from, range.to), map.min);
            const double to = std::min(std::max(range.from, range.to), map.max);
            if (to > from && count < zones.size())
                zones[count++] = {.from = from, .to = to, .brush = colour.brush};
        }
    std::stable_sort(zones.begin(), zones.begin() + std::ptrdiff_t(count),
                     [](const Zone& a, const Zone& b) { return a.to > b.to; });
    for (std::size_t i = 0; i < count; ++i) {
        const Zone& zone = zones[i];
        const bool touchesNext = i + 1 < count && zones[i + 1].to >= zone.from;
        const float top = float(map.y(zone.to));
        const float bottom =
            std::min(float(map.y(zone.from)) + (touchesNext ? 1.0f : 0.0f), map.height);
        face.zones[face.zoneCount++] = {.brush = zone.brush, .top = top, .height = bottom - top};
    }
}

} // namespace

double roundStep(double step) {
    if (!(step > 0) || !std::isfinite(step))
        return 0;
    const double decade = std::pow(10.0, std::floor(std::log10(step)));
    double best = decade;
    for (const double mantissa : {1.0, 2.0, 5.0, 10.0})
        if (std::abs(std::log(mantissa * decade / step)) < std::abs(std::log(best / step)))
            best = mantissa * decade;
    return best;
}

ScaleFace scaleFace(const GaugeProfile& gauge, ShownUnit unit, ScaleStyle style, float height) {
    ScaleFace face;
    if (!(gauge.max > gauge.min))
        return face;
    const ScaleMap map{.min = gauge.min, .max = gauge.max, .height = height};
    addTicks(face, map, unit, style);
    addZones(face, gauge, map);
    return face;
}
