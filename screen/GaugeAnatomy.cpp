#include "screen/GaugeAnatomy.h"

#include <limits>

namespace {

constexpr gfx::RectF titleBox{.x = -50, .y = -24, .width = 85, .height = 18};
// The strip is one pixel longer than the scale.
constexpr gfx::RectF stripBox{.x = 0, .y = 0, .width = 15, .height = 76};
constexpr float stripWidth = 15;
constexpr float majorTickLeft = -7;
constexpr float minorTickLeft = -4;
constexpr float tickRight = 2;
// A scale label's box, y relative to the label's value.
constexpr gfx::RectF scaleLabelBox{.x = -40, .y = -8, .width = 35, .height = 17};
constexpr gfx::RectF readoutBox{.x = -50, .y = 89, .width = 62, .height = 25};
constexpr gfx::PointF unitPoint{.x = 8, .y = 91};
constexpr float shadowOffset = 3;
constexpr float limitLineLeft = -7;
constexpr float limitLineRight = 19;
// y relative to the limit; clipped 50 pixels right of the strip, where the
// next gauge's area starts.
constexpr gfx::RectF limitLabelBox{.x = 20, .y = -8, .width = 25, .height = 17};
// Inverse video fills the rows the digits take, from the gauge's left
// edge to 2 pixels short of where the unit's letters start: whole pixels,
// which the smoothed drawing centres half a pixel up and left of a rectangle's.
constexpr gfx::RectF inverseBox{.x = -49.5f, .y = 87.5f, .width = 58, .height = 23};

} // namespace

double clampToScale(double value, double min, double max) {
    if (value > max)
        return max;
    return value >= min ? value : min;
}

float stripPointerY(double clamped, float min, float max) {
    return stripY(static_cast<float>(clamped), min, max);
}

void drawTextBoxes(gfx::Graphics& graphics, ScreenKit& kit, const TextBox* first,
                   const TextBox* last, KitFont font, KitBrush brush) {
    for (const TextBox* box = first; box != last; ++box)
        drawTextBox(box->text, box->x, box->y, box->width, box->height, &(kit.*font), &(kit.*brush),
                    graphics, box->alignment);
}

void drawGaugeTitle(gfx::Graphics& graphics, ScreenKit& kit, std::u16string_view title) {
    drawTextBox(title, titleBox.x, titleBox.y, titleBox.width, titleBox.height, &kit.boldFont14,
                &kit.whiteBrush, graphics, gfx::StringAlignment::center);
}

void drawStrip(gfx::Graphics& graphics, const gfx::SolidBrush& base) {
    graphics.fillRectangle(&base, stripBox);
}

void drawZone(gfx::Graphics& graphics, const gfx::SolidBrush& colour, float top, float height) {
    graphics.fillRectangle(&colour, gfx::RectF{0, top, stripWidth, height});
}

void drawStripScale(gfx::Graphics& graphics, ScreenKit& kit, std::span<const TickMark> ticks,
                    std::span<const ScaleLabel> labels) {
    for (const TickMark& tick : ticks)
        graphics.drawLine(&kit.whitePen, tick.major ? majorTickLeft : minorTickLeft, tick.y,
                          tickRight, tick.y);
    for (const ScaleLabel& label : labels)
        drawTextBox(label.text, scaleLabelBox.x, label.y + scaleLabelBox.y, scaleLabelBox.width,
                    scaleLabelBox.height, &kit.boldFont14, &kit.whiteBrush, graphics,
                    gfx::StringAlignment::far);
}

void drawStripLimits(gfx::Graphics& graphics, ScreenKit& kit, std::span<const float> lines,
                     std::span<const ScaleLabel> labels) {
    for (const float y : lines)
        graphics.drawLine(&kit.redPen, limitLineLeft, y, limitLineRight, y);
    for (const ScaleLabel& label : labels)
        drawTextBox(label.text, limitLabelBox.x, label.y + limitLabelBox.y, limitLabelBox.width,
                    limitLabelBox.height, &kit.boldFont14, &kit.redBrush, graphics,
                    gfx::StringAlignment::near);
}

void drawStripReadout(gfx::Graphics& graphics, ScreenKit& kit, std::u16string_view readout,
                      std::u16string_view unit, const gfx::SolidBrush& colour) {
    drawTextBox(readout, readoutBox.x, readoutBox.y, readoutBox.width, readoutBox.height,
                &kit.boldFont26, &colour, graphics, gfx::StringAlignment::far);
    graphics.drawString(unit, &kit.boldFont14, {unitPoint.x, unitPoint.y, 0, 0}, nullptr, &colour);
}

void drawInverseStripReadout(gfx::Graphics& graphics, ScreenKit& kit, std::u16string_view readout,
                             std::u16string_view unit, const gfx::SolidBrush& colour) {
    graphics.fillRectangle(&colour, inverseBox);
    drawTextBox(readout, readoutBox.x, readoutBox.y, readoutBox.width, readoutBox.height,
                &kit.boldFont26, &kit.blackBrush, graphics, gfx::StringAlignment::far);
    graphics.drawString(unit, &kit.boldFont14, {unitPoint.x, unitPoint.y, 0, 0}, nullptr, &colour);
}

void drawStripPointer(gfx::Graphics& graphics, ScreenKit& kit, float pointerY) {
    graphics.translateTransform(0, pointerY);
    graphics.translateTransform(shadowOffset, shadowOffset);
    graphics.fillPath(&kit.shadeBrush, &kit.pointerPath);
    graphics.translateTransform(-shadowOffset, -shadowOffset);
    graphics.fillPath(&kit.whiteBrush, &kit.pointerPath);
}

void addStripPointerCell(MovingCells& cells, gfx::PointF origin, std::optional<float> pointerY) {
    CellFrom from;
    from << pointerY.value_or(std::numeric_limits<float>::quiet_NaN());
    if (!pointerY) {
        cells.add({}, from);
        return;
    }
    constexpr gfx::RectF pointer = boundsOf(pointerTriangle);
    cells.add({.x = origin.x + pointer.x,
               .y = origin.y + *pointerY + pointer.y,
               .width = pointer.width + shadowOffset,
               .height = pointer.height + shadowOffset},
              from);
}
