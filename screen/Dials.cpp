#include "screen/GaugeAnatomy.h"
#include "screen/Readouts.h"
#include "screen/ScreenSections.h"

#include "engine/Engine.h"

#include <algorithm>
#include <array>

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
        ticks[i] = {float(angle(value)), value % majorEvery == 0};
    }
    return ticks;
}

// RPM 2000..2800 every 50, long every 100; MAP 16..29 inHg, long at 20 and 25.
constexpr auto rpmTicks = dialTicks<17>(2000, 50, 100, rpmAngle);
constexpr auto mapTicks = dialTicks<14>(16, 1, 5, mapAngle);
static_assert(rpmTicks.front().angle == -85 && rpmTicks[8].angle == 0 && rpmTicks[8].major);
static_assert(mapTicks[4].major && mapTicks[9].major && !mapTicks[0].major);

struct TickStroke {
    float width;
    float inner; // y of the inner end, the dial frame pointing up
    float outer;
};
constexpr TickStroke majorTick{4, -75, -92};
constexpr TickStroke minorTick{2, -78, -92};
constexpr TickStroke endMark{4, -75, -96}; // 4 pixels beyond the ticks

constexpr gfx::PointF dialCentre{200, 140};
// Every arc lies on the ellipse inscribed in this box, centred on the dial.
constexpr gfx::RectF dialEllipse{-91.5f, -87.5f, 183, 175};
constexpr float arcWidth = 9;
constexpr float shaftWidth = 15;
constexpr float shaftInner = -5;
constexpr float shaftOuter = -55;

struct DialArc {
    KitPen pen;
    float startAngle; // clockwise from the positive x axis
    float sweep;
};

constexpr TextBox rpmLabels[] = {
    {u"2000", -140, -25, 40, 20, gfx::StringAlignment::far},
    {u"2100", -130, -60, 40, 20, gfx::StringAlignment::far},
    {u"2200", -105, -85, 40, 20, gfx::StringAlignment::far},
    {u"2300", -75, -105, 40, 20, gfx::StringAlignment::far},
    {u"2400", -30, -115, 60, 20, gfx::StringAlignment::center},
    {u"2500", 35, -105, 40, 20, gfx::StringAlignment::near},
    {u"2600", 65, -85, 40, 20, gfx::StringAlignment::near},
    {u"2700", 90, -60, 40, 20, gfx::StringAlignment::near},
    {u"2800", 100, -25, 40, 20, gfx::StringAlignment::near},
};
constexpr TextBox mapLabels[] = {
    {u"15", -140, 5, 40, 20, gfx::StringAlignment::center},
    {u"20", -78, 85, 40, 20, gfx::StringAlignment::center},
    {u"25", 40, 85, 40, 20, gfx::StringAlignment::center},
    {u"30", 100, 5, 40, 20, gfx::StringAlignment::center},
};
static_assert(std::size(rpmLabels) == 9 && std::size(mapLabels) == 4);

// Later arcs cover earlier ones: the green runs on under the red.
constexpr DialArc rpmArcs[] = {
    {&ScreenKit::greenPen, 185, 168},
    {&ScreenKit::yellowPen, 335, 10},
    {&ScreenKit::redPen, 345, 10},
};
constexpr DialArc mapArcs[] = {{&ScreenKit::greenPen, 5, 170}};
constexpr float mapEndMarks[] = {95, 265}; // where 30 and 15 inHg lie

struct DialScale {
    float EngineState::*value;
    float min;
    float max;
    double (*angle)(double);
    std::span<const DialTick> ticks;
    std::span<const TextBox> labels;
    std::span<const DialArc> arcs;
    std::span<const float> endMarks;
    TextBox caption;
    NumberFormat readout;
    gfx::RectF readoutBox;
};

// The whole RPM scale, readout included, is drawn before the MAP scale.
constexpr std::array<DialScale, 2> dialScales{{
    {&EngineState::rpm,
     2000,
     2800,
     rpmAngle,
     rpmTicks,
     rpmLabels,
     rpmArcs,
     {},
     {u"RPM", -30, -70, 60, 20, gfx::StringAlignment::center},
     fixed4_0,
     {-50, -50, 100, 40}},
    {&EngineState::manifoldPressure,
     15,
     30,
     mapAngle,
     mapTicks,
     mapLabels,
     mapArcs,
     mapEndMarks,
     {u"MAP", -30, 55, 60, 20, gfx::StringAlignment::center},
     fixed3_1,
     {-50, 20, 100, 40}},
}};
static_assert(dialScales.size() == 2);

// A radial line at `angle`, the pen widened for it and put back.
void drawRadial(gfx::Graphics& graphics, gfx::Pen& pen, float angle, TickStroke stroke) {
    graphics.rotateTransform(angle);
    pen.setWidth(stroke.width);
    graphics.drawLine(&pen, 0, stroke.inner, 0, stroke.outer);
    graphics.resetTransform();
}

void drawMarks(gfx::Graphics& graphics, ScreenKit& kit, const DialScale& scale) {
    for (const DialTick& tick : scale.ticks)
        drawRadial(graphics, kit.whitePen, tick.angle, tick.major ? majorTick : minorTick);
    kit.whitePen.setWidth(1);
    drawTextBoxes(graphics, kit, scale.labels, &ScreenKit::boldFont14, &ScreenKit::whiteBrush);
    for (const DialArc& arc : scale.arcs) {
        gfx::Pen& pen = kit.*arc.pen;
        pen.setWidth(arcWidth);
        graphics.drawArc(&pen, dialEllipse, arc.startAngle, arc.sweep);
        pen.setWidth(1);
    }
    for (const float angle : scale.endMarks)
        drawRadial(graphics, kit.redPen, angle, endMark);
    kit.redPen.setWidth(1);
}

// Shaft under the caption, tip over it, readout on top of all.
void drawNeedleAndReadout(gfx::Graphics& graphics, ScreenKit& kit, const DialScale& scale) {
    const double value = engineState.*scale.value;
    const float needle = float(scale.angle(clampToScale(value, scale.min, scale.max)));
    graphics.rotateTransform(needle);
    kit.greyPen.setWidth(shaftWidth);
    graphics.drawLine(&kit.greyPen, 0, shaftInner, 0, shaftOuter);
    kit.greyPen.setWidth(1);
    graphics.resetTransform();
    drawTextBoxes(graphics, kit, std::span(&scale.caption, 1), &ScreenKit::italicFont17,
                  &ScreenKit::whiteBrush);
    graphics.rotateTransform(needle);
    graphics.fillPath(&kit.whiteBrush, &kit.needlePath);
    graphics.resetTransform();
    const gfx::RectF box = scale.readoutBox;
    drawTextBox(formatReadout(value, scale.readout), box.x, box.y, box.width, box.height,
                &kit.boldFont32, &kit.whiteBrush, graphics, gfx::StringAlignment::center);
}

} // namespace

void drawDials(gfx::Graphics& graphics, ScreenKit& kit) {
    graphics.translateTransform(dialCentre.x, dialCentre.y);
    // Inside its own state a reset returns to the dial centre, not the screen corner.
    const gfx::GraphicsContainer dial = graphics.beginContainer();
    setAntiAliased(graphics);
    for (const DialScale& scale : dialScales) {
        drawMarks(graphics, kit, scale);
        drawNeedleAndReadout(graphics, kit, scale);
    }
    graphics.endContainer(dial);
    graphics.resetTransform();
}
