#include "screen/DrawnFrom.h"
#include "screen/GaugeAnatomy.h"
#include "screen/Readouts.h"
#include "screen/ScreenSections.h"

#include "engine/Engine.h"
#include "engine/TableChecks.h"
#include "gfx/DrawingScopes.h"

#include <array>
#include <limits>
#include <optional>
#include <string>

namespace {

// `count` ticks evenly spaced from the top of the strip, every `majorEvery`-th long.
template <std::size_t count>
constexpr std::array<TickMark, count> evenTicks(std::size_t majorEvery) {
    std::array<TickMark, count> ticks{};
    for (std::size_t i = 0; i < count; ++i)
        ticks[i] = {.y = stripScaleLength * float(i) / float(count - 1),
                    .major = i % majorEvery == 0};
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
    Quantity quantity; // as a log or a simulator reports it
    float EngineState::*field;
    double factor = 1;
    double offset = 0;
    bool negativeAsZero = false; // fuel pressure never reads below 0
    float min;
    float max;
    std::u16string_view unit;
    KitBrush base;
    Zone zone;
    std::span<const TickMark> ticks;
    std::span<const ScaleLabel> labels;
    std::span<const float> limitLines = {};
    std::span<const ScaleLabel> limitLabels = {};
    NumberFormat format;
    WhiteRange white = {}; // none: always white
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
constexpr auto stripGauges = std::to_array<StripGauge>({
    {.title = u"OIL-T",
     .origin = {.x = 400, .y = 40},
     .quantity = Quantity::oilTemp,
     .field = &EngineState::oilTemp,
     .min = 0,
     .max = 300,
     .unit = degreesF,
     .base = &ScreenKit::redBrush,
     .zone = {.colour = &ScreenKit::greenBrush, .top = 18.75f, .height = 33.75f},
     .ticks = sevenTicks,
     .labels = oilTempLabels,
     .limitLines = oilTempLimits,
     .limitLabels = oilTempLimitLabels,
     .format = integer3,
     .white =
         {.lowerLimit = Limit::exclusive, .low = 90, .upperLimit = Limit::exclusive, .high = 220}},
    {.title = u"OIL-P",
     .origin = {.x = 495, .y = 40},
     .quantity = Quantity::oilPressure,
     .field = &EngineState::oilPressure,
     .min = 0,
     .max = 125,
     .unit = u"PSI",
     .base = &ScreenKit::redBrush,
     .zone = {.colour = &ScreenKit::greenBrush, .top = 15, .height = 51},
     .ticks = sixTicks,
     .labels = oilPressureLabels,
     .limitLines = oilPressureLimits,
     .limitLabels = oilPressureLimitLabels,
     .format = integer3,
     .white =
         {.lowerLimit = Limit::inclusive, .low = 15, .upperLimit = Limit::exclusive, .high = 100}},
    {.title = u"FUEL-P",
     .origin = {.x = 590, .y = 40},
     .quantity = Quantity::fuelPressure,
     .field = &EngineState::fuelPressure,
     .negativeAsZero = true,
     .min = 0,
     .max = 20,
     .unit = u"PSI",
     .base = &ScreenKit::redBrush,
     .zone = {.colour = &ScreenKit::greenBrush, .top = 0, .height = 45},
     .ticks = elevenTicks,
     .labels = fuelPressureLabels,
     .limitLines = fuelPressureLimits,
     .limitLabels = fuelPressureLimitLabels,
     .format = fixed4_1,
     .white =
         {.lowerLimit = Limit::exclusive, .low = 8, .upperLimit = Limit::exclusive, .high = 20}},
    {.title = u"VOLTS",
     .origin = {.x = 400, .y = 190},
     .quantity = Quantity::volts,
     .field = &EngineState::volts,
     .min = 10,
     .max = 16,
     .unit = u"VDC",
     .base = &ScreenKit::redBrush,
     .zone = {.colour = &ScreenKit::greenBrush, .top = 0, .height = 62.5f},
     .ticks = sevenTicks,
     .labels = voltsLabels,
     .limitLines = voltsLimits,
     .limitLabels = voltsLimitLabels,
     .format = fixed4_1,
     .white =
         {.lowerLimit = Limit::exclusive, .low = 11, .upperLimit = Limit::exclusive, .high = 16}},
    {.title = u"AMPS",
     .origin = {.x = 495, .y = 190},
     .quantity = Quantity::amps,
     .field = &EngineState::amps,
     .min = -50,
     .max = 50,
     .unit = u"AMP",
     .base = &ScreenKit::redBrush,
     .zone = {.colour = &ScreenKit::greenBrush, .top = 0, .height = 37.5f},
     .ticks = fiveTicks,
     .labels = ampsLabels,
     .limitLines = ampsLimits,
     .limitLabels = ampsLimitLabels,
     .format = fixed3_0,
     .white =
         {.lowerLimit = Limit::inclusive, .low = 0, .upperLimit = Limit::inclusive, .high = 50}},
    // Outside air in degrees C, shown in degrees F; the red band marks icing,
    // 26..35 F. No limits: the readout is always white.
    {.title = u"OAT",
     .origin = {.x = 590, .y = 190},
     .quantity = Quantity::oat,
     .field = &EngineState::oat,
     .factor = 1.8,
     .offset = 32,
     .min = -25,
     .max = 100,
     .unit = degreesF,
     .base = &ScreenKit::greenBrush,
     .zone = {.colour = &ScreenKit::redBrush, .top = 39, .height = 5.4f},
     .ticks = sixTicks,
     .labels = oatLabels,
     .format = fixed3_0},
    {.title = u"FF",
     .origin = {.x = 400, .y = 350},
     .quantity = Quantity::fuelFlow,
     .field = &EngineState::fuelFlow,
     .min = 0,
     .max = 20,
     .unit = u"GPH",
     .base = &ScreenKit::redBrush,
     .zone = {.colour = &ScreenKit::greenBrush, .top = 0, .height = 61.875f},
     .ticks = twentyOneTicks,
     .labels = fuelFlowLabels,
     .limitLines = fuelFlowLimits,
     .limitLabels = fuelFlowLimitLabels,
     .format = fixed4_1,
     .white = {.lowerLimit = Limit::inclusive, .low = 3.5}},
});
static_assert(stripGauges.size() == stripGaugeCount);
static_assert(noNullPointers(stripGauges, &StripGauge::field, &StripGauge::base,
                             [](const StripGauge& gauge) { return gauge.zone.colour; }));

constexpr float limitLineLeft = -7;
constexpr float limitLineRight = 19;
// y relative to the limit
constexpr gfx::RectF limitLabelBox{.x = 20, .y = -8, .width = 35, .height = 17};

double gaugeValue(const EngineState& engine, const StripGauge& gauge) {
    const double value = double(engine.*gauge.field) * gauge.factor + gauge.offset;
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

// What the readout shows: its text, white or red.
struct Readout {
    std::u16string text;
    bool white = true;
};

Readout readoutOf(const EngineState& engine, const StripGauge& gauge) {
    if (engine.lacks(gauge.quantity))
        return {.text = noDataReadout(gauge.format)};
    // Integer readouts are judged by the number shown; the pointer takes the real value.
    const double value = gaugeValue(engine, gauge);
    const double shown = gauge.format.truncated ? readoutInteger(value, gauge.min) : value;
    return {.text = formatReadout(value, gauge.format, gauge.min),
            .white = inWhiteRange(shown, gauge.white)};
}

// Where the pointer's tip is drawn; none without data.
std::optional<float> pointerOf(const EngineState& engine, const StripGauge& gauge) {
    if (engine.lacks(gauge.quantity))
        return std::nullopt;
    return stripPointerY(clampToScale(gaugeValue(engine, gauge), gauge.min, gauge.max), gauge.min,
                         gauge.max);
}

// Title, strip, zone, scale and limits first, the same every tick; then the
// pointer. The readout beneath is a part of its own.
void drawGauge(gfx::Graphics& graphics, ScreenKit& kit, const EngineState& engine,
               const StripGauge& gauge, PartLayers layers) {
    const gfx::TranslatedFrame frame(graphics, gauge.origin);
    if (layers != PartLayers::moving) {
        drawGaugeTitle(graphics, kit, gauge.title);
        drawStrip(graphics, kit.*gauge.base);
        drawZone(graphics, kit.*gauge.zone.colour, gauge.zone.top, gauge.zone.height);
        drawStripScale(graphics, kit, gauge.ticks, gauge.labels);
        drawZoneLimits(graphics, kit, gauge);
    }
    if (layers == PartLayers::fixed)
        return;
    if (const std::optional<float> pointerY = pointerOf(engine, gauge))
        drawStripPointer(graphics, kit, *pointerY);
}

} // namespace

void drawStripGauge(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt&,
                    const EngineState& engine, std::size_t gauge, PartLayers layers) {
    drawGauge(graphics, kit, engine, stripGauges[gauge], layers);
}

void drawStripGaugeReadout(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt&,
                           const EngineState& engine, std::size_t gauge) {
    const StripGauge& shown = stripGauges[gauge];
    const gfx::TranslatedFrame frame(graphics, shown.origin);
    const Readout readout = readoutOf(engine, shown);
    drawStripReadout(graphics, kit, readout.text, shown.unit,
                     readout.white ? kit.whiteBrush : kit.redBrush);
}

// The pointer is drawn from its tip's place alone, so a reading that moves
// by less than a float's step there draws nothing again.
DrawnFrom stripGaugeInputs(const ScreenArt&, const EngineState& engine, std::size_t gauge) {
    DrawnFrom inputs;
    inputs
        << pointerOf(engine, stripGauges[gauge]).value_or(std::numeric_limits<float>::quiet_NaN())
        << engine.lacks(stripGauges[gauge].quantity);
    return inputs;
}

DrawnFrom stripReadoutInputs(const ScreenArt&, const EngineState& engine, std::size_t gauge) {
    const Readout readout = readoutOf(engine, stripGauges[gauge]);
    DrawnFrom inputs;
    inputs << readout.white << std::u16string_view(readout.text);
    return inputs;
}
