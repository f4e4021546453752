#include "screen/Readouts.h"
#include "screen/ScreenSections.h"
#include "screen/ScreenTables.h"

#include "engine/Engine.h"

#include <algorithm>
#include <array>

namespace {

constexpr int cylinderCount = 6;
constexpr float graphHeight = 92; // pixels from the top of the scale to its bottom

// EGT 825..1650 F and CHT 200..500 F onto the graph's height, top = hottest.
constexpr double egtScaleY(double egt) {
    return 92 - (egt - 825) * (1.0 / 825) * 92;
}
constexpr double chtScaleY(double cht) {
    return 92 - (cht - 200) * (1.0 / 300) * 92;
}

double cylinderEgt(int cylinder) {
    const double baseEgt = double(engineState.egtRankine) - 459.67; // degrees F
    // The spread scales the distance from 850 F, the same for every cylinder.
    return (baseEgt - 850) * engineState.egtSpread[cylinder] + 850;
}

double cylinderCht(int cylinder) {
    return double(engineState.cht) * engineState.chtSpread[cylinder];
}

// The boxed cylinder; a selection past the sixth reads as the sixth.
int selectedCylinder() {
    return std::min<int>(engineState.selectedCylinder, cylinderCount - 1);
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
    double (*value)(int cylinder);
    NumberFormat bigReadout;
    gfx::RectF bigReadoutBox;
    gfx::StringAlignment bigReadoutAlignment;
    TextBox caption;
};

constexpr TextBox egtHeaders[] = {{u"TIT", 0, -45, 45, 17, gfx::StringAlignment::far},
                                  {u"EGT", 0, -27, 45, 17, gfx::StringAlignment::far}};
constexpr TextBox egtScaleLabels[] = {{u"1650", 4, -8, 40, 17, gfx::StringAlignment::far},
                                      {u"825", 4, 84, 40, 17, gfx::StringAlignment::far}};
constexpr auto egtTicks = tickRows<9>(1650, 103.125, egtScaleY);
static_assert(egtTicks.front() == 0 && egtTicks[1] == 11.5f && egtTicks.back() == 92);
constexpr FilledBox egtZones[] = {
    {&ScreenKit::redBrush, 45, 0, 8, 12},                    // 1600..1650
    {&ScreenKit::yellowBrush, 45, 5.5757575f, 8, 12},        // 1500..1600
    {&ScreenKit::greenBrush, 45, 16.727272f, 8, 76.272728f}, // below 1500
};

constexpr TextBox chtHeaders[] = {{u"CHT", 112, -27, 45, 17, gfx::StringAlignment::center}};
constexpr TextBox chtScaleLabels[] = {
    {u"500", 110, -9, 40, 17, gfx::StringAlignment::far},
    {u"400", 110, 21.666666f, 40, 17, gfx::StringAlignment::far},
    {u"300", 110, 52.333332f, 40, 17, gfx::StringAlignment::far},
    {u"200", 110, 83, 40, 17, gfx::StringAlignment::far},
};
constexpr auto chtTicks = tickRows<4>(500, 100, chtScaleY);
constexpr FilledBox chtZones[] = {
    {&ScreenKit::redBrush, 114, 0, 8, 20},                    // 480..500
    {&ScreenKit::yellowBrush, 114, 6.1333332f, 8, 20},        // 420..480
    {&ScreenKit::greenBrush, 114, 24.533333f, 8, 68.466667f}, // below 420
};

// EGT left of the dial's foot with its scale on the left; CHT beside it, scale on the right.
constexpr std::array<CylinderGraph, 2> cylinderGraphs{{
    {{5, 310},
     egtHeaders,
     egtScaleLabels,
     egtTicks,
     54,
     59,
     egtZones,
     70,
     16,
     {&ScreenKit::cyanBrush, -4, 8, 845, 89.769697f, 2.2303030f, 1650, egtScaleY},
     cylinderEgt,
     fixed4_0,
     {75, 120, 90, 40},
     gfx::StringAlignment::center,
     {u"EGT", 40, 120, 40, 40, gfx::StringAlignment::far}},
    {{200, 310},
     chtHeaders,
     chtScaleLabels,
     chtTicks,
     106,
     111,
     chtZones,
     0,
     18,
     {&ScreenKit::greenBrush, -5, 10, 210, 88.933334f, 3.0666666f, 500, chtScaleY},
     cylinderCht,
     fixed3_0,
     {31, 120, 90, 40},
     gfx::StringAlignment::near,
     {u"CHT", -10, 120, 40, 40, gfx::StringAlignment::far}},
}};
static_assert(cylinderGraphs.size() == 2);

// Per column, from its guide line: number box, value rows, selection box.
constexpr float guideDash[] = {3, 3};
constexpr gfx::RectF numberBox{-10, 95, 20, 17};
constexpr gfx::RectF selectionBox{-10, 95, 18, 17};
constexpr gfx::RectF valueBox{-20, 0, 40, 16};
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

void drawColumn(gfx::Graphics& graphics, ScreenKit& kit, const CylinderGraph& graph, int cylinder) {
    kit.whitePen.setDashPattern(guideDash);
    graphics.drawLine(&kit.whitePen, 0, 0, 0, graphHeight);
    kit.whitePen.setSolid();
    drawTextBox(formatReadout(cylinder + 1, integer1), numberBox.x, numberBox.y, numberBox.width,
                numberBox.height, &kit.boldFont13, &kit.whiteBrush, graphics,
                gfx::StringAlignment::center);
    const double value = graph.value(cylinder);
    graphics.fillRectangle(&(kit.*graph.bars.brush), barRect(graph.bars, value));
    drawTextBox(formatReadout(value, fixed4_0), valueBox.x, valueRows[cylinder % 2], valueBox.width,
                valueBox.height, &kit.boldFont13, &kit.whiteBrush, graphics,
                gfx::StringAlignment::center);
    if (cylinder == selectedCylinder())
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

void drawGraph(gfx::Graphics& graphics, ScreenKit& kit, const CylinderGraph& graph) {
    graphics.translateTransform(graph.origin.x, graph.origin.y);
    drawScale(graphics, kit, graph);

    const gfx::GraphicsContainer columns = graphics.beginContainer();
    setAntiAliased(graphics);
    graphics.translateTransform(graph.firstColumn, 0);
    for (int cylinder = 0; cylinder < cylinderCount; ++cylinder) {
        drawColumn(graphics, kit, graph, cylinder);
        graphics.translateTransform(graph.columnSpacing, 0);
    }
    graphics.endContainer(columns);

    const gfx::RectF box = graph.bigReadoutBox;
    drawTextBox(formatReadout(graph.value(selectedCylinder()), graph.bigReadout), box.x, box.y,
                box.width, box.height, &kit.boldFont32, &kit.whiteBrush, graphics,
                graph.bigReadoutAlignment);
    drawTextBoxes(graphics, kit, std::span(&graph.caption, 1), &ScreenKit::boldFont14,
                  &ScreenKit::whiteBrush);
    graphics.resetTransform();
}

} // namespace

void drawEgtGraph(gfx::Graphics& graphics, ScreenKit& kit) {
    drawGraph(graphics, kit, cylinderGraphs[0]);
}

void drawChtGraph(gfx::Graphics& graphics, ScreenKit& kit) {
    drawGraph(graphics, kit, cylinderGraphs[1]);
}
