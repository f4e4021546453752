#include "aircraft/InstrumentProfile.h"
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

// Both tanks read from empty (E, bottom) to full (F, top) as a percentage of capacity.
struct FuelGauge {
    std::u16string_view title;
    gfx::PointF origin;
    Quantity reported;             // the tank as a log or a simulator reports it
    float EngineState::*quantity;  // gallons
    float EngineState::*capacity;  // gallons at the F mark
    double AircraftProfile::*tank; // the profile's capacity, gallons
};

constexpr auto fuelGauges = std::to_array<FuelGauge>({
    {.title = u"LEFT",
     .origin = {.x = 495, .y = 350},
     .reported = Quantity::leftFuel,
     .quantity = &EngineState::leftFuel,
     .capacity = &EngineState::leftCapacity,
     .tank = &AircraftProfile::leftTank},
    {.title = u"RIGHT",
     .origin = {.x = 590, .y = 350},
     .reported = Quantity::rightFuel,
     .quantity = &EngineState::rightFuel,
     .capacity = &EngineState::rightCapacity,
     .tank = &AircraftProfile::rightTank},
});
static_assert(fuelGauges.size() == fuelGaugeCount);
static_assert(noNullPointers(fuelGauges, &FuelGauge::quantity, &FuelGauge::capacity,
                             &FuelGauge::tank));

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

// Drawn as the instrument's own: its tank, markings and gallons. Then the
// tank reads in percent of the capacity the engine record holds.
bool asBuilt(const ScreenArt& art, const FuelGauge& gauge) {
    return art.profile.*gauge.tank == instrumentProfile.*gauge.tank &&
           drawnAsBuilt(art.profile, Gauge::fuelQuantity);
}

// The readout's text; the same for every tank. White, or where a profile
// marks the tanks, white inside its green.
struct Readout {
    std::u16string text;
    bool white = true;
};

Readout readoutOf(const ScreenArt& art, const EngineState& engine, const FuelGauge& gauge) {
    if (engine.lacks(gauge.reported))
        return {.text = noDataReadout(fixed4_1)};
    const double gallons = engine.*gauge.quantity;
    if (asBuilt(art, gauge))
        return {.text = formatReadout(gallons, fixed4_1)};
    const ProfiledScale scale = profiledTank(art.profile, art.profile.*gauge.tank);
    const double shown = scale.shown(gallons);
    return {.text = formatReadout(shown, fittingFormat(fixed4_1, shown)),
            .white = readsWhite(scale.gauge, gallons)};
}

std::u16string_view unitOf(const ScreenArt& art) {
    return drawnAsBuilt(art.profile, Gauge::fuelQuantity) ? u"GAL"
                                                          : unitCaption(art.profile.fuelUnit);
}

// Where the pointer's tip is drawn; none without data.
std::optional<float> pointerOf(const ScreenArt& art, const EngineState& engine,
                               const FuelGauge& gauge) {
    if (engine.lacks(gauge.reported))
        return std::nullopt;
    if (!asBuilt(art, gauge))
        return profiledPointerY(profiledTank(art.profile, art.profile.*gauge.tank),
                                engine.*gauge.quantity);
    const double percent = fillPercent(engine.*gauge.quantity, engine.*gauge.capacity);
    return stripPointerY(clampToScale(percent, 0, 100), 0, 100);
}

// Title, strip and scale first, the same every tick; then the pointer. The
// readout beneath is a part of its own.
void drawGauge(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
               const EngineState& engine, const FuelGauge& gauge, PartLayers layers) {
    const gfx::TranslatedFrame frame(graphics, gauge.origin);
    if (layers != PartLayers::moving) {
        drawGaugeTitle(graphics, kit, gauge.title);
        if (asBuilt(art, gauge)) {
            drawStrip(graphics, kit.greenBrush);
            drawStripScale(graphics, kit, fuelTicks, fuelLabels);
        } else {
            drawProfiledStripFace(graphics, kit,
                                  profiledTank(art.profile, art.profile.*gauge.tank));
        }
    }
    if (layers == PartLayers::fixed)
        return;
    if (const std::optional<float> pointerY = pointerOf(art, engine, gauge))
        drawStripPointer(graphics, kit, *pointerY);
}

ReadoutStyle styleOf(const ScreenArt& art, const FuelGauge& gauge, const Readout& readout) {
    return readoutStyle(readout.white, art.alarms.look(gauge.reported), art.alarms.flashInverse);
}

} // namespace

void drawFuelGauge(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                   const EngineState& engine, std::size_t gauge, PartLayers layers) {
    drawGauge(graphics, kit, art, engine, fuelGauges[gauge], layers);
}

void drawFuelReadout(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                     const EngineState& engine, std::size_t gauge) {
    const FuelGauge& shown = fuelGauges[gauge];
    const gfx::TranslatedFrame frame(graphics, shown.origin);
    const Readout readout = readoutOf(art, engine, shown);
    const ReadoutStyle style = styleOf(art, shown, readout);
    const gfx::SolidBrush& colour = kit.*readoutBrush(style.colour);
    if (style.inverse)
        drawInverseStripReadout(graphics, kit, readout.text, unitOf(art), colour);
    else
        drawStripReadout(graphics, kit, readout.text, unitOf(art), colour);
}

DrawnFrom fuelGaugeInputs(const ScreenArt& art, const EngineState& engine, std::size_t gauge) {
    DrawnFrom inputs;
    inputs << pointerOf(art, engine, fuelGauges[gauge])
                  .value_or(std::numeric_limits<float>::quiet_NaN())
           << engine.lacks(fuelGauges[gauge].reported);
    return inputs;
}

void fuelGaugeCells(const ScreenArt& art, const EngineState& engine, std::size_t gauge,
                    MovingCells& cells) {
    const FuelGauge& shown = fuelGauges[gauge];
    addStripPointerCell(cells, shown.origin, pointerOf(art, engine, shown));
}

DrawnFrom fuelReadoutInputs(const ScreenArt& art, const EngineState& engine, std::size_t gauge) {
    const Readout readout = readoutOf(art, engine, fuelGauges[gauge]);
    DrawnFrom inputs;
    inputs << styleOf(art, fuelGauges[gauge], readout) << std::u16string_view(readout.text);
    return inputs;
}
