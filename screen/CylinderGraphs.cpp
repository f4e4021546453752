#include "screen/DrawnFrom.h"
#include "screen/Readouts.h"
#include "screen/ScreenSections.h"
#include "screen/ScreenTables.h"

#include "engine/CylinderTemperatures.h"
#include "engine/Engine.h"
#include "engine/TableChecks.h"
#include "gfx/DrawingScopes.h"

#include <algorithm>
#include <array>

namespace {

constexpr float graphHeight = 92; // pixels from the top of the scale to its bottom

// EGT 825..1650 F and CHT 200..500 F onto the graph's height, top = hottest.
constexpr double egtScaleY(double egt) {
    return 92 - (egt - 825) * (1.0 / 825) * 92;
}
constexpr double chtScaleY(double cht) {
    return 92 - (cht - 200) * (1.0 / 300) * 92;
}

double egtOf(const EngineState& engine, int cylinder) {
    return shownEgt(engine, cylinder);
}
bool egtLacking(const EngineState& engine, int cylinder) {
    return egtMissing(engine, cylinder);
}
double chtOf(const EngineState& engine, int cylinder) {
    return shownCht(engine, cylinder);
}
bool chtLacking(const EngineState& engine, int cylinder) {
    return chtMissing(engine, cylinder);
}

// The boxed cylinder; a selection past the sixth reads as the sixth.
int selectedCylinder(const EngineState& engine) {
    return std::min<int>(engine.selectedCylinder, cylinderCount - 1);
}

template <std::size_t count>
constexpr std::array<float, count> tickRows(double top, double step, double (*scaleY)(double)) {
    std::array<float, count> rows{};
    for (std::size_t i = 0; i < count; ++i)
        rows[i] = float(scaleY(top - step * double(i)));
    return rows;
}

// How a column's bar stands: a fixed stub up to a threshold just above the
// scale's bottom, proportional above it, full height beyond the top.
struct Bars {
    KitBrush brush;
    float left; // from the column's guide line
    float width;
    double stubAtMost;
    float stubTop;
    float stubHeight;
    double fullAbove;
    double (*scaleY)(double);
};

struct CylinderGraph {
    gfx::PointF origin;
    std::span<const TextBox> headers;
    std::span<const TextBox> scaleLabels;
    std::span<const float> ticks;
    float tickLeft;
    float tickRight;
    std::span<const FilledBox> zones; // later boxes cover earlier ones
    float firstColumn;
    float columnSpacing;
    Bars bars;
    double (*value)(const EngineState& engine, int cylinder);
    bool (*lacking)(const EngineState& engine,
                    int cylinder); // no data: no bar, dashes for the value
    NumberFormat bigReadout;
    gfx::RectF bigReadoutBox;
    gfx::StringAlignment bigReadoutAlignment;
    TextBox caption;
};

constexpr TextBox egtHeaders[] = {
    {.text = u"TIT", .x = 0, .y = -45, .width = 45, .height = 17, .alignment = Align::far},
    {.text = u"EGT", .x = 0, .y = -27, .width = 45, .height = 17, .alignment = Align::far}};
constexpr TextBox egtScaleLabels[] = {
    {.text = u"1650", .x = 4, .y = -8, .width = 40, .height = 17, .alignment = Align::far},
    {.text = u"825", .x = 4, .y = 84, .width = 40, .height = 17, .alignment = Align::far}};
constexpr auto egtTicks = tickRows<9>(1650, 103.125, egtScaleY);
static_assert(egtTicks.front() == 0 && egtTicks[1] == 11.5f && egtTicks.back() == 92);
constexpr FilledBox egtZones[] = {
    // 1600..1650
    {.brush = &ScreenKit::redBrush, .x = 45, .y = 0, .width = 8, .height = 12},
    // 1500..1600
    {.brush = &ScreenKit::yellowBrush, .x = 45, .y = 5.5757575f, .width = 8, .height = 12},
    // below 1500
    {.brush = &ScreenKit::greenBrush, .x = 45, .y = 16.727272f, .width = 8, .height = 76.272728f},
};

constexpr TextBox chtHeaders[] = {
    {.text = u"CHT", .x = 112, .y = -27, .width = 45, .height = 17, .alignment = Align::center}};
constexpr TextBox chtScaleLabels[] = {
    {.text = u"500", .x = 110, .y = -9, .width = 40, .height = 17, .alignment = Align::far},
    {.text = u"400", .x = 110, .y = 21.666666f, .width = 40, .height = 17, .alignment = Align::far},
    {.text = u"300", .x = 110, .y = 52.333332f, .width = 40, .height = 17, .alignment = Align::far},
    {.text = u"200", .x = 110, .y = 83, .width = 40, .height = 17, .alignment = Align::far},
};
constexpr auto chtTicks = tickRows<4>(500, 100, chtScaleY);
constexpr FilledBox chtZones[] = {
    // 480..500
    {.brush = &ScreenKit::redBrush, .x = 114, .y = 0, .width = 8, .height = 20},
    // 420..480
    {.brush = &ScreenKit::yellowBrush, .x = 114, .y = 6.1333332f, .width = 8, .height = 20},
    // below 420
    {.brush = &ScreenKit::greenBrush, .x = 114, .y = 24.533333f, .width = 8, .height = 68.466667f},
};

// EGT left of the dial's foot with its scale on the left; CHT beside it, scale on the right.
constexpr std::size_t cylinderGraphCount = 2;
constexpr auto cylinderGraphs = std::to_array<CylinderGraph>({
    {.origin = {.x = 5, .y = 310},
     .headers = egtHeaders,
     .scaleLabels = egtScaleLabels,
     .ticks = egtTicks,
     .tickLeft = 54,
     .tickRight = 59,
     .zones = egtZones,
     .firstColumn = 70,
     .columnSpacing = 16,
     .bars = {.brush = &ScreenKit::cyanBrush,
              .left = -4,
              .width = 8,
              .stubAtMost = 845,
              .stubTop = 89.769697f,
              .stubHeight = 2.2303030f,
              .fullAbove = 1650,
              .scaleY = egtScaleY},
     .value = egtOf,
     .lacking = egtLacking,
     .bigReadout = fixed4_0,
     .bigReadoutBox = {.x = 75, .y = 120, .width = 90, .height = 40},
     .bigReadoutAlignment = Align::center,
     .caption =
         {.text = u"EGT", .x = 40, .y = 120, .width = 40, .height = 40, .alignment = Align::far}},
    {.origin = {.x = 200, .y = 310},
     .headers = chtHeaders,
     .scaleLabels = chtScaleLabels,
     .ticks = chtTicks,
     .tickLeft = 106,
     .tickRight = 111,
     .zones = chtZones,
     .firstColumn = 0,
     .columnSpacing = 18,
     .bars = {.brush = &ScreenKit::greenBrush,
              .left = -5,
              .width = 10,
              .stubAtMost = 210,
              .stubTop = 88.933334f,
              .stubHeight = 3.0666666f,
              .fullAbove = 500,
              .scaleY = chtScaleY},
     .value = chtOf,
     .lacking = chtLacking,
     .bigReadout = fixed3_0,
     .bigReadoutBox = {.x = 31, .y = 120, .width = 90, .height = 40},
     .bigReadoutAlignment = Align::near,
     .caption =
         {.text = u"CHT", .x = -10, .y = 120, .width = 40, .height = 40, .alignment = Align::far}},
});
static_assert(cylinderGraphs.size() == cylinderGraphCount);
static_assert(noNullPointers(
    cylinderGraphs, &CylinderGraph::value, &CylinderGraph::lacking,
    [](const CylinderGraph& graph) { return graph.bars.brush; },
    [](const CylinderGraph& graph) { return graph.bars.scaleY; }));
static_assert(noNullPointers(egtZones, &FilledBox::brush) &&
              noNullPointers(chtZones, &FilledBox::brush));

// Per column, from its guide line: number box, value rows, selection box.
constexpr float guideDash[] = {3, 3};
constexpr gfx::RectF numberBox{.x = -10, .y = 95, .width = 20, .height = 17};
constexpr gfx::RectF selectionBox{.x = -10, .y = 95, .width = 18, .height = 17};
constexpr gfx::RectF valueBox{.x = -20, .y = 0, .width = 40, .height = 16};
// Neighbouring four-digit values alternate between two rows so they never touch.
constexpr float valueRows[] = {-33, -18};

gfx::RectF barRect(const Bars& bars, double value) {
    // A value that is not a number gets the stub, like a cold cylinder.
    if (!(value > bars.stubAtMost))
        return {bars.left, bars.stubTop, bars.width, bars.stubHeight};
    if (value > bars.fullAbove)
        return {bars.left, 0, bars.width, graphHeight};
    const float top = float(bars.scaleY(value));
    return {bars.left, top, bars.width, graphHeight - top};
}

void drawGuideLine(gfx::Graphics& graphics, ScreenKit& kit) {
    const gfx::DashedPen dashed(kit.whitePen, guideDash);
    graphics.drawLine(&kit.whitePen, 0, 0, 0, graphHeight);
}

// The guide line and the cylinder's number: the same every tick.
void drawColumnFace(gfx::Graphics& graphics, ScreenKit& kit, const EngineState&,
                    const CylinderGraph&, int cylinder) {
    drawGuideLine(graphics, kit);
    drawTextBox(formatReadout(cylinder + 1, integer1), numberBox.x, numberBox.y, numberBox.width,
                numberBox.height, &kit.boldFont13, &kit.whiteBrush, graphics,
                gfx::StringAlignment::center);
}

// The bar over the guide line, the value above it, the box round the number.
void drawColumnReadings(gfx::Graphics& graphics, ScreenKit& kit, const EngineState& engine,
                        const CylinderGraph& graph, int cylinder) {
    const bool lacking = graph.lacking(engine, cylinder);
    const double value = graph.value(engine, cylinder);
    if (!lacking)
        graphics.fillRectangle(&(kit.*graph.bars.brush), barRect(graph.bars, value));
    drawTextBox(lacking ? noDataReadout(fixed4_0) : formatReadout(value, fixed4_0), valueBox.x,
                valueRows[cylinder % 2], valueBox.width, valueBox.height, &kit.boldFont13,
                &kit.whiteBrush, graphics, gfx::StringAlignment::center);
    if (cylinder == selectedCylinder(engine))
        graphics.drawRectangle(&kit.whitePen, selectionBox);
}

void drawScale(gfx::Graphics& graphics, ScreenKit& kit, const CylinderGraph& graph) {
    drawTextBoxes(graphics, kit, graph.headers, &ScreenKit::boldFont14, &ScreenKit::whiteBrush);
    drawTextBoxes(graphics, kit, graph.scaleLabels, &ScreenKit::boldFont13, &ScreenKit::whiteBrush);
    for (const float y : graph.ticks)
        graphics.drawLine(&kit.whitePen, graph.tickLeft, y, graph.tickRight, y);
    for (const FilledBox& zone : graph.zones)
        graphics.fillRectangle(&(kit.*zone.brush),
                               gfx::RectF{zone.x, zone.y, zone.width, zone.height});
}

using ColumnLayer = void (*)(gfx::Graphics&, ScreenKit&, const EngineState&, const CylinderGraph&,
                             int);

// The columns step across in a nested state of their own.
void drawColumns(gfx::Graphics& graphics, ScreenKit& kit, const EngineState& engine,
                 const CylinderGraph& graph, ColumnLayer layer) {
    const gfx::ContainerScope columns(graphics);
    setAntiAliased(graphics);
    graphics.translateTransform(graph.firstColumn, 0);
    for (int cylinder = 0; cylinder < cylinderCount; ++cylinder) {
        layer(graphics, kit, engine, graph, cylinder);
        graphics.translateTransform(graph.columnSpacing, 0);
    }
}

// Every column's face before any column's readings: a bar stays within its
// column above the numbers, a value above the guide lines and a selection box
// clear of the next number, so no reading of one column shares a pixel with
// the face of the next. The caption comes last, over the big readout's box.
void drawGraph(gfx::Graphics& graphics, ScreenKit& kit, const EngineState& engine,
               const CylinderGraph& graph, PartLayers layers) {
    const gfx::TranslatedFrame frame(graphics, graph.origin);
    if (layers != PartLayers::moving) {
        drawScale(graphics, kit, graph);
        drawColumns(graphics, kit, engine, graph, drawColumnFace);
    }
    if (layers == PartLayers::fixed)
        return;
    drawColumns(graphics, kit, engine, graph, drawColumnReadings);
    const gfx::RectF box = graph.bigReadoutBox;
    const int selected = selectedCylinder(engine);
    drawTextBox(graph.lacking(engine, selected)
                    ? noDataReadout(graph.bigReadout)
                    : formatReadout(graph.value(engine, selected), graph.bigReadout),
                box.x, box.y, box.width, box.height, &kit.boldFont32, &kit.whiteBrush, graphics,
                graph.bigReadoutAlignment);
    drawTextBoxes(graphics, kit, std::span(&graph.caption, 1), &ScreenKit::boldFont14,
                  &ScreenKit::whiteBrush);
}

} // namespace

void drawEgtGraph(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt&,
                  const EngineState& engine, PartLayers layers) {
    drawGraph(graphics, kit, engine, cylinderGraphs[0], layers);
}

void drawChtGraph(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt&,
                  const EngineState& engine, PartLayers layers) {
    drawGraph(graphics, kit, engine, cylinderGraphs[1], layers);
}

// The shown temperatures with whether each is missing, and the boxed column.
DrawnFrom egtGraphInputs(const ScreenArt&, const EngineState& engine) {
    DrawnFrom inputs;
    for (int cylinder = 0; cylinder < cylinderCount; ++cylinder)
        inputs << egtOf(engine, cylinder) << egtLacking(engine, cylinder);
    inputs << selectedCylinder(engine);
    return inputs;
}

DrawnFrom chtGraphInputs(const ScreenArt&, const EngineState& engine) {
    DrawnFrom inputs;
    for (int cylinder = 0; cylinder < cylinderCount; ++cylinder)
        inputs << chtOf(engine, cylinder) << chtLacking(engine, cylinder);
    inputs << selectedCylinder(engine);
    return inputs;
}
