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

// Both tanks read from empty (E, bottom) to full (F, top) as a percentage of capacity.
struct FuelGauge {
    std::u16string_view title;
    gfx::PointF origin;
    Quantity reported;            // the tank as a log or a simulator reports it
    float EngineState::*quantity; // gallons
    float EngineState::*capacity; // gallons at the F mark
};

constexpr auto fuelGauges = std::to_array<FuelGauge>({
    {.title = u"LEFT",
     .origin = {.x = 495, .y = 350},
     .reported = Quantity::leftFuel,
     .quantity = &EngineState::leftFuel,
     .capacity = &EngineState::leftCapacity},
    {.title = u"RIGHT",
     .origin = {.x = 590, .y = 350},
     .reported = Quantity::rightFuel,
     .quantity = &EngineState::rightFuel,
     .capacity = &EngineState::rightCapacity},
});
static_assert(fuelGauges.size() == fuelGaugeCount);
static_assert(noNullPointers(fuelGauges, &FuelGauge::quantity, &FuelGauge::capacity));

constexpr std::size_t fuelMarkCount = 5; // E, 1/4, 1/2, 3/4, F
constexpr TickMark fuelTicks[] = {{.y = 0, .major = true},
                                  {.y = 18.75f, .major = true},
                                  {.y = 37.5f, .major = true},
                                  {.y = 56.25f, .major = true},
                                  {.y = 75, .major = true}};
constexpr ScaleLabel fuelLabels[] = {
    {u"F", 0}, {u"3/4", 18.75f}, {u"1/2", 37.5f}, {u"1/4", 56.25f}, {u"E", 75}};
static_assert(std::size(fuelTicks) == fuelMarkCount && std::size(fuelLabels) == fuelMarkCount);

// The rule runs past the screen's right edge, where the screen clip cuts it.
constexpr float ruleY = 325;
constexpr float ruleLeft = 456;
constexpr float ruleRight = 637;
constexpr float ruleWidth = 2;
constexpr gfx::PointF headingPoint{.x = 503, .y = 308};

// How full a tank is, in percent; may lie outside 0..100 or be no number.
double fillPercent(double quantity, double capacity) {
    // A tank of no capacity reads full with fuel in it and empty without, as
    // the division would give, without dividing by zero.
    if (capacity == 0)
        return quantity > 0 ? 100.0 : 0.0;
    return quantity / capacity * 100.0;
}

void drawRule(gfx::Graphics& graphics, ScreenKit& kit) {
    const gfx::WidenedPen rule(kit.whitePen, ruleWidth);
    graphics.drawLine(&kit.whitePen, ruleLeft, ruleY, ruleRight, ruleY);
}

} // namespace

void drawFuelHeading(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt&) {
    drawRule(graphics, kit);
    graphics.drawString(u"FUEL QTY", &kit.boldFont14, {headingPoint.x, headingPoint.y, 0, 0},
                        nullptr, &kit.whiteBrush);
}

namespace {

// The readout's text; the same for every tank, always white.
std::u16string readoutOf(const EngineState& engine, const FuelGauge& gauge) {
    return engine.lacks(gauge.reported) ? noDataReadout(fixed4_1)
                                        : formatReadout(engine.*gauge.quantity, fixed4_1);
}

// Where the pointer's tip is drawn; none without data.
std::optional<float> pointerOf(const EngineState& engine, const FuelGauge& gauge) {
    if (engine.lacks(gauge.reported))
        return std::nullopt;
    const double percent = fillPercent(engine.*gauge.quantity, engine.*gauge.capacity);
    return stripPointerY(clampToScale(percent, 0, 100), 0, 100);
}

// Title, strip and scale first, the same every tick; then the pointer. The
// readout beneath is a part of its own.
void drawGauge(gfx::Graphics& graphics, ScreenKit& kit, const EngineState& engine,
               const FuelGauge& gauge, PartLayers layers) {
    const gfx::TranslatedFrame frame(graphics, gauge.origin);
    if (layers != PartLayers::moving) {
        drawGaugeTitle(graphics, kit, gauge.title);
        drawStrip(graphics, kit.greenBrush);
        drawStripScale(graphics, kit, fuelTicks, fuelLabels);
    }
    if (layers == PartLayers::fixed)
        return;
    if (const std::optional<float> pointerY = pointerOf(engine, gauge))
        drawStripPointer(graphics, kit, *pointerY);
}

} // namespace

void drawFuelGauge(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt&,
                   const EngineState& engine, std::size_t gauge, PartLayers layers) {
    drawGauge(graphics, kit, engine, fuelGauges[gauge], layers);
}

void drawFuelReadout(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt&,
                     const EngineState& engine, std::size_t gauge) {
    const FuelGauge& shown = fuelGauges[gauge];
    const gfx::TranslatedFrame frame(graphics, shown.origin);
    drawStripReadout(graphics, kit, readoutOf(engine, shown), u"GAL", kit.whiteBrush);
}

DrawnFrom fuelGaugeInputs(const ScreenArt&, const EngineState& engine, std::size_t gauge) {
    DrawnFrom inputs;
    inputs << pointerOf(engine, fuelGauges[gauge]).value_or(std::numeric_limits<float>::quiet_NaN())
           << engine.lacks(fuelGauges[gauge].reported);
    return inputs;
}

DrawnFrom fuelReadoutInputs(const ScreenArt&, const EngineState& engine, std::size_t gauge) {
    const std::u16string readout = readoutOf(engine, fuelGauges[gauge]);
    DrawnFrom inputs;
    inputs << std::u16string_view(readout);
    return inputs;
}
