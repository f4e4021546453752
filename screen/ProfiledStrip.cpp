#include "screen/ProfiledStrip.h"

#include "screen/GaugeAnatomy.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

// Labels no closer than the scale labels of today's busiest strip, ticks
// far enough apart to tell.
constexpr double labelPixels = 15;
constexpr double tickPixels = 3.5;
// A red line's value is left out where it would overprint the one above.
constexpr float markLabelSpacing = 13;
// Stretches of the scale no range covers.
constexpr gfx::Argb unmarkedColour = 0xFF505050;
constexpr float stripBottom = stripScaleLength + 1; // the strip is a pixel longer

struct Band {
    const Ranges GaugeProfile::*ranges;
    KitBrush colour;
};
// Later bands cover earlier ones where they meet.
constexpr std::array<Band, 3> bands = {{{&GaugeProfile::green, &ScreenKit::greenBrush},
                                        {&GaugeProfile::yellow, &ScreenKit::yellowBrush},
                                        {&GaugeProfile::red, &ScreenKit::redBrush}}};

float yOf(const ProfiledScale& scale, double value) {
    return stripScaleLength - float(scale.fraction(value)) * stripScaleLength;
}

void drawBands(gfx::Graphics& graphics, ScreenKit& kit, const ProfiledScale& scale) {
    drawStrip(graphics, gfx::SolidBrush(unmarkedColour));
    for (const Band& band : bands)
        for (const ValueRange& range : scale.gauge.*band.ranges) {
            const float top = std::clamp(yOf(scale, range.to), 0.0f, stripScaleLength);
            float bottom = std::clamp(yOf(scale, range.from), 0.0f, stripScaleLength);
            if (bottom == stripScaleLength)
                bottom = stripBottom;
            if (bottom > top)
                drawZone(graphics, kit.*band.colour, top, bottom - top);
        }
}

void drawScale(gfx::Graphics& graphics, ScreenKit& kit, const ProfiledScale& scale) {
    const double low = scale.shownLow();
    const double high = scale.shownHigh();
    const ScaleSteps steps = roundSteps(high - low, stripScaleLength, labelPixels, tickPixels);
    std::vector<TickMark> ticks;
    for (const double value : multiplesWithin(steps.tick, low, high)) {
        const double labels = value / steps.label;
        ticks.push_back({.y = stripY(float(value), float(low), float(high)),
                         .major = std::fabs(labels - std::round(labels)) < 1e-6});
    }
    std::vector<std::u16string> texts;
    std::vector<ScaleLabel> labels;
    const std::vector<double> labelled = multiplesWithin(steps.label, low, high);
    texts.reserve(labelled.size());
    for (const double value : labelled) {
        texts.push_back(scaleText(value, steps.label));
        labels.push_back(
            {.text = texts.back(), .y = stripY(float(value), float(low), float(high))});
    }
    drawStripScale(graphics, kit, ticks, labels);
}

void drawRedLines(gfx::Graphics& graphics, ScreenKit& kit, const ProfiledScale& scale) {
    std::vector<float> lines;
    std::vector<std::u16string> texts;
    std::vector<ScaleLabel> labels;
    texts.reserve(scale.gauge.redLines.size());
    for (const double line : scale.gauge.redLines) {
        if (line < scale.gauge.min || line > scale.gauge.max)
            continue; // past a tank's own capacity
        const float y = yOf(scale, line);
        lines.push_back(y);
        const bool crowded = std::any_of(labels.begin(), labels.end(), [y](const ScaleLabel& l) {
            return std::fabs(l.y - y) < markLabelSpacing;
        });
        if (crowded)
            continue;
        texts.push_back(markText(scale.shown(line)));
        labels.push_back({.text = texts.back(), .y = y});
    }
    drawStripLimits(graphics, kit, lines, labels);
}

} // namespace

void drawProfiledStripFace(gfx::Graphics& graphics, ScreenKit& kit, const ProfiledScale& scale) {
    drawBands(graphics, kit, scale);
    drawScale(graphics, kit, scale);
    drawRedLines(graphics, kit, scale);
}

float profiledPointerY(const ProfiledScale& scale, double value) {
    const GaugeProfile& gauge = scale.gauge;
    if (!(gauge.max > gauge.min))
        return value > gauge.min ? 0.0f : stripScaleLength;
    return stripPointerY(clampToScale(value, gauge.min, gauge.max), float(gauge.min),
                         float(gauge.max));
}
