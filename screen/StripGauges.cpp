#include "alarms/AlarmMessage.h"
#include "screen/DrawnFrom.h"
#include "screen/GaugeAnatomy.h"
#include "screen/ProfiledStrip.h"
#include "screen/ReadoutStyle.h"
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
    Gauge gauge; // its scale and markings in a profile
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
     .gauge = Gauge::oilTemperature,
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
     .gauge = Gauge::oilPressure,
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
     .gauge = Gauge::fuelPressure,
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
     .gauge = Gauge::volts,
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
     .gauge = Gauge::amps,
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
     .gauge = Gauge::oat,
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
     .gauge = Gauge::fuelFlow,
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

double gaugeValue(const EngineState& engine, const StripGauge& gauge) {
    const double value = double(engine.*gauge.field) * gauge.factor + gauge.offset;
    return gauge.negativeAsZero && value < 0 ? 0.0 : value;
}

// What the readout shows: its text, white or red, and its unit.
struct Readout {
    std::u16string text;
    bool white = true;
    std::u16string_view unit;
};

// Integer readouts are judged by the number shown; the pointer takes the real value.
Readout asBuiltReadout(double value, const StripGauge& gauge) {
    const double shown = gauge.format.truncated ? readoutInteger(value, gauge.min) : value;
    return {.text = formatReadout(value, gauge.format, gauge.min),
            .white = inWhiteRange(shown, gauge.white),
            .unit = gauge.unit};
}

Readout profiledReadout(double value, const StripGauge& gauge, const ProfiledScale& scale) {
    const double shown = scale.shown(value);
    const double bottom = scale.shownLow();
    const double judged =
        gauge.format.truncated ? scale.shown.inverse(readoutInteger(shown, bottom)) : value;
    return {.text = formatReadout(shown, fittingFormat(gauge.format, shown), bottom),
            .white = readsWhite(scale.gauge, judged),
            .unit = unitCaption(scale.unit)};
}

Readout readoutOf(const ScreenArt& art, const EngineState& engine, const StripGauge& gauge) {
    const bool asBuilt = drawnAsBuilt(art.profile, gauge.gauge);
    if (engine.lacks(gauge.quantity))
        return {.text = noDataReadout(gauge.format),
                .unit = asBuilt ? gauge.unit : unitCaption(displayUnit(gauge.gauge, art.profile))};
    const double value = gaugeValue(engine, gauge);
    return asBuilt ? asBuiltReadout(value, gauge)
                   : profiledReadout(value, gauge, profiledScale(art.profile, gauge.gauge));
}

// Where the pointer's tip is drawn; none without data.
std::optional<float> pointerOf(const ScreenArt& art, const EngineState& engine,
                               const StripGauge& gauge) {
    if (engine.lacks(gauge.quantity))
        return std::nullopt;
    const double value = gaugeValue(engine, gauge);
    if (!drawnAsBuilt(art.profile, gauge.gauge))
        return profiledPointerY(profiledScale(art.profile, gauge.gauge), value);
    return stripPointerY(clampToScale(value, gauge.min, gauge.max), gauge.min, gauge.max);
}

void drawFace(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
              const StripGauge& gauge) {
    drawGaugeTitle(graphics, kit, gauge.title);
    if (!drawnAsBuilt(art.profile, gauge.gauge)) {
        drawProfiledStripFace(graphics, kit, profiledScale(art.profile, gauge.gauge));
        return;
    }
    drawStrip(graphics, kit.*gauge.base);
    drawZone(graphics, kit.*gauge.zone.colour, gauge.zone.top, gauge.zone.height);
    drawStripScale(graphics, kit, gauge.ticks, gauge.labels);
    drawStripLimits(graphics, kit, gauge.limitLines, gauge.limitLabels);
}

// Title, strip, zone, scale and limits first, the same every tick; then the
// pointer. The readout beneath is a part of its own.
void drawGauge(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
               const EngineState& engine, const StripGauge& gauge, PartLayers layers) {
    const gfx::TranslatedFrame frame(graphics, gauge.origin);
    if (layers != PartLayers::moving)
        drawFace(graphics, kit, art, gauge);
    if (layers == PartLayers::fixed)
        return;
    if (const std::optional<float> pointerY = pointerOf(art, engine, gauge))
        drawStripPointer(graphics, kit, *pointerY);
}

ReadoutStyle styleOf(const ScreenArt& art, const StripGauge& gauge, const Readout& readout) {
    return readoutStyle(readout.white, art.alarms.look(gauge.quantity), art.alarms.flashInverse);
}

} // namespace

void drawStripGauge(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                    const EngineState& engine, std::size_t gauge, PartLayers layers) {
    drawGauge(graphics, kit, art, engine, stripGauges[gauge], layers);
}

void drawStripGaugeReadout(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                           const EngineState& engine, std::size_t gauge) {
    const StripGauge& shown = stripGauges[gauge];
    const gfx::TranslatedFrame frame(graphics, shown.origin);
    const Readout readout = readoutOf(art, engine, shown);
    const ReadoutStyle style = styleOf(art, shown, readout);
    const gfx::SolidBrush& colour = kit.*readoutBrush(style.colour);
    if (style.inverse)
        drawInverseStripReadout(graphics, kit, readout.text, readout.unit, colour);
    else
        drawStripReadout(graphics, kit, readout.text, readout.unit, colour);
}

// The pointer is drawn from its tip's place alone, so a reading that moves
// by less than a float's step there draws nothing again.
DrawnFrom stripGaugeInputs(const ScreenArt& art, const EngineState& engine, std::size_t gauge) {
    DrawnFrom inputs;
    inputs << pointerOf(art, engine, stripGauges[gauge])
                  .value_or(std::numeric_limits<float>::quiet_NaN())
           << engine.lacks(stripGauges[gauge].quantity);
    return inputs;
}

void stripGaugeCells(const ScreenArt& art, const EngineState& engine, std::size_t gauge,
                     MovingCells& cells) {
    const StripGauge& shown = stripGauges[gauge];
    addStripPointerCell(cells, shown.origin, pointerOf(art, engine, shown));
}

// The unit follows the profile, which a change of rebuilds the whole frame.
DrawnFrom stripReadoutInputs(const ScreenArt& art, const EngineState& engine, std::size_t gauge) {
    const Readout readout = readoutOf(art, engine, stripGauges[gauge]);
    DrawnFrom inputs;
    inputs << styleOf(art, stripGauges[gauge], readout) << std::u16string_view(readout.text);
    return inputs;
}
