#include "screen/ScreenParts.h"

#include "screen/ScreenSections.h"
#include "screen/StatusBar.h"

#include <array>

namespace {

using Art = const ScreenArt&;
using Engine = const EngineState&;
using Graphics = gfx::Graphics;

DrawnFrom nothing(Art, Engine, std::size_t) {
    return {};
}

void stripGauge(Graphics& g, ScreenKit& kit, Art art, Engine engine, std::size_t gauge) {
    drawStripGauge(g, kit, art, engine, gauge);
}
void stripGaugeLayer(Graphics& g, ScreenKit& kit, Art art, Engine engine, std::size_t gauge,
                     PartLayers layers) {
    drawStripGauge(g, kit, art, engine, gauge, layers);
}
void stripReadout(Graphics& g, ScreenKit& kit, Art art, Engine engine, std::size_t gauge) {
    drawStripGaugeReadout(g, kit, art, engine, gauge);
}
void fuelHeading(Graphics& g, ScreenKit& kit, Art art, Engine, std::size_t) {
    drawFuelHeading(g, kit, art);
}
void fuelGauge(Graphics& g, ScreenKit& kit, Art art, Engine engine, std::size_t gauge) {
    drawFuelGauge(g, kit, art, engine, gauge);
}
void fuelReadout(Graphics& g, ScreenKit& kit, Art art, Engine engine, std::size_t gauge) {
    drawFuelReadout(g, kit, art, engine, gauge);
}
void fuelGaugeLayer(Graphics& g, ScreenKit& kit, Art art, Engine engine, std::size_t gauge,
                    PartLayers layers) {
    drawFuelGauge(g, kit, art, engine, gauge, layers);
}
void dials(Graphics& g, ScreenKit& kit, Art art, Engine engine, std::size_t) {
    drawDials(g, kit, art, engine);
}
void dialLayer(Graphics& g, ScreenKit& kit, Art art, Engine engine, std::size_t,
               PartLayers layers) {
    drawDials(g, kit, art, engine, layers);
}
void percentPower(Graphics& g, ScreenKit& kit, Art art, Engine engine, std::size_t) {
    drawPercentPower(g, kit, art, engine);
}
void egtGraph(Graphics& g, ScreenKit& kit, Art art, Engine engine, std::size_t) {
    drawEgtGraph(g, kit, art, engine);
}
void chtGraph(Graphics& g, ScreenKit& kit, Art art, Engine engine, std::size_t) {
    drawChtGraph(g, kit, art, engine);
}
void egtLayer(Graphics& g, ScreenKit& kit, Art art, Engine engine, std::size_t, PartLayers layers) {
    drawEgtGraph(g, kit, art, engine, layers);
}
void chtLayer(Graphics& g, ScreenKit& kit, Art art, Engine engine, std::size_t, PartLayers layers) {
    drawChtGraph(g, kit, art, engine, layers);
}
void statusBar(Graphics& g, ScreenKit& kit, Art art, Engine, std::size_t) {
    drawStatusBar(g, kit, art);
}
void logo(Graphics& g, ScreenKit& kit, Art art, Engine, std::size_t) {
    drawLogo(g, kit, art.logo);
}

DrawnFrom dialReadings(Art art, Engine engine, std::size_t) {
    return dialInputs(art, engine);
}
DrawnFrom powerReadings(Art art, Engine engine, std::size_t) {
    return percentPowerInputs(art, engine);
}
DrawnFrom egtReadings(Art art, Engine engine, std::size_t) {
    return egtGraphInputs(art, engine);
}
DrawnFrom chtReadings(Art art, Engine engine, std::size_t) {
    return chtGraphInputs(art, engine);
}
DrawnFrom statusReadings(Art art, Engine, std::size_t) {
    return statusBarInputs(art);
}

// Drawing order. The areas are what each part covered, drawn alone, over
// readings from far below to far above its scale, with and without data, on
// the instrument's own scales and on a profile's (to the next column):
// readouts are clipped to their boxes and pointers to their scales, so
// neighbouring gauges meet but do not overlap. The strip gauges stand 95
// pixels apart; each one's readout is a part of its own beneath its pointer's
// travel, drawn again only when its digits or colour change; so is each
// tank gauge's. The graphs reach down to the status bar for the box behind
// a big readout flashing inverse.
const auto parts = std::to_array<ScreenPart>({
    {.name = "OIL-T",
     .area = {.x = 351, .y = 20, .width = 95, .height = 108},
     .gauge = 0,
     .draw = stripGauge,
     .inputs = stripGaugeInputs,
     .drawLayer = stripGaugeLayer,
     .cells = stripGaugeCells,
     .clippable = true},
    {.name = "OIL-T readout",
     .area = {.x = 351, .y = 128, .width = 95, .height = 23},
     .gauge = 0,
     .draw = stripReadout,
     .inputs = stripReadoutInputs},
    {.name = "OIL-P",
     .area = {.x = 446, .y = 20, .width = 95, .height = 108},
     .gauge = 1,
     .draw = stripGauge,
     .inputs = stripGaugeInputs,
     .drawLayer = stripGaugeLayer,
     .cells = stripGaugeCells,
     .clippable = true},
    {.name = "OIL-P readout",
     .area = {.x = 446, .y = 128, .width = 95, .height = 23},
     .gauge = 1,
     .draw = stripReadout,
     .inputs = stripReadoutInputs},
    {.name = "FUEL-P",
     .area = {.x = 541, .y = 20, .width = 89, .height = 108},
     .gauge = 2,
     .draw = stripGauge,
     .inputs = stripGaugeInputs,
     .drawLayer = stripGaugeLayer,
     .cells = stripGaugeCells,
     .clippable = true},
    {.name = "FUEL-P readout",
     .area = {.x = 541, .y = 128, .width = 89, .height = 23},
     .gauge = 2,
     .draw = stripReadout,
     .inputs = stripReadoutInputs},
    {.name = "VOLTS",
     .area = {.x = 351, .y = 170, .width = 95, .height = 108},
     .gauge = 3,
     .draw = stripGauge,
     .inputs = stripGaugeInputs,
     .drawLayer = stripGaugeLayer,
     .cells = stripGaugeCells,
     .clippable = true},
    {.name = "VOLTS readout",
     .area = {.x = 351, .y = 278, .width = 95, .height = 23},
     .gauge = 3,
     .draw = stripReadout,
     .inputs = stripReadoutInputs},
    {.name = "AMPS",
     .area = {.x = 446, .y = 170, .width = 95, .height = 108},
     .gauge = 4,
     .draw = stripGauge,
     .inputs = stripGaugeInputs,
     .drawLayer = stripGaugeLayer,
     .cells = stripGaugeCells,
     .clippable = true},
    {.name = "AMPS readout",
     .area = {.x = 446, .y = 278, .width = 95, .height = 23},
     .gauge = 4,
     .draw = stripReadout,
     .inputs = stripReadoutInputs},
    {.name = "OAT",
     .area = {.x = 541, .y = 170, .width = 89, .height = 108},
     .gauge = 5,
     .draw = stripGauge,
     .inputs = stripGaugeInputs,
     .drawLayer = stripGaugeLayer,
     .cells = stripGaugeCells,
     .clippable = true},
    {.name = "OAT readout",
     .area = {.x = 541, .y = 278, .width = 89, .height = 23},
     .gauge = 5,
     .draw = stripReadout,
     .inputs = stripReadoutInputs},
    {.name = "FF",
     .area = {.x = 351, .y = 330, .width = 95, .height = 108},
     .gauge = 6,
     .draw = stripGauge,
     .inputs = stripGaugeInputs,
     .drawLayer = stripGaugeLayer,
     .cells = stripGaugeCells,
     .clippable = true},
    {.name = "FF readout",
     .area = {.x = 351, .y = 438, .width = 95, .height = 23},
     .gauge = 6,
     .draw = stripReadout,
     .inputs = stripReadoutInputs},
    {.name = "FUEL QTY",
     .area = {.x = 456, .y = 311, .width = 182, .height = 16},
     .draw = fuelHeading,
     .inputs = nothing},
    {.name = "LEFT",
     .area = {.x = 446, .y = 330, .width = 95, .height = 108},
     .gauge = 0,
     .draw = fuelGauge,
     .inputs = fuelGaugeInputs,
     .drawLayer = fuelGaugeLayer,
     .cells = fuelGaugeCells,
     .clippable = true},
    {.name = "LEFT readout",
     .area = {.x = 446, .y = 438, .width = 95, .height = 23},
     .gauge = 0,
     .draw = fuelReadout,
     .inputs = fuelReadoutInputs},
    {.name = "RIGHT",
     .area = {.x = 541, .y = 330, .width = 89, .height = 108},
     .gauge = 1,
     .draw = fuelGauge,
     .inputs = fuelGaugeInputs,
     .drawLayer = fuelGaugeLayer,
     .cells = fuelGaugeCells,
     .clippable = true},
    {.name = "RIGHT readout",
     .area = {.x = 541, .y = 438, .width = 89, .height = 23},
     .gauge = 1,
     .draw = fuelReadout,
     .inputs = fuelReadoutInputs},
    {.name = "dial",
     .area = {.x = 67, .y = 30, .width = 267, .height = 225},
     .draw = dials,
     .inputs = dialReadings,
     .drawLayer = dialLayer,
     .cells = dialCells},
    {.name = "% HP",
     .area = {.x = -14, .y = 219, .width = 96, .height = 18},
     .draw = percentPower,
     .inputs = powerReadings},
    {.name = "EGT",
     .area = {.x = 19, .y = 269, .width = 157, .height = 195},
     .draw = egtGraph,
     .inputs = egtReadings,
     .drawLayer = egtLayer,
     .cells = egtGraphCells,
     .clippable = true},
    {.name = "CHT",
     .area = {.x = 181, .y = 281, .width = 169, .height = 183},
     .draw = chtGraph,
     .inputs = chtReadings,
     .drawLayer = chtLayer,
     .cells = chtGraphCells,
     .clippable = true},
    {.name = "status bar",
     .area = {.x = 0, .y = 465, .width = 700, .height = 31},
     .draw = statusBar,
     .inputs = statusReadings},
    {.name = "logo",
     .area = {.x = 17, .y = 18, .width = 80, .height = 26},
     .draw = logo,
     .inputs = nothing},
});
static_assert(parts.size() == screenPartCount);
static_assert(stripGaugeCount == 7 && fuelGaugeCount == 2);

} // namespace

const ScreenPart& screenPart(std::size_t part) {
    return parts[part];
}
