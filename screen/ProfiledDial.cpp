#include "screen/ProfiledDial.h"

#include "screen/DialAnatomy.h"
#include "screen/GaugeAnatomy.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

namespace {

// Along the arc at the ticks' outer ends: labels no closer than the
// instrument's own RPM labels, ticks far enough apart to tell.
constexpr double tickRadius = 92;
constexpr double labelPixels = 33;
constexpr double tickPixels = 8;
// A label's box sits just outside the end marks, its near edge towards the centre.
constexpr double labelRadius = 95;
constexpr float labelWidth = 44;
constexpr float labelHeight = 20;

struct ArcColour {
    const Ranges GaugeProfile::*ranges;
    KitPen pen;
};
// Later arcs cover earlier ones where they meet.
constexpr std::array<ArcColour, 3> arcColours = {{{&GaugeProfile::green, &ScreenKit::greenPen},
                                                  {&GaugeProfile::yellow, &ScreenKit::yellowPen},
                                                  {&GaugeProfile::red, &ScreenKit::redPen}}};

double angleOf(const ProfiledScale& scale, DialSweep sweep, double value) {
    return sweep.bottom + scale.fraction(value) * (sweep.top - sweep.bottom);
}

void drawLabel(gfx::Graphics& graphics, ScreenKit& kit, std::u16string_view text, double angle) {
    const double radians = angle * std::numbers::pi / 180;
    const double dx = std::sin(radians);
    const double dy = -std::cos(radians);
    const double x = dx * (labelRadius + labelWidth / 2 * std::fabs(dx));
    const double y = dy * (labelRadius + labelHeight / 2 * std::fabs(dy));
    drawTextBox(text, float(x) - labelWidth / 2, float(y) - labelHeight / 2, labelWidth,
                labelHeight, &kit.boldFont14, &kit.whiteBrush, graphics,
                gfx::StringAlignment::center);
}

void drawTicksAndLabels(gfx::Graphics& graphics, ScreenKit& kit, const ProfiledScale& scale,
                        DialSweep sweep) {
    const double low = scale.shownLow();
    const double high = scale.shownHigh();
    const double arc = tickRadius * std::fabs(sweep.top - sweep.bottom) * std::numbers::pi / 180;
    const ScaleSteps steps = roundSteps(high - low, arc, labelPixels, tickPixels);
    const auto angleAt = [&](double shown) {
        return float(angleOf(scale, sweep, scale.shown.inverse(shown)));
    };
    for (const double value : multiplesWithin(steps.tick, low, high)) {
        const double labels = value / steps.label;
        const bool major = std::fabs(labels - std::round(labels)) < 1e-6;
        drawRadial(graphics, kit.whitePen, angleAt(value), major ? majorTick : minorTick);
    }
    for (const double value : multiplesWithin(steps.label, low, high))
        drawLabel(graphics, kit, scaleText(value, steps.label), angleAt(value));
}

void drawArcs(gfx::Graphics& graphics, ScreenKit& kit, const ProfiledScale& scale,
              DialSweep sweep) {
    for (const ArcColour& colour : arcColours)
        for (const ValueRange& range : scale.gauge.*colour.ranges) {
            const double from = profiledDialAngle(scale, sweep, range.from);
            const double to = profiledDialAngle(scale, sweep, range.to);
            gfx::Pen& pen = kit.*colour.pen;
            const gfx::WidenedPen widened(pen, arcWidth);
            // Arcs start from the positive x axis, the dial's 90 degrees.
            graphics.drawArc(&pen, dialEllipse, float(std::min(from, to) - 90),
                             float(std::fabs(to - from)));
        }
}

} // namespace

double profiledDialAngle(const ProfiledScale& scale, DialSweep sweep, double value) {
    return angleOf(scale, sweep, clampToScale(value, scale.gauge.min, scale.gauge.max));
}

void drawProfiledDialFace(gfx::Graphics& graphics, ScreenKit& kit, const ProfiledScale& scale,
                          DialSweep sweep) {
    drawTicksAndLabels(graphics, kit, scale, sweep);
    drawArcs(graphics, kit, scale, sweep);
    for (const double line : scale.gauge.redLines)
        drawRadial(graphics, kit.redPen, float(profiledDialAngle(scale, sweep, line)), endMark);
}
