#include "screen/GaugeAnatomy.h"
#include "screen/Readouts.h"
#include "screen/ScreenSections.h"

#include "engine/Engine.h"

#include <array>

namespace {

// `count` ticks evenly spaced from the top of the strip, every `majorEvery`-th long.
template <std::size_t count>
constexpr std::array<TickMark, count> evenTicks(std::size_t majorEvery) {
    std::array<TickMark, count> ticks{};
    for (std::size_t i = 0; i < count; ++i)
        ticks[i] = {stripScaleLength * float(i) / float(count - 1), i % majorEvery == 0};
    return ticks;
}

struct Zone {
    KitBrush colour;
    float top;
    float height;
};

// One strip gauge: the engine value it shows (as factor x field + offset) on
// a scale from min to max, its colours, marks and readout rule.
struct StripGauge {
    std::u16string_view title;
    gfx::PointF origin;
    float EngineState::*field;
    double factor;
    double offset;
    bool negativeAsZero; // fuel pressure never reads below 0
    float min;
    float max;
    std::u16string_view unit;
    KitBrush base;
    Zone zone;
    std::span<const TickMark> ticks;
    std::span<const ScaleLabel> labels;
    std::span<const float> limitLines;
    std::span<const ScaleLabel> limitLabels;
    NumberFormat format;
    WhiteRange white;
};

constexpr auto sevenTicks = evenTicks<7>(2);   // 4 long, 3 short
constexpr auto sixTicks = evenTicks<6>(1);     // all long
constexpr auto fiveTicks = evenTicks<5>(1);    // all long
constexpr auto elevenTicks = evenTicks<11>(5); // 3 long, 8 short
constexpr auto twentyOneTicks = evenTicks<21>(5);
static_assert(sevenTicks[1].y == 12.5f && !sevenTicks[1].major && sevenTicks[6].y == 75);
static_assert(elevenTicks[5].y == 37.5f && elevenTicks[5].major);
static_assert(twentyOneTicks[1].y == 3.75f && twentyOneTicks[15].major);

constexpr ScaleLabel oilTempLabels[] = {{u"300", 0}, {u"200", 25}, {u"100", 50}, {u"0", 75}};
constexpr ScaleLabel oilPressureLabels[] = {{u"125", 0}, {u"100", 15}, {u"75", 30},
                                            {u"50", 45}, {u"25", 60},  {u"0", 75}};
constexpr ScaleLabel fuelPressureLabels[] = {{u"20", 0}, {u"10", 37.5f}, {u"0", 75}};
constexpr ScaleLabel voltsLabels[] = {{u"16", 0}, {u"14", 25}, {u"12", 50}, {u"10", 75}};
constexpr ScaleLabel ampsLabels[] = {
    {u"50", 0}, {u"25", 18.75f}, {u"0", 37.5f}, {u"-25", 56.25f}, {u"-50", 75}};
constexpr ScaleLabel oatLabels[] = {{u"100", 0}, {u"75", 15}, {u"50", 30},
                                    {u"25", 45}, {u"0", 60},  {u"-25", 75}};
constexpr ScaleLabel fuelFlowLabels[] = {
    {u"20", 0}, {u"15", 18.75f}, {u"10", 37.5f}, {u"5", 56.25f}, {u"0", 75}};

constexpr float oilTempLimits[] = {18.75f, 52.5f};
constexpr ScaleLabel oilTempLimitLabels[] = {{u"225", 18.75f}, {u"90", 52.5f}};
constexpr float oilPressureLimits[] = {15, 66};
constexpr ScaleLabel oilPressureLimitLabels[] = {{u"100", 15}, {u"15", 66}};
constexpr float fuelPressureLimits[] = {0, 45};
constexpr ScaleLabel fuelPressureLimitLabels[] = {{u"20", 0}, {u"8", 45}};
constexpr float voltsLimits[] = {0, 62.5f};
constexpr ScaleLabel voltsLimitLabels[] = {{u"16", 0}, {u"11", 62.5f}};
constexpr float ampsLimits[] = {0, 37.5f};
constexpr ScaleLabel ampsLimitLabels[] = {{u"50", 0}, {u"0", 37.5f}};
constexpr float fuelFlowLimits[] = {61.875f};
constexpr ScaleLabel fuelFlowLimitLabels[] = {{u"3.5", 61.875f}};

constexpr std::u16string_view degreesF = u"\u00B0F";

// Drawing order: top row OIL-T, OIL-P, FUEL-P; middle row VOLTS, AMPS, OAT; then FF.
constexpr std::array<StripGauge, 7> stripGauges{{
    {u"OIL-T",
     {400, 40},
     &EngineState::oilTemp,
     1,
     0,
     false,
     0,
     300,
     degreesF,
     &ScreenKit::redBrush,
     {&ScreenKit::greenBrush, 18.75f, 33.75f},
     sevenTicks,
     oilTempLabels,
     oilTempLimits,
     oilTempLimitLabels,
     integer3,
     {Limit::exclusive, 90, Limit::exclusive, 220}},
    {u"OIL-P",
     {495, 40},
     &EngineState::oilPressure,
     1,
     0,
     false,
     0,
     125,
     u"PSI",
     &ScreenKit::redBrush,
     {&ScreenKit::greenBrush, 15, 51},
     sixTicks,
     oilPressureLabels,
     oilPressureLimits,
     oilPressureLimitLabels,
     integer3,
     {Limit::inclusive, 15, Limit::exclusive, 100}},
    {u"FUEL-P",
     {590, 40},
     &EngineState::fuelPressure,
     1,
     0,
     true,
     0,
     20,
     u"PSI",
     &ScreenKit::redBrush,
     {&ScreenKit::greenBrush, 0, 45},
     elevenTicks,
     fuelPressureLabels,
     fuelPressureLimits,
     fuelPressureLimitLabels,
     fixed4_1,
     {Limit::exclusive, 8, Limit::exclusive, 20}},
    {u"VOLTS",
     {400, 190},
     &EngineState::volts,
     1,
     0,
     false,
     10,
     16,
     u"VDC",
     &ScreenKit::redBrush,
     {&ScreenKit::greenBrush, 0, 62.5f},
     sevenTicks,
     voltsLabels,
     voltsLimits,
     voltsLimitLabels,
     fixed4_1,
     {Limit::exclusive, 11, Limit::exclusive, 16}},
    {u"AMPS",
     {495, 190},
     &EngineState::amps,
     1,
     0,
     false,
     -50,
     50,
     u"AMP",
     &ScreenKit::redBrush,
     {&ScreenKit::greenBrush, 0, 37.5f},
     fiveTicks,
     ampsLabels,
     ampsLimits,
     ampsLimitLabels,
     fixed3_0,
     {Limit::inclusive, 0, Limit::inclusive, 50}},
    // Outside air in degrees C, shown in degrees F; the red band marks icing, 26..35 F.
    {u"OAT",
     {590, 190},
     &EngineState::oat,
     1.8,
     32,
     false,
     -25,
     100,
     degreesF,
     &ScreenKit::greenBrush,
     {&ScreenKit::redBrush, 39, 5.4f},
     sixTicks,
     oatLabels,
     {},
     {},
     fixed3_0,
     {Limit::none, 0, Limit::none, 0}},
    {u"FF",
     {400, 350},
     &EngineState::fuelFlow,
     1,
     0,
     false,
     0,
     20,
     u"GPH",
     &ScreenKit::redBrush,
     {&ScreenKit::greenBrush, 0, 61.875f},
     twentyOneTicks,
     fuelFlowLabels,
     fuelFlowLimits,
     fuelFlowLimitLabels,
     fixed4_1,
     {Limit::inclusive, 3.5, Limit::none, 0}},
}};
static_assert(stripGauges.size() == 7);

constexpr float limitLineLeft = -7;
constexpr float limitLineRight = 19;
constexpr gfx::RectF limitLabelBox{20, -8, 35, 17}; // y relative to the limit

double gaugeValue(const StripGauge& gauge) {
    const double value = double(engineState.*gauge.field) * gauge.factor + gauge.offset;
    return gauge.negativeAsZero && value < 0 ? 0.0 : value;
}

void drawZoneLimits(gfx::Graphics& graphics, ScreenKit& kit, const StripGauge& gauge) {
    for (const float y : gauge.limitLines)
        graphics.drawLine(&kit.redPen, limitLineLeft, y, limitLineRight, y);
    for (const ScaleLabel& label : gauge.limitLabels)
        drawTextBox(label.text, limitLabelBox.x, label.y + limitLabelBox.y, limitLabelBox.width,
                    limitLabelBox.height, &kit.boldFont14, &kit.redBrush, graphics,
                    gfx::StringAlignment::near);
}

void drawStripGauge(gfx::Graphics& graphics, ScreenKit& kit, const StripGauge& gauge) {
    graphics.translateTransform(gauge.origin.x, gauge.origin.y);
    drawGaugeTitle(graphics, kit, gauge.title);
    drawStrip(graphics, kit.*gauge.base);
    drawZone(graphics, kit.*gauge.zone.colour, gauge.zone.top, gauge.zone.height);
    drawStripScale(graphics, kit, gauge.ticks, gauge.labels);
    drawZoneLimits(graphics, kit, gauge);

    // Integer readouts are judged by the number shown; the pointer takes the real value.
    const double value = gaugeValue(gauge);
    const double shown = gauge.format.truncated ? readoutInteger(value, gauge.min) : value;
    const gfx::SolidBrush& colour =
        inWhiteRange(shown, gauge.white) ? kit.whiteBrush : kit.redBrush;
    drawStripReadout(graphics, kit, formatReadout(value, gauge.format, gauge.min), gauge.unit,
                     colour);
    drawStripPointer(
        graphics, kit,
        stripPointerY(clampToScale(value, gauge.min, gauge.max), gauge.min, gauge.max));
    graphics.resetTransform();
}

} // namespace

void drawStripGauges(gfx::Graphics& graphics, ScreenKit& kit) {
    for (const StripGauge& gauge : stripGauges)
        drawStripGauge(graphics, kit, gauge);
}
