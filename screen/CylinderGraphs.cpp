#include "screen/CylinderScale.h"
#include "screen/DrawnFrom.h"
#include "screen/LeanReadouts.h"
#include "screen/ProfileScale.h"
#include "screen/Readouts.h"
#include "screen/ScreenSections.h"
#include "screen/ScreenTables.h"

#include "aircraft/InstrumentProfile.h"
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
// Whose alarm look a column shows; defined here, so that the table's check
// of its pointers is a constant in every build.
Quantity egtQuantity(int cylinder) {
    return cylinderEgt(cylinder);
}
Quantity chtQuantity(int cylinder) {
    return cylinderCht(cylinder);
}

template <std::size_t count>
constexpr std::array<float, count> tickRows(double top, double step, double (*scaleY)(double)) {
    std::array<float, count> rows{};
    for (std::size_t i = 0; i < count; ++i)
        rows[i] = float(scaleY(top - step * double(i)));
    return rows;
}

// How a column's bar stands: a fixed stub up to a threshold just above the
// scale's bottom, proportional above it, full height beyond the top. The
// stub is written for today's scale; another scale keeps its share.
struct Bars {
    KitBrush brush;
    float left; // from the column's guide line
    float width;
    double stubAtMost;
    float stubTop;
    float stubHeight;
};

struct CylinderGraph {
    Gauge gauge;
    Quantity (*quantity)(int cylinder); // whose alarm look a column shows
    gfx::PointF origin;
    std::span<const TextBox> headers;
    std::span<const TextBox> scaleLabels;
    std::span<const float> ticks;
    float tickLeft;
    float tickRight;
    std::span<const FilledBox> zones; // later boxes cover earlier ones
    // A profile's own scale: its ticks, labels beside them as the first of
    // scaleLabels stands to its tick, and its zones where these stand.
    ScaleStyle profileScale;
    float labelAboveTick;
    float zoneLeft;
    float zoneWidth;
    TextBox unitLabel; // the unit's symbol when it is not degrees F
    float firstColumn;
    float columnSpacing;
    Bars bars;
    double (*value)(const EngineState& engine, int cylinder);
    bool (*lacking)(const EngineState& engine,
                    int cylinder); // no data: no bar, dashes for the value
    NumberFormat bigReadout;
    gfx::RectF bigReadoutBox;
    gfx::StringAlignment bigReadoutAlignment;
    // Behind the big readout while it flashes inverse, on whole pixels (a
    // pixel's centre is at its half), clear of the status bar.
    gfx::RectF inverseBox;
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
    {.gauge = Gauge::egt,
     .quantity = egtQuantity,
     .origin = {.x = 5, .y = 310},
     .headers = egtHeaders,
     .scaleLabels = egtScaleLabels,
     .ticks = egtTicks,
     .tickLeft = 54,
     .tickRight = 59,
     .zones = egtZones,
     .profileScale = {.intervals = 8, .labelEveryTick = false},
     .labelAboveTick = 8,
     .zoneLeft = 45,
     .zoneWidth = 8,
     .unitLabel =
         {.text = u"", .x = 0, .y = 100, .width = 45, .height = 17, .alignment = Align::far},
     .firstColumn = 70,
     .columnSpacing = 16,
     .bars = {.brush = &ScreenKit::cyanBrush,
              .left = -4,
              .width = 8,
              .stubAtMost = 845,
              .stubTop = 89.769697f,
              .stubHeight = 2.2303030f},
     .value = egtOf,
     .lacking = egtLacking,
     .bigReadout = fixed4_0,
     .bigReadoutBox = {.x = 75, .y = 120, .width = 90, .height = 40},
     .bigReadoutAlignment = Align::center,
     .inverseBox = {.x = 80.5f, .y = 125.5f, .width = 78, .height = 28},
     .caption =
         {.text = u"EGT", .x = 40, .y = 120, .width = 40, .height = 40, .alignment = Align::far}},
    {.gauge = Gauge::cht,
     .quantity = chtQuantity,
     .origin = {.x = 200, .y = 310},
     .headers = chtHeaders,
     .scaleLabels = chtScaleLabels,
     .ticks = chtTicks,
     .tickLeft = 106,
     .tickRight = 111,
     .zones = chtZones,
     .profileScale = {.intervals = 4, .labelEveryTick = true},
     .labelAboveTick = 9,
     .zoneLeft = 114,
     .zoneWidth = 8,
     .unitLabel =
         {.text = u"", .x = 110, .y = 100, .width = 40, .height = 17, .alignment = Align::far},
     .firstColumn = 0,
     .columnSpacing = 18,
     .bars = {.brush = &ScreenKit::greenBrush,
              .left = -5,
              .width = 10,
              .stubAtMost = 210,
              .stubTop = 88.933334f,
              .stubHeight = 3.0666666f},
     .value = chtOf,
     .lacking = chtLacking,
     .bigReadout = fixed3_0,
     .bigReadoutBox = {.x = 31, .y = 120, .width = 90, .height = 40},
     .bigReadoutAlignment = Align::near,
     .inverseBox = {.x = 31.5f, .y = 125.5f, .width = 72, .height = 28},
     .caption =
         {.text = u"CHT", .x = -10, .y = 120, .width = 40, .height = 40, .alignment = Align::far}},
});
static_assert(cylinderGraphs.size() == cylinderGraphCount);
static_assert(noNullPointers(cylinderGraphs, &CylinderGraph::value, &CylinderGraph::lacking,
                             &CylinderGraph::quantity,
                             [](const CylinderGraph& graph) { return graph.bars.brush; }));
static_assert(noNullPointers(egtZones, &FilledBox::brush) &&
              noNullPointers(chtZones, &FilledBox::brush));

// The tables above draw the instrument's own scales.
static_assert(egtScaleY(instrumentProfile.gauge(Gauge::egt).max) == 0 &&
              egtScaleY(instrumentProfile.gauge(Gauge::egt).min) == graphHeight &&
              chtScaleY(instrumentProfile.gauge(Gauge::cht).max) == 0 &&
              chtScaleY(instrumentProfile.gauge(Gauge::cht).min) == graphHeight);

// Per column, from its guide line: number box, value rows, selection box.
constexpr float guideDash[] = {3, 3};
constexpr gfx::RectF numberBox{.x = -10, .y = 95, .width = 20, .height = 17};
constexpr gfx::RectF selectionBox{.x = -10, .y = 95, .width = 18, .height = 17};
// Behind an alarming column's number, inside the selection box.
constexpr gfx::RectF numberFill{.x = -9, .y = 96, .width = 16, .height = 15};
constexpr gfx::RectF valueBox{.x = -20, .y = 0, .width = 40, .height = 16};
// Neighbouring four-digit values alternate between two rows so they never touch.
constexpr float valueRows[] = {-33, -18};

// One graph as this frame draws it: the table's layout, the profile's
// scale and cylinders, and the alarms up.
struct GraphView {
    const CylinderGraph& graph;
    const GaugeProfile& gauge;
    const ScreenAlarms& alarms;
    ShownUnit unit;
    ScaleMap map;
    double stubAtMost;
    float stubTop;
    float stubHeight;
    int columns;
    float firstColumn;
    float columnSpacing;
    int selected; // the boxed column
    // The lean search's readouts on the EGT graph while the pilot leans.
    const LeanView* lean;
};

bool sameMarkings(const GaugeProfile& a, const GaugeProfile& b) {
    return a.min == b.min && a.max == b.max && a.green == b.green && a.yellow == b.yellow &&
           a.red == b.red && a.redLines == b.redLines;
}

// Today's scale is drawn from its tables, any other from the profile.
bool todaysScale(const GraphView& view) {
    return view.unit.shown == view.unit.engine &&
           sameMarkings(view.gauge, instrumentProfile.gauge(view.graph.gauge));
}

GraphView viewOf(const CylinderGraph& graph, const ScreenArt& art, const EngineState& engine) {
    const GaugeProfile& gauge = art.profile.gauge(graph.gauge);
    const GaugeProfile& todays = instrumentProfile.gauge(graph.gauge);
    GraphView view{
        .graph = graph,
        .gauge = gauge,
        .alarms = art.alarms,
        .unit = {.engine = engineUnit(graph.gauge), .shown = art.profile.temperatureUnit},
        .map = {.min = gauge.min, .max = gauge.max, .height = graphHeight},
        .stubAtMost = graph.bars.stubAtMost,
        .stubTop = graph.bars.stubTop,
        .stubHeight = graph.bars.stubHeight,
        .columns = std::clamp(art.profile.cylinders, 1, cylinderCount),
        .firstColumn = graph.firstColumn,
        .columnSpacing = graph.columnSpacing,
        .selected = 0,
        .lean = graph.gauge == Gauge::egt ? art.lean : nullptr};
    if (gauge.min != todays.min || gauge.max != todays.max) {
        const double share = (graph.bars.stubAtMost - todays.min) / (todays.max - todays.min);
        view.stubAtMost = gauge.min + share * (gauge.max - gauge.min);
        view.stubTop = float(view.map.y(view.stubAtMost));
        view.stubHeight = graphHeight - view.stubTop;
    }
    // Fewer cylinders share the six columns' width as evenly, on whole pixels.
    if (view.columns != cylinderCount) {
        view.columnSpacing = graph.columnSpacing * float(cylinderCount) / float(view.columns);
        view.firstColumn += std::round((view.columnSpacing - graph.columnSpacing) / 2);
    }
    view.selected = std::min<int>(engine.selectedCylinder, view.columns - 1);
    return view;
}

ReadoutLook lookOf(const GraphView& view, int cylinder) {
    return view.alarms.look(view.graph.quantity(cylinder));
}

bool alarming(const ReadoutLook& look) {
    return look.red || look.yellow;
}

KitBrush alarmBrush(const ReadoutLook& look) {
    return look.red ? &ScreenKit::redBrush : &ScreenKit::yellowBrush;
}

// Inverse video in this frame: black on the alarm's colour.
bool shownInverse(const GraphView& view, const ReadoutLook& look) {
    return look.flashes && view.alarms.flashInverse;
}

gfx::RectF barRect(const GraphView& view, double value) {
    const Bars& bars = view.graph.bars;
    // A value that is not a number gets the stub, like a cold cylinder.
    if (!(value > view.stubAtMost))
        return {bars.left, view.stubTop, bars.width, view.stubHeight};
    if (value > view.gauge.max)
        return {bars.left, 0, bars.width, graphHeight};
    const float top = float(view.map.y(value));
    return {bars.left, top, bars.width, graphHeight - top};
}

void drawGuideLine(gfx::Graphics& graphics, ScreenKit& kit) {
    const gfx::DashedPen dashed(kit.whitePen, guideDash);
    graphics.drawLine(&kit.whitePen, 0, 0, 0, graphHeight);
}

void drawNumber(gfx::Graphics& graphics, ScreenKit& kit, int cylinder, KitBrush brush) {
    drawTextBox(formatReadout(cylinder + 1, integer1), numberBox.x, numberBox.y, numberBox.width,
                numberBox.height, &kit.boldFont13, &(kit.*brush), graphics,
                gfx::StringAlignment::center);
}

// The guide line and the cylinder's number: the same every tick.
void drawColumnFace(gfx::Graphics& graphics, ScreenKit& kit, const EngineState&, const GraphView&,
                    int cylinder) {
    drawGuideLine(graphics, kit);
    drawNumber(graphics, kit, cylinder, &ScreenKit::whiteBrush);
}

// An alarming cylinder's number, drawn over its white one, names it even
// when another cylinder is boxed: in the alarm's colour, or black on it.
void drawAlarmNumber(gfx::Graphics& graphics, ScreenKit& kit, const GraphView& view, int cylinder) {
    const ReadoutLook look = lookOf(view, cylinder);
    if (!alarming(look))
        return;
    const bool inverse = shownInverse(view, look);
    graphics.fillRectangle(inverse ? &(kit.*alarmBrush(look)) : &kit.blackBrush, numberFill);
    drawNumber(graphics, kit, cylinder, inverse ? &ScreenKit::blackBrush : alarmBrush(look));
}

// Leaning, the number of the cylinder that peaked first turns cyan.
void drawFirstPeakNumber(gfx::Graphics& graphics, ScreenKit& kit, const GraphView& view,
                         int cylinder) {
    if (!view.lean || !peakedFirst(*view.lean, cylinder))
        return;
    graphics.fillRectangle(&kit.blackBrush, numberFill);
    drawNumber(graphics, kit, cylinder, &ScreenKit::cyanBrush);
}

// The value above a column: leaning, the fuel flow at a peaked cylinder's
// peak, in cyan.
struct ColumnValue {
    std::u16string text;
    bool peakFlow;
};
ColumnValue columnValue(const GraphView& view, const EngineState& engine, int cylinder) {
    const CylinderGraph& graph = view.graph;
    std::optional<std::u16string> peakFlow =
        view.lean ? leanColumnValue(*view.lean, cylinder) : std::nullopt;
    if (peakFlow)
        return {.text = std::move(*peakFlow), .peakFlow = true};
    return {.text = graph.lacking(engine, cylinder)
                        ? noDataReadout(fixed4_0)
                        : formatReadout(view.unit(graph.value(engine, cylinder)), fixed4_0),
            .peakFlow = false};
}

// The bar over the guide line, the value above it, the box round the number.
void drawColumnReadings(gfx::Graphics& graphics, ScreenKit& kit, const EngineState& engine,
                        const GraphView& view, int cylinder) {
    const CylinderGraph& graph = view.graph;
    const bool lacking = graph.lacking(engine, cylinder);
    const double value = graph.value(engine, cylinder);
    const ReadoutLook look = lookOf(view, cylinder);
    if (!lacking)
        graphics.fillRectangle(&(kit.*(alarming(look) ? alarmBrush(look) : graph.bars.brush)),
                               barRect(view, value));
    const ColumnValue shown = columnValue(view, engine, cylinder);
    drawTextBox(shown.text, valueBox.x, valueRows[cylinder % 2], valueBox.width, valueBox.height,
                &kit.boldFont13, shown.peakFlow ? &kit.cyanBrush : &kit.whiteBrush, graphics,
                gfx::StringAlignment::center);
    drawFirstPeakNumber(graphics, kit, view, cylinder);
    drawAlarmNumber(graphics, kit, view, cylinder);
    if (cylinder == view.selected)
        graphics.drawRectangle(&kit.whitePen, selectionBox);
}

void drawTodaysScale(gfx::Graphics& graphics, ScreenKit& kit, const CylinderGraph& graph) {
    drawTextBoxes(graphics, kit, graph.scaleLabels, &ScreenKit::boldFont13, &ScreenKit::whiteBrush);
    for (const float y : graph.ticks)
        graphics.drawLine(&kit.whitePen, graph.tickLeft, y, graph.tickRight, y);
    for (const FilledBox& zone : graph.zones)
        graphics.fillRectangle(&(kit.*zone.brush),
                               gfx::RectF{zone.x, zone.y, zone.width, zone.height});
}

// Red lines cross the zones and the ticks.
void drawProfileScale(gfx::Graphics& graphics, ScreenKit& kit, const GraphView& view) {
    const CylinderGraph& graph = view.graph;
    const ScaleFace face = scaleFace(view.gauge, view.unit, graph.profileScale, graphHeight);
    const TextBox& label = graph.scaleLabels.front();
    for (std::size_t i = 0; i < face.tickCount; ++i) {
        const ScaleTick& tick = face.ticks[i];
        drawTextBox(tick.label, label.x, tick.y - graph.labelAboveTick, label.width, label.height,
                    &kit.boldFont13, &kit.whiteBrush, graphics, label.alignment);
        graphics.drawLine(&kit.whitePen, graph.tickLeft, tick.y, graph.tickRight, tick.y);
    }
    for (std::size_t i = 0; i < face.zoneCount; ++i) {
        const ZoneBox& zone = face.zones[i];
        graphics.fillRectangle(&(kit.*zone.brush),
                               gfx::RectF{graph.zoneLeft, zone.top, graph.zoneWidth, zone.height});
    }
    for (const double redLine : view.gauge.redLines)
        if (redLine >= view.gauge.min && redLine <= view.gauge.max) {
            const auto y = float(view.map.y(redLine));
            graphics.drawLine(&kit.redPen, std::min(graph.zoneLeft, graph.tickLeft), y,
                              std::max(graph.zoneLeft + graph.zoneWidth, graph.tickRight), y);
        }
    if (view.unit.shown != view.unit.engine) {
        const TextBox& unit = graph.unitLabel;
        drawTextBox(std::u16string(unitCaption(view.unit.shown)), unit.x, unit.y, unit.width,
                    unit.height, &kit.boldFont13, &kit.whiteBrush, graphics, unit.alignment);
    }
}

void drawScale(gfx::Graphics& graphics, ScreenKit& kit, const GraphView& view) {
    drawTextBoxes(graphics, kit, view.graph.headers, &ScreenKit::boldFont14,
                  &ScreenKit::whiteBrush);
    if (todaysScale(view))
        drawTodaysScale(graphics, kit, view.graph);
    else
        drawProfileScale(graphics, kit, view);
}

using ColumnLayer = void (*)(gfx::Graphics&, ScreenKit&, const EngineState&, const GraphView&, int);

// The columns step across in a nested state of their own.
void drawColumns(gfx::Graphics& graphics, ScreenKit& kit, const EngineState& engine,
                 const GraphView& view, ColumnLayer layer) {
    const gfx::ContainerScope columns(graphics);
    setAntiAliased(graphics);
    graphics.translateTransform(view.firstColumn, 0);
    for (int cylinder = 0; cylinder < view.columns; ++cylinder) {
        layer(graphics, kit, engine, view, cylinder);
        graphics.translateTransform(view.columnSpacing, 0);
    }
}

// Leaning, the big readout shows the distance from the peak, in cyan.
KitBrush bigReadoutBrush(const GraphView& view) {
    const ReadoutLook look = lookOf(view, view.selected);
    if (shownInverse(view, look))
        return &ScreenKit::blackBrush;
    if (alarming(look))
        return alarmBrush(look);
    return view.lean ? &ScreenKit::cyanBrush : &ScreenKit::whiteBrush;
}

std::u16string bigReadoutText(const GraphView& view, const EngineState& engine) {
    const CylinderGraph& graph = view.graph;
    if (view.lean)
        return leanBigReadout(*view.lean);
    if (graph.lacking(engine, view.selected))
        return noDataReadout(graph.bigReadout);
    return formatReadout(view.unit(graph.value(engine, view.selected)), graph.bigReadout);
}

// The boxed cylinder's temperature in the pilot's unit and its alarm look.
void drawBigReadout(gfx::Graphics& graphics, ScreenKit& kit, const EngineState& engine,
                    const GraphView& view) {
    const CylinderGraph& graph = view.graph;
    const ReadoutLook look = lookOf(view, view.selected);
    if (shownInverse(view, look))
        graphics.fillRectangle(&(kit.*alarmBrush(look)), graph.inverseBox);
    const gfx::RectF box = graph.bigReadoutBox;
    drawTextBox(bigReadoutText(view, engine), box.x, box.y, box.width, box.height, &kit.boldFont32,
                &(kit.*bigReadoutBrush(view)), graphics, graph.bigReadoutAlignment);
}

// Every column's face before any column's readings: a bar stays within its
// column above the numbers, a value above the guide lines and a selection box
// clear of the next number, so no reading of one column shares a pixel with
// the face of the next. The caption comes last, over the big readout's box.
void drawGraph(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
               const EngineState& engine, const CylinderGraph& graph, PartLayers layers) {
    const gfx::TranslatedFrame frame(graphics, graph.origin);
    const GraphView view = viewOf(graph, art, engine);
    if (layers != PartLayers::moving) {
        drawScale(graphics, kit, view);
        drawColumns(graphics, kit, engine, view, drawColumnFace);
    }
    if (layers == PartLayers::fixed)
        return;
    drawColumns(graphics, kit, engine, view, drawColumnReadings);
    drawBigReadout(graphics, kit, engine, view);
    drawTextBoxes(graphics, kit, std::span(&graph.caption, 1), &ScreenKit::boldFont14,
                  &ScreenKit::whiteBrush);
}

// The shown temperatures with whether each is missing and its alarm look,
// the boxed column, the phase of a flashing look, and what of the profile
// the readings are drawn against.
DrawnFrom graphInputs(const CylinderGraph& graph, const ScreenArt& art, const EngineState& engine) {
    const GraphView view = viewOf(graph, art, engine);
    DrawnFrom inputs;
    bool flashing = false;
    for (int cylinder = 0; cylinder < view.columns; ++cylinder) {
        const ReadoutLook look = lookOf(view, cylinder);
        inputs << graph.value(engine, cylinder) << graph.lacking(engine, cylinder) << look;
        flashing = flashing || look.flashes;
    }
    inputs << view.selected << (flashing && art.alarms.flashInverse) << view.columns
           << view.unit.shown << view.gauge.min << view.gauge.max;
    addLeanGraphInputs(inputs, view.lean);
    return inputs;
}

gfx::RectF movedBy(gfx::RectF box, float dx, float dy) {
    return {box.x + dx, box.y + dy, box.width, box.height};
}

gfx::RectF widened(gfx::RectF box, float dx, float dy) {
    return {box.x - dx, box.y - dy, box.width + 2 * dx, box.height + 2 * dy};
}

// A column's readings as three cells from its guide line (its bar, its value,
// its number with the boxes round it), then the big readout's box. A value's
// text may run past its box; the number's box is stroked on its edge.
void graphCells(const CylinderGraph& graph, const ScreenArt& art, const EngineState& engine,
                MovingCells& cells) {
    const GraphView view = viewOf(graph, art, engine);
    constexpr gfx::RectF numberCell{
        .x = numberBox.x, .y = numberBox.y, .width = numberBox.width, .height = numberBox.height};
    constexpr auto within = [](gfx::RectF inner) {
        return inner.x >= numberBox.x && inner.y >= numberBox.y &&
               inner.x + inner.width <= numberBox.x + numberBox.width &&
               inner.y + inner.height <= numberBox.y + numberBox.height;
    };
    static_assert(within(selectionBox) && within(numberFill));
    for (int cylinder = 0; cylinder < view.columns; ++cylinder) {
        const float x = graph.origin.x + view.firstColumn + float(cylinder) * view.columnSpacing;
        const float y = graph.origin.y;
        const bool lacking = graph.lacking(engine, cylinder);
        const ReadoutLook look = lookOf(view, cylinder);
        CellFrom bar;
        bar << lacking << look;
        cells.add(lacking ? gfx::RectF{}
                          : movedBy(barRect(view, graph.value(engine, cylinder)), x, y),
                  bar, true);
        const ColumnValue shown = columnValue(view, engine, cylinder);
        CellFrom value;
        value << shown.peakFlow << std::u16string_view(shown.text);
        cells.add(movedBy(widened(valueBox, 12, 2), x, y + valueRows[cylinder % 2]), value);
        CellFrom number;
        number << look << shownInverse(view, look)
               << (view.lean && peakedFirst(*view.lean, cylinder)) << (cylinder == view.selected);
        cells.add(movedBy(widened(numberCell, 2, 2), x, y), number);
    }
    CellFrom big;
    big << view.selected << bigReadoutBrush(view) << shownInverse(view, lookOf(view, view.selected))
        << std::u16string_view(bigReadoutText(view, engine));
    const gfx::RectF box = graph.bigReadoutBox;
    const gfx::RectF inverse = graph.inverseBox;
    const float left = std::min(box.x, inverse.x);
    const float top = std::min(box.y, inverse.y);
    const float right = std::max(box.x + box.width, inverse.x + inverse.width);
    const float bottom = std::max(box.y + box.height, inverse.y + inverse.height);
    cells.add(movedBy(widened({left, top, right - left, bottom - top}, 8, 2), graph.origin.x,
                      graph.origin.y),
              big);
}

} // namespace

void egtGraphCells(const ScreenArt& art, const EngineState& engine, std::size_t,
                   MovingCells& cells) {
    graphCells(cylinderGraphs[0], art, engine, cells);
}

void chtGraphCells(const ScreenArt& art, const EngineState& engine, std::size_t,
                   MovingCells& cells) {
    graphCells(cylinderGraphs[1], art, engine, cells);
}

void drawEgtGraph(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                  const EngineState& engine, PartLayers layers) {
    drawGraph(graphics, kit, art, engine, cylinderGraphs[0], layers);
}

void drawChtGraph(gfx::Graphics& graphics, ScreenKit& kit, const ScreenArt& art,
                  const EngineState& engine, PartLayers layers) {
    drawGraph(graphics, kit, art, engine, cylinderGraphs[1], layers);
}

DrawnFrom egtGraphInputs(const ScreenArt& art, const EngineState& engine) {
    return graphInputs(cylinderGraphs[0], art, engine);
}

DrawnFrom chtGraphInputs(const ScreenArt& art, const EngineState& engine) {
    return graphInputs(cylinderGraphs[1], art, engine);
}
