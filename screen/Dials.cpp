#include "screen/DialAnatomy.h"
#include "screen/DrawnFrom.h"
#include "screen/GaugeAnatomy.h"
#include "screen/ProfileScale.h"
#include "screen/ProfiledDial.h"
#include "screen/ReadoutStyle.h"
#include "screen/Readouts.h"
#include "screen/ScreenSections.h"

#include "engine/Engine.h"
#include "engine/TableChecks.h"
#include "gfx/DrawingScopes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

// Dial elements are drawn pointing straight up from the centre and rotated
// clockwise into place: 0 degrees is up, 90 right, 180 down.
constexpr double rpmAngle(double rpm) {
    return (rpm - 2400) * 0.01 * 21.25;
} // 21.25 per 100
constexpr double mapAngle(double inHg) {
    return (30 - inHg) * (1.0 / 15) * 170 + 95;
}

struct DialTick {
    float angle;
    bool major;
};

template <std::size_t count>
constexpr std::array<DialTick, count> dialTicks(int first, int step, int majorEvery,
                                                double (*angle)(double)) {
    std::array<DialTick, count> ticks{};
    for (std::size_t i = 0; i < count; ++i) {
        const int value = first + step * int(i);
        ticks[i] = {.angle = float(angle(value)), .major = value % majorEvery == 0};
    }
    return ticks;
}

// RPM 2000..2800 every 50, long every 100; MAP 16..29 inHg, long at 20 and 25.
constexpr auto rpmTicks = dialTicks<17>(2000, 50, 100, rpmAngle);
constexpr auto mapTicks = dialTicks<14>(16, 1, 5, mapAngle);
static_assert(rpmTicks.front().angle == -85 && rpmTicks[8].angle == 0 && rpmTicks[8].major);
static_assert(mapTicks[4].major && mapTicks[9].major && !mapTicks[0].major);

constexpr gfx::PointF dialCentre{.x = 200, .y = 140};
constexpr float shaftWidth = 15;
constexpr float shaftInner = -5;
constexpr float shaftOuter = -55;

struct DialArc {
    KitPen pen;
    float startAngle; // clockwise from the positive x axis
    float sweep;
};

constexpr TextBox rpmLabels[] = {
    {.text = u"2000", .x = -140, .y = -25, .width = 40, .height = 20, .alignment = Align::far},
    {.text = u"2100", .x = -130, .y = -60, .width = 40, .height = 20, .alignment = Align::far},
    {.text = u"2200", .x = -105, .y = -85, .width = 40, .height = 20, .alignment = Align::far},
    {.text = u"2300", .x = -75, .y = -105, .width = 40, .height = 20, .alignment = Align::far},
    {.text = u"2400", .x = -30, .y = -115, .width = 60, .height = 20, .alignment = Align::center},
    {.text = u"2500", .x = 35, .y = -105, .width = 40, .height = 20, .alignment = Align::near},
    {.text = u"2600", .x = 65, .y = -85, .width = 40, .height = 20, .alignment = Align::near},
    {.text = u"2700", .x = 90, .y = -60, .width = 40, .height = 20, .alignment = Align::near},
    {.text = u"2800", .x = 100, .y = -25, .width = 40, .height = 20, .alignment = Align::near},
};
constexpr TextBox mapLabels[] = {
    {.text = u"15", .x = -140, .y = 5, .width = 40, .height = 20, .alignment = Align::center},
    {.text = u"20", .x = -78, .y = 85, .width = 40, .height = 20, .alignment = Align::center},
    {.text = u"25", .x = 40, .y = 85, .width = 40, .height = 20, .alignment = Align::center},
    {.text = u"30", .x = 100, .y = 5, .width = 40, .height = 20, .alignment = Align::center},
};
static_assert(std::size(rpmLabels) == 9 && std::size(mapLabels) == 4);

// Later arcs cover earlier ones: the green runs on under the red.
constexpr DialArc rpmArcs[] = {
    {.pen = &ScreenKit::greenPen, .startAngle = 185, .sweep = 168},
    {.pen = &ScreenKit::yellowPen, .startAngle = 335, .sweep = 10},
    {.pen = &ScreenKit::redPen, .startAngle = 345, .sweep = 10},
};
constexpr DialArc mapArcs[] = {{.pen = &ScreenKit::greenPen, .startAngle = 5, .sweep = 170}};
static_assert(noNullPointers(rpmArcs, &DialArc::pen) && noNullPointers(mapArcs, &DialArc::pen));
constexpr float mapEndMarks[] = {95, 265}; // where 30 and 15 inHg lie

struct DialScale {
    Quantity quantity;
    Gauge gauge;
    DialSweep sweep; // where a profile's scale runs
    float EngineState::*value;
    float min;
    float max;
    double (*angle)(double);
    std::span<const DialTick> ticks;
    std::span<const TextBox> labels;
    std::span<const DialArc> arcs;
    std::span<const float> endMarks = {};
    TextBox caption;
    NumberFormat readout;
    gfx::RectF readoutBox;
};

// RPM and MAP, in drawing order.
constexpr std::size_t dialScaleCount = 2;
constexpr auto dialScales = std::to_array<DialScale>({
    {.quantity = Quantity::rpm,
     .gauge = Gauge::rpm,
     .sweep = {.bottom = -85, .top = 85},
     .value = &EngineState::rpm,
     .min = 2000,
     .max = 2800,
     .angle = rpmAngle,
     .ticks = rpmTicks,
     .labels = rpmLabels,
     .arcs = rpmArcs,
     .caption = {.text = u"RPM",
                 .x = -30,
                 .y = -70,
                 .width = 60,
                 .height = 20,
                 .alignment = Align::center},
     .readout = fixed4_0,
     .readoutBox = {.x = -50, .y = -50, .width = 100, .height = 40}},
    {.quantity = Quantity::manifoldPressure,
     .gauge = Gauge::manifoldPressure,
     .sweep = {.bottom = 265, .top = 95},
     .value = &EngineState::manifoldPressure,
     .min = 15,
     .max = 30,
     .angle = mapAngle,
     .ticks = mapTicks,
     .labels = mapLabels,
     .arcs = mapArcs,
     .endMarks = mapEndMarks,
     .caption =
         {.text = u"MAP", .x = -30, .y = 55, .width = 60, .height = 20, .alignment = Align::center},
     .readout = fixed3_1,
     .readoutBox = {.x = -50, .y = 20, .width = 100, .height = 40}},
});
static_assert(dialScales.size() == dialScaleCount);
static_assert(noNullPointers(dialScales, &DialScale::value, &DialScale::angle));

void drawArc(gfx::Graphics& graphics, ScreenKit& kit, const DialArc& arc) {
    gfx::Pen& pen = kit.*arc.pen;
    const gfx::WidenedPen widened(pen, arcWidth);
    graphics.drawArc(&pen, dialEllipse, arc.startAngle, arc.sweep);
}

void drawMarks(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
               const DialScale& scale) {
    if (!drawnAsBuilt(art.profile, scale.gauge)) {
        drawProfiledDialFace(graphics, kit, profiledScale(art.profile, scale.gauge), scale.sweep);
        return;
    }
    for (const DialTick& tick : scale.ticks)
        drawRadial(graphics, kit.whitePen, tick.angle, tick.major ? majorTick : minorTick);
    drawTextBoxes(graphics, kit, scale.labels, &ScreenKit::boldFont14, &ScreenKit::whiteBrush);
    for (const DialArc& arc : scale.arcs)
        drawArc(graphics, kit, arc);
    for (const float angle : scale.endMarks)
        drawRadial(graphics, kit.redPen, angle, endMark);
}

void drawNeedleShaft(gfx::Graphics& graphics, ScreenKit& kit, float needle) {
    const gfx::RotatedFrame turned(graphics, needle);
    const gfx::WidenedPen widened(kit.greyPen, shaftWidth);
    graphics.drawLine(&kit.greyPen, 0, shaftInner, 0, shaftOuter);
}

void drawNeedleTip(gfx::Graphics& graphics, ScreenKit& kit, float needle) {
    const gfx::RotatedFrame turned(graphics, needle);
    graphics.fillPath(&kit.whiteBrush, &kit.needlePath);
}

void drawCaption(gfx::Graphics& graphics, ScreenKit& kit, const DialScale& scale) {
    drawTextBoxes(graphics, kit, std::span(&scale.caption, 1), &ScreenKit::italicFont17,
                  &ScreenKit::whiteBrush);
}

// Inverse video fills the rows and columns the digits take.
constexpr gfx::RectF inverseInset{.x = 8, .y = 7, .width = -16, .height = -14};

void drawReadout(gfx::Graphics& graphics, ScreenKit& kit, const DialScale& scale,
                 std::u16string_view text, ReadoutStyle style) {
    const gfx::RectF box = scale.readoutBox;
    const gfx::SolidBrush& colour = kit.*readoutBrush(style.colour);
    if (style.inverse)
        graphics.fillRectangle(&colour, gfx::RectF{box.x + inverseInset.x, box.y + inverseInset.y,
                                                   box.width + inverseInset.width,
                                                   box.height + inverseInset.height});
    drawTextBox(text, box.x, box.y, box.width, box.height, &kit.boldFont32,
                style.inverse ? &kit.blackBrush : &colour, graphics, gfx::StringAlignment::center);
}

// The needle's angle for `value`, stopped at the scale's ends.
float needleAngle(const ScreenArt& art, const DialScale& scale, double value) {
    if (drawnAsBuilt(art.profile, scale.gauge))
        return float(scale.angle(clampToScale(value, scale.min, scale.max)));
    const ProfiledScale profiled = profiledScale(art.profile, scale.gauge);
    return float(profiledDialAngle(profiled, scale.sweep, value));
}

// The readout white, or red where the profile's readout limits say so.
ReadoutStyle styleOf(const ScreenArt& art, const EngineState& engine, const DialScale& scale) {
    const bool white = engine.lacks(scale.quantity) ||
                       readsWhite(art.profile.gauge(scale.gauge), engine.*scale.value);
    return readoutStyle(white, art.alarms.look(scale.quantity), art.alarms.flashInverse);
}

// Shaft under the caption, tip over it, readout on top of all. Without data
// there is no needle, and dashes for the readout.
void drawNeedleAndReadout(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                          const EngineState& engine, const DialScale& scale) {
    const ReadoutStyle style = styleOf(art, engine, scale);
    if (engine.lacks(scale.quantity)) {
        drawCaption(graphics, kit, scale);
        drawReadout(graphics, kit, scale, noDataReadout(scale.readout), style);
        return;
    }
    const double value = engine.*scale.value;
    const float needle = needleAngle(art, scale, value);
    drawNeedleShaft(graphics, kit, needle);
    drawCaption(graphics, kit, scale);
    drawNeedleTip(graphics, kit, needle);
    drawReadout(graphics, kit, scale, formatReadout(value, scale.readout), style);
}

// The needle, shaft and tip, in its own frame pointing up: a shaft's square
// ends stand out by half its width.
constexpr gfx::RectF needleBounds{.x = -shaftWidth / 2,
                                  .y = needleTriangle[1].y,
                                  .width = shaftWidth,
                                  .height = shaftInner + shaftWidth / 2 - needleTriangle[1].y};
static_assert(needleTriangle[0].x >= needleBounds.x && needleTriangle[2].x <= -needleBounds.x);

// The box round the needle turned `degrees` clockwise, on the screen.
gfx::RectF turnedNeedle(float degrees) {
    const double radians = double(degrees) * std::numbers::pi / 180;
    const double c = std::cos(radians);
    const double sine = std::sin(radians);
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    for (const float x : {needleBounds.x, needleBounds.x + needleBounds.width})
        for (const float y : {needleBounds.y, needleBounds.y + needleBounds.height}) {
            const double turnedX = x * c - y * sine;
            const double turnedY = x * sine + y * c;
            left = std::min(left, turnedX);
            right = std::max(right, turnedX);
            top = std::min(top, turnedY);
            bottom = std::max(bottom, turnedY);
        }
    return {float(dialCentre.x + left), float(dialCentre.y + top), float(right - left),
            float(bottom - top)};
}

} // namespace

// Each scale's needle and its readout (its digits may run past the box);
// the caption between shaft and tip never changes.
void dialCells(const ScreenArt& art, const EngineState& engine, std::size_t, MovingCells& cells) {
    for (const DialScale& scale : dialScales) {
        const bool lacking = engine.lacks(scale.quantity);
        const float needle = lacking ? 0 : needleAngle(art, scale, engine.*scale.value);
        CellFrom turned;
        turned << lacking << needle;
        cells.add(lacking ? gfx::RectF{} : turnedNeedle(needle), turned);
        const std::u16string text = lacking ? noDataReadout(scale.readout)
                                            : formatReadout(engine.*scale.value, scale.readout);
        CellFrom readout;
        readout << styleOf(art, engine, scale) << std::u16string_view(text);
        const gfx::RectF box = scale.readoutBox;
        cells.add(
            {dialCentre.x + box.x - 12, dialCentre.y + box.y - 2, box.width + 24, box.height + 4},
            readout);
    }
}

// Both faces before either needle: the RPM needle and readout keep to the
// upper half within the MAP scale's ticks (a tip ends 80 pixels out, above
// the level of the MAP end marks; a shaft 56 pixels out), and every MAP
// mark, label and arc keeps to the lower half, beyond 72 pixels, so drawing
// the RPM needle after the MAP face changes no pixel.
void drawDials(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
               const EngineState& engine, PartLayers layers) {
    const gfx::TranslatedFrame centred(graphics, dialCentre);
    // The dial draws in a nested state of its own, from its centre.
    const gfx::ContainerScope dial(graphics);
    setAntiAliased(graphics);
    if (layers != PartLayers::moving)
        for (const DialScale& scale : dialScales)
            drawMarks(graphics, kit, art, scale);
    if (layers != PartLayers::fixed)
        for (const DialScale& scale : dialScales)
            drawNeedleAndReadout(graphics, kit, art, engine, scale);
}

DrawnFrom dialInputs(const ScreenArt& art, const EngineState& engine) {
    DrawnFrom inputs;
    for (const DialScale& scale : dialScales)
        inputs << engine.*scale.value << engine.lacks(scale.quantity)
               << styleOf(art, engine, scale);
    return inputs;
}
